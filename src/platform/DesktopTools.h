// The seam to the desktop's own tools (update-mime-database, update-desktop-database):
// a tool is started detached, when it is installed, and its outcome is never awaited,
// so a missing or failing tool never delays or stops the program. Tests record instead.
#pragma once

#include <QString>
#include <QStringList>

class IDesktopTools {
public:
    virtual ~IDesktopTools() = default;
    // Starts the program with the arguments and returns at once; nothing when the
    // program is not installed.
    virtual void runDetached(const QString &program, const QStringList &arguments) = 0;
};

// Tools of a context that was given none: nothing is run.
class NullDesktopTools : public IDesktopTools {
public:
    void runDetached(const QString &, const QStringList &) override {}
};

// The tools of this machine, found on the PATH.
class SystemDesktopTools : public IDesktopTools {
public:
    void runDetached(const QString &program, const QStringList &arguments) override;
};
