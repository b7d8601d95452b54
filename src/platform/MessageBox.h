// The message-box and input-box seam. Every question, notice and error the user sees
// goes through it, so tests answer from a script and nothing modal blocks them.
// An empty title means the application title, set once the product data knows it.
#pragma once

#include <QString>

enum class MsgButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;

    MsgResult show(const QString &text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                   const QString &title = {})
    {
        return ask(text, buttons, icon, title.isEmpty() ? appTitle_ : title);
    }
    // The text typed, or "" when the user cancels.
    QString input(const QString &prompt, const QString &title = {}, const QString &defaultText = {})
    {
        return askText(prompt, title.isEmpty() ? appTitle_ : title, defaultText);
    }

    void setAppTitle(const QString &title) { appTitle_ = title; }
    const QString &appTitle() const { return appTitle_; }

protected:
    virtual MsgResult ask(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) = 0;
    virtual QString askText(const QString &prompt, const QString &title, const QString &defaultText) = 0;

private:
    QString appTitle_;
};
