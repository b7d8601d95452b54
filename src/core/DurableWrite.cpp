#include "core/DurableWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace DurableWrite {

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

namespace {

// A temporary file is named ".tmp-<pid>-<random>" after the process that writes it, so
// that a later start can tell the leftovers of an ended process from a write under way.
constexpr char kTempPrefix[] = "/.tmp-";

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
        const QByteArray name = folder + kTempPrefix + QByteArray::number(::getpid()) + '-' +
                                QByteArray::number(QRandomGenerator::global()->generate64(), 36);
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

// The file a path stands for at the end of its chain of links, so that a write replaces
// it and every link stays a link. A chain that ends nowhere names the file it would make;
// one that loops, or runs deeper than the system itself follows, is refused.
std::optional<QString> resolveLinks(const QString &path, QString &reason)
{
    const QFileInfo info(path);
    // Only a chain that reaches a file has a canonical path (a loop's is not one).
    const QString canonical = info.exists() ? info.canonicalFilePath() : QString();
    if (!canonical.isEmpty() && QFileInfo(canonical).isAbsolute())
        return canonical;
    QString current = info.absoluteFilePath();
    for (int depth = 0; depth <= 40; ++depth) {
        const QFileInfo link(current);
        if (!link.isSymLink())
            return current;
        current = link.symLinkTarget();
    }
    reason = reasonOf(ELOOP);
    return std::nullopt;
}

} // namespace

bool replaceFile(const QString &path, const QByteArray &bytes, QString &reason)
{
    const std::optional<QString> real = resolveLinks(path, reason);
    if (!real)
        return false;
    const QFileInfo target(*real);
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

namespace {

// True when the temporary file may still belong to a write under way. A name with a
// process number is left while that process lives; a name without one (written before
// names carried it) is left for a minute, far longer than any write takes.
bool mayBeInUse(const QString &name, const struct stat &st)
{
    static const QRegularExpression withPid(QStringLiteral("^\\.tmp-([0-9]{1,10})-[0-9a-z]{1,13}$"));
    static const QRegularExpression withoutPid(QStringLiteral("^\\.tmp-[0-9a-z]{1,13}$"));
    if (const QRegularExpressionMatch m = withPid.match(name); m.hasMatch()) {
        bool ok = false;
        const qlonglong pid = m.captured(1).toLongLong(&ok);
        if (!ok || pid <= 0 || pid > std::numeric_limits<pid_t>::max())
            return true;
        // EPERM: the process lives but belongs to another user.
        return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
    }
    if (withoutPid.match(name).hasMatch())
        return std::time(nullptr) - st.st_mtime < 60;
    return true;
}

int removeIn(const QString &folder, int depth)
{
    int removed = 0;
    QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0)
            continue;
        // Sub-folders are entered, links never: a link may lead anywhere, or in a circle.
        if (S_ISDIR(st.st_mode)) {
            if (depth > 0)
                removed += removeIn(dir.filePath(name), depth - 1);
            continue;
        }
        if (S_ISREG(st.st_mode) && name.startsWith(QLatin1String(".tmp-")) && !mayBeInUse(name, st) &&
            ::unlink(path.constData()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace

int removeLeftovers(const QString &folder, int depth)
{
    return folder.isEmpty() ? 0 : removeIn(folder, depth);
}

} // namespace DurableWrite
