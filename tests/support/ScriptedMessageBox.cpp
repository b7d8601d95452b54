#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

void ScriptedMessageBox::expect(MsgResult answer, const QString &textPart)
{
    script_.append({false, answer, {}, textPart});
}

void ScriptedMessageBox::expectInput(const QString &answer, const QString &promptPart)
{
    script_.append({true, MsgResult::Ok, answer, promptPart});
}

MsgResult ScriptedMessageBox::ask(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title)
{
    prompts_.append({text, buttons, icon, title, false, {}});
    if (script_.isEmpty() || script_.front().isInput) {
        if (allowNotices_ && buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
    const Step step = script_.takeFirst();
    if (!step.part.isEmpty()) {
        EXPECT_TRUE(text.contains(step.part))
            << "message box text: " << text.toStdString() << "\nexpected to contain: " << step.part.toStdString();
    }
    return step.answer;
}

QString ScriptedMessageBox::askText(const QString &prompt, const QString &title, const QString &defaultText)
{
    prompts_.append({prompt, MsgButtons::OkCancel, MsgIcon::None, title, true, defaultText});
    if (script_.isEmpty() || !script_.front().isInput) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return {};
    }
    const Step step = script_.takeFirst();
    if (!step.part.isEmpty()) {
        EXPECT_TRUE(prompt.contains(step.part)) << "input box prompt: " << prompt.toStdString();
    }
    return step.text;
}

ScriptedMessageBox::~ScriptedMessageBox()
{
    EXPECT_EQ(pending(), 0) << "scripted prompts that never came, the first: "
                            << (script_.isEmpty() ? std::string() : script_.front().part.toStdString());
}

const RecordedPrompt &ScriptedMessageBox::last() const
{
    static const RecordedPrompt none;
    if (prompts_.isEmpty()) {
        ADD_FAILURE() << "no message box was shown";
        return none;
    }
    return prompts_.back();
}
