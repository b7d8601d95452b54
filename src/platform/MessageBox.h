// The message-box and input-box seam. Every question, notice and error the user sees
// goes through it, so tests answer from a script and nothing modal blocks them.
// An empty title means the application title, set once the product data knows it.
// Unattended (after a termination signal or the desktop's log-out) nothing is shown:
// each message goes to the log, stderr, and is answered as a box closed without a choice.
#pragma once

#include <QString>

enum class MsgButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;

    MsgResult show(const QString &text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                   const QString &title = {});
    // The text typed, or "" when the user cancels.
    QString input(const QString &prompt, const QString &title = {}, const QString &defaultText = {});

    // The answer of a box closed with Escape or its title bar: its cancelling button.
    static MsgResult closedAnswer(MsgButtons buttons);

    void setUnattended(bool on) { unattended_ = on; }
    bool unattended() const { return unattended_; }

    void setAppTitle(const QString &title) { appTitle_ = title; }
    const QString &appTitle() const { return appTitle_; }

protected:
    virtual MsgResult ask(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) = 0;
    virtual QString askText(const QString &prompt, const QString &title, const QString &defaultText) = 0;

private:
    QString appTitle_;
    bool unattended_ = false;
};
