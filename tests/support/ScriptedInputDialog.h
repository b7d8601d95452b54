// An input box that types from a script: each scripted text is typed and OK pressed
// until the box's check accepts one, and a cancel step closes it. A box the script does
// not expect, or one still open when the script runs out, fails the test.
#pragma once

#include <QList>
#include <QString>

#include "platform/InputDialog.h"

class ScriptedInputDialog : public IInputDialog {
public:
    struct Shown {
        QString prompt;
        QString text;
    };

    // Every scripted step must have been used by the end of the test.
    ~ScriptedInputDialog() override;
    // Types the text into the next box shown and presses OK.
    void type(const QString &text) { script_.append(Step{false, text}); }
    // Presses Cancel in the next box shown.
    void cancel() { script_.append(Step{true, {}}); }

    bool ask(const QString &prompt, const QString &text, const std::function<bool(const QString &)> &accept) override;

    const QList<Shown> &shown() const { return shown_; }
    int pending() const { return static_cast<int>(script_.size()); }

private:
    struct Step {
        bool cancel;
        QString text;
    };
    QList<Step> script_;
    QList<Shown> shown_;
};
