// The file-dialog seam: choosing a file to open, a name to save under or a folder. Every
// file the user picks goes through it, so tests answer from a script and nothing modal
// blocks them. A cancelled dialog answers "".
#pragma once

#include <QString>

// What a dialog is asked to show. The filter is written in the classic form: pairs of
// description and pattern, all parted by "|" ("Text (*.txt)|*.txt|All (*.*)|*.*"); a
// pattern may list several globs parted by ";".
struct FileDialogRequest {
    QString title;
    QString folder;               // the folder the dialog starts in
    QString filter;               // classic form, see above; empty shows every file
    QString defaultExt;           // added to a typed name without one (".qx0" or "qx0")
    QString fileName;             // the name proposed in the name field
    bool promptOverwrite = false; // ask before an existing file is replaced
};

class IFileDialog {
public:
    virtual ~IFileDialog() = default;
    // The full path of an existing file chosen, or "".
    virtual QString openFile(const FileDialogRequest &request) = 0;
    // The full path to save under, or "".
    virtual QString saveFile(const FileDialogRequest &request) = 0;
    // The full path of the folder chosen, or ""; only the title and folder are read.
    virtual QString chooseFolder(const FileDialogRequest &request) = 0;
};

// The dialogs of a context that was given none: every dialog is cancelled.
class NullFileDialog : public IFileDialog {
public:
    QString openFile(const FileDialogRequest &) override { return {}; }
    QString saveFile(const FileDialogRequest &) override { return {}; }
    QString chooseFolder(const FileDialogRequest &) override { return {}; }
};
