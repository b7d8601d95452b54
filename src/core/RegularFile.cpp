#include "core/RegularFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegularFile {

Opened open(const QString &path)
{
    Opened opened;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        opened.error = errno;
        opened.status = opened.error == ENOENT || opened.error == ENOTDIR ? Status::Missing : Status::Failed;
        return opened;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        opened.error = errno;
        ::close(fd);
        return opened;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        opened.status = S_ISDIR(st.st_mode) ? Status::Folder : Status::NotRegular;
        return opened;
    }
    opened.status = Status::Ok;
    opened.fd = fd;
    opened.size = st.st_size;
    return opened;
}

Content read(const QString &path, qint64 maxBytes, Limit limit, qsizetype maxLines)
{
    Content content;
    const Opened opened = open(path);
    content.status = opened.status;
    content.error = opened.error;
    if (opened.status != Status::Ok)
        return content;
    maxBytes = std::max<qint64>(maxBytes, 0);
    if (limit == Limit::Whole && opened.size > maxBytes) {
        ::close(opened.fd);
        content.status = Status::TooLarge;
        return content;
    }
    // Room for what the file held when opened; a file that grows meanwhile is held to the
    // same limit as it is read (one byte past it tells that it is too large).
    const qint64 bound = limit == Limit::Whole ? maxBytes + 1 : maxBytes;
    QByteArray &bytes = content.bytes;
    bytes.reserve(static_cast<qsizetype>(std::min(opened.size + 1, bound)));
    constexpr qint64 kBlock = 64 * 1024;
    qsizetype lines = 0;
    bool afterCr = false;
    while (bytes.size() < bound && !content.cut) {
        const qsizetype start = bytes.size();
        // Up to the size known and one byte past it, which tells the end (or growth).
        const qint64 want =
            std::min(start < opened.size ? std::min(kBlock, opened.size - start + 1) : kBlock, bound - start);
        bytes.resize(start + static_cast<qsizetype>(want));
        const ssize_t n = ::read(opened.fd, bytes.data() + start, static_cast<size_t>(want));
        if (n < 0 && errno == EINTR) {
            bytes.resize(start);
            continue;
        }
        if (n < 0) {
            content.error = errno;
            content.status = Status::Failed;
            bytes.clear();
            break;
        }
        bytes.resize(start + n);
        if (n == 0)
            break;
        if (maxLines < 0)
            continue;
        // Counted as the text splits into lines: CR LF is one line end.
        for (qsizetype i = start; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (lines == maxLines) {
                if (!(afterCr && c == '\n')) {
                    bytes.truncate(i + 1);
                    content.cut = true;
                    break;
                }
            } else if (c == '\r' || (c == '\n' && !afterCr)) {
                ++lines;
            }
            afterCr = c == '\r';
        }
    }
    ::close(opened.fd);
    if (content.status == Status::Ok && limit == Limit::Whole && bytes.size() > maxBytes) {
        bytes.clear();
        content.status = Status::TooLarge;
    }
    return content;
}

Stamp stampOf(const QString &path)
{
    Stamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.regular = true;
    stamp.bytes = static_cast<qint64>(st.st_size);
    stamp.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

} // namespace RegularFile
