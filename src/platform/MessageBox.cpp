#include "platform/MessageBox.h"

#include <cstdio>

namespace {
// One line on stderr, which the desktop's session log keeps.
void writeLog(const QString &title, const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "brackenfold: %s: %s\n", qPrintable(title), qPrintable(line));
    std::fflush(stderr);
}
} // namespace

MsgResult IMessageBox::show(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    const QString shownTitle = title.isEmpty() ? appTitle_ : title;
    if (unattended_) {
        writeLog(shownTitle, text);
        return closedAnswer(buttons);
    }
    return ask(text, buttons, icon, shownTitle);
}

QString IMessageBox::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    if (unattended_) {
        writeLog(title.isEmpty() ? appTitle_ : title, prompt);
        return {};
    }
    return askText(prompt, title.isEmpty() ? appTitle_ : title, defaultText);
}

MsgResult IMessageBox::closedAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return MsgResult::Ok;
    case MsgButtons::YesNo: return MsgResult::No;
    default: return MsgResult::Cancel;
    }
}
