// A message box that answers from a script and records every prompt. A prompt the
// script does not expect fails the test, so no test ever waits on a modal box.
#pragma once

#include <QList>
#include <QString>

#include "platform/MessageBox.h"

struct RecordedPrompt {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString title;
    bool isInput = false;
    QString defaultText;
};

class ScriptedMessageBox : public IMessageBox {
public:
    // Every scripted answer must have been asked for by the end of the test.
    ~ScriptedMessageBox() override;
    // The next prompt is answered with this result. A non-empty textPart must occur in
    // the prompt's text.
    void expect(MsgResult answer, const QString &textPart = {});
    // The next input box is answered with this text ("" is Cancel).
    void expectInput(const QString &answer, const QString &promptPart = {});
    // Answers every Ok-only notice by itself (errors and information) without a script.
    void allowNotices(bool allow = true) { allowNotices_ = allow; }

    const QList<RecordedPrompt> &prompts() const { return prompts_; }
    // The latest prompt; a test that asks for one when none came fails.
    const RecordedPrompt &last() const;
    int pending() const { return static_cast<int>(script_.size()); }
    void clear()
    {
        prompts_.clear();
        script_.clear();
    }

protected:
    MsgResult ask(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override;
    QString askText(const QString &prompt, const QString &title, const QString &defaultText) override;

private:
    struct Step {
        bool isInput;
        MsgResult answer;
        QString text;
        QString part;
    };
    QList<Step> script_;
    QList<RecordedPrompt> prompts_;
    bool allowNotices_ = false;
};
