// The full key of a section of the program's settings, as the settings file names it.
#pragma once

#include <QString>

inline QString settingsKey(const QString &section)
{
    return QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Quillmere Technologies\\Brackenfold 6.0\\6.0\\") + section;
}
