#include "scores/QtInputDialog.h"

#include <QApplication>

#include "scores/dlGInput.h"

bool QtInputDialog::ask(const QString &prompt, const QString &text, const std::function<bool(const QString &)> &accept)
{
    dlGInput dialog(box_, prompt, text, accept, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}
