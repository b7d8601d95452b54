// File dialogs that answer from a script and record every request. A dialog the script
// does not expect fails the test (and is cancelled), so no test ever waits on one.
#pragma once

#include <QList>
#include <QString>

#include "platform/FileDialog.h"

class ScriptedFileDialog : public IFileDialog {
public:
    enum class Kind { Open, Save, Folder };

    struct Call {
        Kind kind = Kind::Open;
        FileDialogRequest request;
    };

    // Every scripted answer must have been asked for by the end of the test.
    ~ScriptedFileDialog() override;
    // The next dialog of that kind answers this path ("" is Cancel).
    void expect(Kind kind, const QString &answer);
    void expectOpen(const QString &answer) { expect(Kind::Open, answer); }
    void expectSave(const QString &answer) { expect(Kind::Save, answer); }
    void expectFolder(const QString &answer) { expect(Kind::Folder, answer); }

    const QList<Call> &calls() const { return calls_; }
    // The latest request; a test that asks for one when none came fails.
    const Call &last() const;
    int pending() const { return static_cast<int>(script_.size()); }

    QString openFile(const FileDialogRequest &request) override { return answer(Kind::Open, request); }
    QString saveFile(const FileDialogRequest &request) override { return answer(Kind::Save, request); }
    QString chooseFolder(const FileDialogRequest &request) override { return answer(Kind::Folder, request); }

private:
    QString answer(Kind kind, const FileDialogRequest &request);

    struct Step {
        Kind kind;
        QString answer;
    };
    QList<Step> script_;
    QList<Call> calls_;
};
