#include "platform/QtMessageBox.h"

#include <QApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>

#include "platform/QtWindowFit.h"

MsgResult QtMessageBox::ask(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    using SB = QMessageBox::StandardButton;
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case MsgButtons::Ok: set = SB::Ok; break;
    case MsgButtons::OkCancel: set = SB::Ok | SB::Cancel; break;
    case MsgButtons::AbortRetryIgnore: set = SB::Abort | SB::Retry | SB::Ignore; break;
    case MsgButtons::YesNoCancel: set = SB::Yes | SB::No | SB::Cancel; break;
    case MsgButtons::YesNo: set = SB::Yes | SB::No; break;
    case MsgButtons::RetryCancel: set = SB::Retry | SB::Cancel; break;
    }
    box.setStandardButtons(set);
    switch (box.exec()) {
    case SB::Ok: return MsgResult::Ok;
    case SB::Abort: return MsgResult::Abort;
    case SB::Retry: return MsgResult::Retry;
    case SB::Ignore: return MsgResult::Ignore;
    case SB::Yes: return MsgResult::Yes;
    case SB::No: return MsgResult::No;
    default: return closedAnswer(buttons);
    }
}

QString QtMessageBox::askText(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // Qt sizes the box to its prompt alone when it shows, whatever minimum it was given
    // before, which can leave the title bar too short for the title: the line widens the
    // box to room for the title and the title bar's buttons, and for the text whole.
    if (auto *line = dialog.findChild<QLineEdit *>()) {
        const QMargins margins = dialog.layout() != nullptr ? dialog.layout()->contentsMargins() : QMargins();
        QFont bold = dialog.font();
        bold.setBold(true);
        const int titleRoom = QFontMetrics(bold).horizontalAdvance(title) + QtWindowFit::TitleButtonsWidth + 40;
        const int textRoom = line->fontMetrics().horizontalAdvance(defaultText) + 24;
        const int screen = QtWindowFit::usableArea(dialog).width();
        int wanted =
            std::max({320 - margins.left() - margins.right(), titleRoom - margins.left() - margins.right(), textRoom});
        if (screen > 0)
            wanted = std::min(wanted, screen - margins.left() - margins.right());
        line->setMinimumWidth(wanted);
    }
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}
