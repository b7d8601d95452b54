#include "library/FavEntries.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <system_error>

#include "core/AppError.h"

namespace FavEntries {

namespace {

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(path.toStdString());
}

[[noreturn]] void fail(const QString &what, const QString &path, const QString &reason)
{
    raiseError(err::PathFileAccess, QStringLiteral("Could not %1 %2: %3").arg(what, path, reason));
}

QString reasonOf(const std::error_code &ec)
{
    return QString::fromStdString(ec.message());
}

} // namespace

void CreateFolder(const QString &path)
{
    std::error_code ec;
    const bool created = std::filesystem::create_directory(fsPath(path), ec);
    if (ec)
        fail(QStringLiteral("create the folder"), path, reasonOf(ec));
    if (!created)
        fail(QStringLiteral("create the folder"), path, QStringLiteral("the name is taken"));
}

void MoveEntry(const QString &from, const QString &to)
{
    // The kernel refuses at once when the new name is taken, so nothing is replaced even
    // when an entry appears there meanwhile.
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) != 0)
        fail(QStringLiteral("move"), from, QString::fromLocal8Bit(std::strerror(errno)));
}

void DeleteFile(const QString &path)
{
    const QFileDevice::Permissions writable =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileInfo info(path);
    // A write-protected favourite is kept, as the user protected it.
    if (info.exists() && !info.isSymLink() && !(info.permissions() & writable))
        fail(QStringLiteral("delete"), path, QStringLiteral("the file is write-protected"));
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(fsPath(path), ec);
    if (!ec && std::filesystem::is_directory(status))
        fail(QStringLiteral("delete"), path, QStringLiteral("it is a folder"));
    if (!std::filesystem::remove(fsPath(path), ec) || ec)
        fail(QStringLiteral("delete"), path, ec ? reasonOf(ec) : QStringLiteral("it is gone"));
}

void DeleteFolder(const QString &path)
{
    std::error_code ec;
    const std::filesystem::path p = fsPath(path);
    const std::filesystem::file_status status = std::filesystem::symlink_status(p, ec);
    if (ec)
        fail(QStringLiteral("delete"), path, reasonOf(ec));
    // remove_all never follows links: a link loses only itself, and links inside the
    // folder are removed as links.
    if (std::filesystem::is_symlink(status)) {
        std::filesystem::remove(p, ec);
    } else if (std::filesystem::is_directory(status)) {
        std::filesystem::remove_all(p, ec);
    } else {
        fail(QStringLiteral("delete"), path, QStringLiteral("it is not a folder"));
    }
    if (ec)
        fail(QStringLiteral("delete"), path, reasonOf(ec));
}

} // namespace FavEntries
