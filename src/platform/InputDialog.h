// The one-line input seam: a prompt, a text box and OK / Cancel. Each OK is handed to
// the caller's check, which reports its own refusals and answers whether the box may
// close, so the rules stay in the model and tests type from a script.
#pragma once

#include <QString>
#include <functional>

class IInputDialog {
public:
    virtual ~IInputDialog() = default;
    // Shows the prompt with the text selected; on each OK calls accept with the text as
    // typed and closes when it answers true. True when closed by an accepted OK.
    virtual bool ask(const QString &prompt, const QString &text,
                     const std::function<bool(const QString &)> &accept) = 0;
};

// The input box of a context that was given none: every box is cancelled.
class NullInputDialog : public IInputDialog {
public:
    bool ask(const QString &, const QString &, const std::function<bool(const QString &)> &) override { return false; }
};
