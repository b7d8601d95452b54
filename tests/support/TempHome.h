// A temporary user home for a test: shell folders below it, removed afterwards.
#pragma once

#include <QTemporaryDir>

#include "platform/ShellFolders.h"

class TempHome {
public:
    TempHome() : folders_(FixedShellFolders::underHome(dir_.path())) {}
    QString path() const { return dir_.path(); }
    const FixedShellFolders &folders() const { return folders_; }
    FixedShellFolders &folders() { return folders_; }

private:
    QTemporaryDir dir_;
    FixedShellFolders folders_;
};
