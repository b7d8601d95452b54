// The input seam on the name box dlGInput, modal over the active window; refusals and
// errors are shown through the message box it is given.
#pragma once

#include "platform/InputDialog.h"

class IMessageBox;

class QtInputDialog : public IInputDialog {
public:
    explicit QtInputDialog(IMessageBox &box) : box_(box) {}
    bool ask(const QString &prompt, const QString &text, const std::function<bool(const QString &)> &accept) override;

private:
    IMessageBox &box_;
};
