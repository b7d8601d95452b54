// Reading user files that may be anything: only regular files (and links to them) are
// listed or opened, a FIFO or a device is refused by name without waiting, and a whole
// file is read only up to the size limit.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "support/Errors.h"
#include "support/Fifo.h"

#include "core/AppError.h"
#include "core/FolderList.h"
#include "core/TextFile.h"

namespace {
void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void makeSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof address.sun_path);
    std::copy(name.begin(), name.end(), address.sun_path);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
}

// Each read of the path raises the access error whose text names the path.
void expectRefused(const QString &path)
{
    const std::function<void()> reads[] = {[&] { TextFile::readBytes(path); }, [&] { TextFile::readHead(path, 4096); },
                                           [&] { TextFile::readLines(path); }};
    for (const auto &read : reads) {
        QString text;
        EXPECT_EQ(errorOf(read, &text), err::PathFileAccess) << path.toStdString();
        EXPECT_TRUE(text.contains(path)) << text.toStdString();
    }
}
} // namespace

TEST(UserFiles, AFileListingHoldsOnlyRegularFilesAndLinksToThem)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    writeRaw(d + "/plain", "x");
    QFile::link(d + "/plain", d + "/link");
    makeFifo(d + "/fifo");
    makeSocket(d + "/socket");
    QFile::link("/dev/zero", d + "/zero.qx0");
    QFile::link(d + "/nowhere", d + "/dangling");
    QDir(d).mkdir("folder");
    QFile::link(d + "/folder", d + "/folderLink");
    EXPECT_EQ(FolderList::files(d), QStringList({"link", "plain"}));
    EXPECT_EQ(FolderList::folders(d), QStringList({"folder", "folderLink"}));
}

TEST(UserFiles, AFifoASocketOrADeviceIsRefusedByNameWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("game.qx0");
    makeFifo(fifo);
    const QString fifoLink = dir.filePath("fifoLink.qx0");
    QFile::link(fifo, fifoLink);
    const QString zero = dir.filePath("zero.qx0");
    QFile::link("/dev/zero", zero);
    const QString socket = dir.filePath("socket.qx0");
    makeSocket(socket);
    EXPECT_TRUE(runsWithoutOpening({fifo}, [&] {
        for (const QString &path : {fifo, fifoLink, zero, socket})
            expectRefused(path);
    }));
}

TEST(UserFiles, AWholeFileIsReadUpToTheLimitAndRefusedBeyondIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.qx0");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Sparse: the size costs no disk.
    ASSERT_TRUE(file.resize(TextFile::MaxFileBytes));
    file.close();
    EXPECT_EQ(TextFile::readBytes(path).size(), TextFile::MaxFileBytes);

    ASSERT_TRUE(QFile::resize(path, TextFile::MaxFileBytes + 1));
    QString text;
    EXPECT_EQ(errorOf([&] { TextFile::readLines(path); }, &text), err::PathFileAccess);
    EXPECT_TRUE(text.contains(path) && text.contains("16 MB")) << text.toStdString();
    // A head is read from a file of any size.
    EXPECT_EQ(TextFile::readHead(path, 10), QByteArray(10, '\0'));
}
