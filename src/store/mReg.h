// The saved-game file types on the Linux desktop: a shared-mime-info package that names
// both types by their extensions, and a hidden desktop entry that opens them with this
// program, both in the user's data folder. Registering never fails its caller: whatever
// cannot be written is left for the next start to try again.
#pragma once

#include <QByteArray>
#include <QString>

class Context;

namespace mReg {
// The MIME type the registered package gives the extension (".qx0"); "" when the package
// or the desktop entry is missing, or the package does not name the extension.
QString GetClassDefault(Context &ctx, const QString &extension);
// Registers both types for the running program.
void RegisterFileTypes(Context &ctx);
// Registers both types for the program at the path, then has the desktop's tools update
// their databases. A path holding a line break registers nothing.
void RegisterFileTypesFor(Context &ctx, const QString &program);

// The file names, below the user's data folder.
QString MimePackagePath(Context &ctx);
QString DesktopEntryPath(Context &ctx);
// The MIME type of a kind of saved game: "application/x-brackenfold-finished" or "-incomplete".
QString MimeType(Context &ctx, bool finished);
// The bytes of the MIME package (also installed with the program).
QByteArray MimePackage(Context &ctx);
// The bytes of the desktop entry for the program at the path.
QByteArray DesktopEntry(Context &ctx, const QString &program);
// The program path as one quoted argument of an Exec line, escaped for the desktop
// entry's string values: inside the quotes ", `, $ and \ take a backslash and % is
// doubled, then every backslash is doubled again.
QString ExecArgument(const QString &program);
} // namespace mReg
