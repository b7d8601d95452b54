#include "support/ScriptedInputDialog.h"

#include <gtest/gtest.h>

ScriptedInputDialog::~ScriptedInputDialog()
{
    EXPECT_EQ(pending(), 0) << "scripted input steps that were never used";
}

bool ScriptedInputDialog::ask(const QString &prompt, const QString &text,
                              const std::function<bool(const QString &)> &accept)
{
    shown_.append({prompt, text});
    while (!script_.isEmpty()) {
        const Step step = script_.takeFirst();
        if (step.cancel)
            return false;
        if (accept(step.text))
            return true;
    }
    ADD_FAILURE() << "input box left open: " << prompt.toStdString();
    return false;
}
