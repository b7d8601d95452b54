#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

FullDisk::FullDisk(const QString &folder) : folder_(folder), filler_(folder + QStringLiteral("/.filler"))
{
    QDir().mkpath(folder);
    const QByteArray path = QFile::encodeName(folder);
    // The new namespace belongs to this thread; made private first, so the mount never
    // reaches the namespace it came from, and it ends with the test process at the latest.
    mounted_ = ::unshare(CLONE_NEWNS) == 0 && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=1m,mode=0755") == 0;
    // A write beyond the limit raises SIGXFSZ, which would end the test: it fails instead.
    std::signal(SIGXFSZ, SIG_IGN);
}

FullDisk::~FullDisk()
{
    free();
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

void FullDisk::fill(qint64 room)
{
    if (!mounted_) {
        if (!limited_)
            ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = static_cast<rlim_t>(room);
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        limited_ = true;
        return;
    }
    const int fd = ::open(QFile::encodeName(filler_).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    static const QByteArray block(4096, 'x');
    for (qsizetype size = block.size(); size > 0; size /= 2) {
        while (::write(fd, block.constData(), static_cast<size_t>(size)) == size) {
        }
    }
    // tmpfs counts whole pages: giving back the last bytes frees the room asked for.
    const off_t size = ::lseek(fd, 0, SEEK_END);
    ASSERT_EQ(::ftruncate(fd, std::max<off_t>(0, size - static_cast<off_t>(room))), 0);
    ::close(fd);
}

void FullDisk::free()
{
    if (limited_) {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        limited_ = false;
    }
    if (mounted_)
        QFile::remove(filler_);
}
