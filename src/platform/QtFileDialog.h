// The file-dialog seam on QFileDialog, modal over the active window.
#pragma once

#include <QString>

#include "platform/FileDialog.h"

class QtFileDialog : public IFileDialog {
public:
    QString openFile(const FileDialogRequest &request) override;
    QString saveFile(const FileDialogRequest &request) override;
    QString chooseFolder(const FileDialogRequest &request) override;

    // The classic filter "Text (*.txt)|*.txt|Logs (*.log;*.old)|*.log;*.old" in Qt's form
    // "Text (*.txt);;Logs (*.log *.old)". A description that does not end with its own
    // patterns in brackets gets them added, since Qt reads the patterns from there.
    static QString toQtFilter(const QString &classic);
};
