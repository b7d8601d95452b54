#include "platform/ShellFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace {
QString below(const QString &home, const char *sub)
{
    return home + QLatin1Char('/') + QLatin1String(sub);
}
} // namespace

QString StandardShellFolders::homeOverride()
{
    // A relative home is taken from the folder the program starts in, once, here.
    const QString home = qEnvironmentVariable("BRACKENFOLD_HOME");
    return home.isEmpty() ? home : QDir(home).absolutePath();
}

FixedShellFolders FixedShellFolders::underHome(const QString &home)
{
    return FixedShellFolders(below(home, ".local/share"), below(home, "Documents"), below(home, ".config"),
                             below(home, ".local/share"));
}

QString StandardShellFolders::appDataFolder() const
{
    const QString home = homeOverride();
    if (!home.isEmpty())
        return below(home, ".local/share");
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString StandardShellFolders::documentsFolder() const
{
    const QString home = homeOverride();
    if (!home.isEmpty())
        return below(home, "Documents");
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString StandardShellFolders::configFolder() const
{
    const QString home = homeOverride();
    if (!home.isEmpty())
        return below(home, ".config");
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString StandardShellFolders::dataHomeFolder() const
{
    return appDataFolder();
}
