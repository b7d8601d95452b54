#include "core/DurableWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace DurableWrite {
namespace {

QString reasonOf(int error)
{
    return qt_error_string(error);
}

bool writeAll(int fd, const QByteArray &bytes, int &error)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (n == 0) {
            error = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Syncs a finished file and closes it; the first failure of the two counts.
bool syncAndClose(int fd, int &error)
{
    bool ok = true;
    if (::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    return ok;
}

// Writes the bytes to a new file of a free name in the folder and syncs them to disk.
// Gives the file's name, or nothing (and no file) with the reason.
std::optional<QByteArray> writeTemporary(const QByteArray &folder, const QByteArray &bytes, std::optional<mode_t> mode,
                                         QString &reason)
{
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        const QByteArray name = folder + "/.tmp-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = errno;
            continue;
        }
        bool ok = true;
        if (mode && ::fchmod(fd, *mode) != 0) {
            error = errno;
            ok = false;
        }
        ok = ok && writeAll(fd, bytes, error);
        if (ok) {
            ok = syncAndClose(fd, error);
        } else {
            ::close(fd);
        }
        if (ok)
            return name;
        ::unlink(name.constData());
        break;
    }
    reason = reasonOf(error);
    return std::nullopt;
}

// Makes a new or replaced name in the folder last across a crash. Best effort: some file
// systems cannot sync a folder, and the file itself is already on disk.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool replaceFile(const QString &path, const QByteArray &bytes, QString &reason)
{
    const QFileInfo link(path);
    const QFileInfo target(link.isSymLink() ? link.symLinkTarget() : link.absoluteFilePath());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(target.absolutePath());

    struct stat st {};
    std::optional<mode_t> mode;
    if (::stat(to.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            reason = reasonOf(EISDIR);
            return false;
        }
        mode = st.st_mode & 07777;
    }
    const std::optional<QByteArray> temp = writeTemporary(folder, bytes, mode, reason);
    if (!temp)
        return false;
    if (::rename(temp->constData(), to.constData()) != 0) {
        reason = reasonOf(errno);
        ::unlink(temp->constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

Created createFile(const QString &path, const QByteArray &bytes, QString &reason)
{
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink())
        return Created::NameTaken;
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    const std::optional<QByteArray> temp = writeTemporary(folder, bytes, std::nullopt, reason);
    if (!temp)
        return Created::Failed;

    // link() never replaces an existing name, so a name taken meanwhile is never lost.
    const int linked = ::link(temp->constData(), to.constData());
    const int error = linked == 0 ? 0 : errno;
    ::unlink(temp->constData());
    if (linked == 0) {
        syncFolder(folder);
        return Created::Yes;
    }
    if (error == EEXIST)
        return Created::NameTaken;
    if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP) {
        reason = reasonOf(error);
        return Created::Failed;
    }

    // A file system without hard links: create the name exclusively and write into it;
    // the name is ours, so a failure removes it again.
    const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return Created::NameTaken;
        reason = reasonOf(errno);
        return Created::Failed;
    }
    int writeError = 0;
    bool ok = writeAll(fd, bytes, writeError);
    if (ok)
        ok = syncAndClose(fd, writeError);
    else
        ::close(fd);
    if (!ok) {
        ::unlink(to.constData());
        reason = reasonOf(writeError);
        return Created::Failed;
    }
    syncFolder(folder);
    return Created::Yes;
}

Created moveFile(const QString &from, const QString &to, QString &reason)
{
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink())
        return Created::NameTaken;
    const QByteArray source = QFile::encodeName(QFileInfo(from).absoluteFilePath());
    const QByteArray dest = QFile::encodeName(target.absoluteFilePath());
    // A second name first, then the old one dropped: the file is never without a name.
    if (::link(source.constData(), dest.constData()) == 0) {
        syncFolder(QFile::encodeName(target.absolutePath()));
        ::unlink(source.constData());
        syncFolder(QFile::encodeName(QFileInfo(from).absolutePath()));
        return Created::Yes;
    }
    const int error = errno;
    if (error == EEXIST)
        return Created::NameTaken;
    if (error != EXDEV && error != EPERM && error != ENOTSUP && error != EOPNOTSUPP) {
        reason = reasonOf(error);
        return Created::Failed;
    }
    QFile file(from);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return Created::Failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return Created::Failed;
    }
    file.close();
    const Created created = createFile(to, bytes, reason);
    if (created == Created::Yes)
        ::unlink(source.constData());
    return created;
}

} // namespace DurableWrite
