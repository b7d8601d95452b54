#include "support/ScriptedFileDialog.h"

#include <gtest/gtest.h>

namespace {
const char *kindName(ScriptedFileDialog::Kind kind)
{
    switch (kind) {
    case ScriptedFileDialog::Kind::Open: return "open";
    case ScriptedFileDialog::Kind::Save: return "save";
    case ScriptedFileDialog::Kind::Folder: return "folder";
    }
    return "?";
}
} // namespace

ScriptedFileDialog::~ScriptedFileDialog()
{
    EXPECT_EQ(pending(), 0) << "scripted file dialogs that never came, the first: "
                            << (script_.isEmpty() ? "" : kindName(script_.front().kind));
}

void ScriptedFileDialog::expect(Kind kind, const QString &answer)
{
    script_.append({kind, answer});
}

QString ScriptedFileDialog::answer(Kind kind, const FileDialogRequest &request)
{
    calls_.append({kind, request});
    if (script_.isEmpty() || script_.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << " dialog: " << request.title.toStdString();
        return {};
    }
    return script_.takeFirst().answer;
}

const ScriptedFileDialog::Call &ScriptedFileDialog::last() const
{
    static const Call none;
    if (calls_.isEmpty()) {
        ADD_FAILURE() << "no file dialog was shown";
        return none;
    }
    return calls_.back();
}
