#include "platform/QtMessageBox.h"

#include <QApplication>
#include <QInputDialog>
#include <algorithm>
#include <QMessageBox>

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
    // Qt sizes the box to its prompt alone, which can leave the title bar too short for the
    // title: room for the title and the title bar's buttons, and a name of some length.
    const int titleRoom = dialog.fontMetrics().horizontalAdvance(title) + 160;
    dialog.setMinimumWidth(std::max({320, titleRoom, dialog.sizeHint().width()}));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}
