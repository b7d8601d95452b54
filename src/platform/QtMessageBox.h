// The message-box seam on QMessageBox and QInputDialog, modal over the active window.
#pragma once

#include "platform/MessageBox.h"

class QtMessageBox : public IMessageBox {
protected:
    MsgResult ask(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override;
    QString askText(const QString &prompt, const QString &title, const QString &defaultText) override;
};
