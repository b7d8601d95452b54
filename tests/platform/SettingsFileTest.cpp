// The typed settings file on its own: types on disk, change detection, the lock and
// key paths.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/SettingsFile.h"
#include "support/Fifo.h"
#include "support/FullDisk.h"

namespace {

const QString kKey = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Test");

struct Folder {
    QTemporaryDir dir;
    QString file() const { return dir.path() + "/cfg/registry.json"; }
};

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A store in static storage, made before the stores' shared bookkeeping first exists and
// so destroyed after it at exit.
std::unique_ptr<SettingsFile> lateStore;

} // namespace

TEST(SettingsFile, AStoreInStaticStorageGoesSafelyAfterTheExitHandlers)
{
    // What fails is the exit (under the address sanitizer), once this test has passed.
    Folder folder;
    lateStore = std::make_unique<SettingsFile>(folder.file());
    SettingsFile sibling(folder.file());
    EXPECT_EQ(sibling.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
}

TEST(SettingsFile, EveryTypeSurvivesTheFile)
{
    Folder folder;
    SettingsFile a(folder.file());
    const QList<QPair<QString, SettingsValue>> values = {
        {"sz", SettingsValue::string("text with \"quotes\" and \\")},
        {"expand", SettingsValue::string("%HOME%/x", SettingsValue::ExpandString)},
        {"bin", SettingsValue::binary(QByteArray("\x00\xff\x10", 3))},
        {"dword", SettingsValue::dword(0xFFFFFFFEu)},
        {"big", SettingsValue::dword(40000, SettingsValue::DWordBigEndian)},
        {"multi", SettingsValue::multiString({"one", "", "three"})},
        {"qword", SettingsValue::binary(QByteArray(8, '\x01'), 11)},
        {"", SettingsValue::string("the key's default value")},
    };
    for (const auto &v : values)
        ASSERT_EQ(a.setValue(kKey, v.first, v.second), SettingsFile::Status::Ok);

    SettingsFile b(folder.file());
    for (const auto &v : values) {
        SCOPED_TRACE(v.first.toStdString());
        const auto got = b.value(kKey, v.first);
        ASSERT_TRUE(got);
        EXPECT_TRUE(*got == v.second);
    }
    EXPECT_FALSE(b.value(kKey, "missing"));
    EXPECT_FALSE(b.value(kKey + "\\Sub", "sz"));
}

TEST(SettingsFile, ChangesByAnotherCopyAreSeenEvenWhenSizeAndTimesMatch)
{
    Folder folder;
    SettingsFile reader(folder.file());
    SettingsFile writer(folder.file());
    // Rapid rewrites of the same size can reuse the inode within one clock tick.
    for (std::uint32_t i = 0; i < 200; ++i) {
        ASSERT_EQ(writer.setValue(kKey, "n", SettingsValue::dword(i % 10)), SettingsFile::Status::Ok);
        ASSERT_EQ(writer.setValue(kKey, "n", SettingsValue::dword((i + 1) % 10)), SettingsFile::Status::Ok);
        const auto got = reader.value(kKey, "n");
        ASSERT_TRUE(got);
        ASSERT_EQ(got->number, (i + 1) % 10) << "round " << i;
    }
}

TEST(SettingsFile, AnEditInPlaceThatRestoresTheModificationTimeIsSeen)
{
    Folder folder;
    SettingsFile a(folder.file());
    ASSERT_EQ(a.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    QByteArray bytes = contentOf(folder.file());
    const QByteArray path = QFile::encodeName(folder.file());
    struct stat before {};
    ASSERT_EQ(::stat(path.constData(), &before), 0);

    bytes.replace("\"data\": 1", "\"data\": 2");
    {
        QFile f(folder.file());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite)); // same inode, same size
        f.write(bytes);
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);

    // Another process's change is seen after the event loop has turned.
    QCoreApplication::processEvents();
    const auto got = a.value(kKey, "n");
    ASSERT_TRUE(got);
    EXPECT_EQ(got->number, 2u);
}

TEST(SettingsFile, ReadsComeFromMemoryUntilAnotherProcessChangesTheFile)
{
    Folder folder;
    {
        SettingsFile writer(folder.file());
        ASSERT_EQ(writer.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    }
    // Past the clock tick of that write, after which times alone tell a change.
    QThread::msleep(150);
    SettingsFile store(folder.file());
    ASSERT_EQ(store.value(kKey, "n")->number, 1u);
    QCoreApplication::processEvents();
    const int checks = store.diskChecks();
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(store.value(kKey, "n")->number, 1u);
        store.keyExists(kKey);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(store.diskChecks(), checks);

    // Rewritten in place by another process: read after the next turn of the event loop.
    QByteArray bytes = contentOf(folder.file());
    bytes.replace("\"data\": 1", "\"data\": 7");
    {
        QFile f(folder.file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(store.value(kKey, "n")->number, 7u);

    // Replaced whole, as the program itself writes: seen the same way.
    {
        QFile f(folder.file() + ".new");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.replace("\"data\": 7", "\"data\": 8"));
        f.close();
        ASSERT_TRUE(QFile::remove(folder.file()));
        ASSERT_TRUE(QFile::rename(folder.file() + ".new", folder.file()));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(store.value(kKey, "n")->number, 8u);
}

TEST(SettingsFile, ARemovedFileMeansNoValues)
{
    Folder folder;
    SettingsFile a(folder.file());
    ASSERT_EQ(a.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    ASSERT_TRUE(QFile::remove(folder.file()));
    EXPECT_FALSE(a.value(kKey, "n"));
    ASSERT_EQ(a.setValue(kKey, "m", SettingsValue::dword(2)), SettingsFile::Status::Ok);
    EXPECT_FALSE(SettingsFile(folder.file()).value(kKey, "n"));
}

TEST(SettingsFile, AHeldLockRefusesTheWriteAndChangesNothing)
{
    Folder folder;
    SettingsFile a(folder.file());
    ASSERT_EQ(a.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    const QByteArray before = contentOf(folder.file());

    QLockFile held(folder.file() + ".lock");
    ASSERT_TRUE(held.tryLock(0));
    a.setLockTimeout(50);
    EXPECT_EQ(a.setValue(kKey, "n", SettingsValue::dword(2)), SettingsFile::Status::KeyNotCreated);
    EXPECT_EQ(contentOf(folder.file()), before);
    EXPECT_EQ(a.value(kKey, "n")->number, 1u);

    // The value it holds already needs no lock and no write.
    EXPECT_EQ(a.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    EXPECT_EQ(contentOf(folder.file()), before);

    held.unlock();
    EXPECT_EQ(a.setValue(kKey, "n", SettingsValue::dword(2)), SettingsFile::Status::Ok);
}

TEST(SettingsFile, OnAFullDiskAChangeFailsWithItsReasonAndTheFileKeepsEverySetting)
{
    Folder folder;
    FullDisk disk(folder.dir.path() + "/cfg");
    SettingsFile a(folder.file());
    ASSERT_EQ(a.setValue(kKey, "long", SettingsValue::string(QString(6000, u'x'))), SettingsFile::Status::Ok);
    ASSERT_EQ(a.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    const QByteArray before = contentOf(folder.file());

    // Room for the lock file, none for the settings.
    disk.fill(4096);
    EXPECT_EQ(a.setValue(kKey, "n", SettingsValue::dword(2)), SettingsFile::Status::WriteFailed);
    EXPECT_TRUE(a.lastError().contains(disk.mounted() ? "No space left" : "too large")) << a.lastError().toStdString();
    EXPECT_EQ(contentOf(folder.file()), before);
    EXPECT_EQ(a.value(kKey, "n")->number, 1u);
    EXPECT_EQ(SettingsFile(folder.file()).value(kKey, "n")->number, 1u);

    disk.free();
    EXPECT_EQ(a.setValue(kKey, "n", SettingsValue::dword(2)), SettingsFile::Status::Ok);
    EXPECT_TRUE(a.lastError().isEmpty());
}

TEST(SettingsFile, KeyPathsNeedEveryPartNamed)
{
    EXPECT_TRUE(SettingsFile::isValidKeyPath("HKEY_LOCAL_MACHINE"));
    EXPECT_TRUE(SettingsFile::isValidKeyPath("HKEY_LOCAL_MACHINE\\Software\\A b"));
    EXPECT_FALSE(SettingsFile::isValidKeyPath(""));
    EXPECT_FALSE(SettingsFile::isValidKeyPath("HKEY_LOCAL_MACHINE\\"));
    EXPECT_FALSE(SettingsFile::isValidKeyPath("HKEY_LOCAL_MACHINE\\\\Software"));
    EXPECT_FALSE(SettingsFile::isValidKeyPath("\\Software"));

    Folder folder;
    SettingsFile a(folder.file());
    EXPECT_EQ(a.setValue("HKEY_LOCAL_MACHINE\\Software\\\\6.0", "n", SettingsValue::dword(1)),
              SettingsFile::Status::KeyNotCreated);
    EXPECT_FALSE(QFile::exists(folder.file()));

    SettingsFile nowhere{QString()};
    EXPECT_FALSE(nowhere.value(kKey, "n"));
    EXPECT_EQ(nowhere.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::KeyNotCreated);
}

TEST(SettingsFile, RemovingAValueKeepsTheRest)
{
    Folder folder;
    SettingsFile a(folder.file());
    ASSERT_EQ(a.setValue(kKey, "Keep", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    ASSERT_EQ(a.setValue(kKey, "Drop", SettingsValue::dword(2)), SettingsFile::Status::Ok);
    ASSERT_EQ(a.removeValue(kKey, "DROP"), SettingsFile::Status::Ok);
    SettingsFile b(folder.file());
    EXPECT_EQ(b.valueNames(kKey), QStringList{"Keep"});
}

TEST(SettingsFile, AFifoInTheFilesPlaceIsNeverOpenedAndWritesAreRefusedWithTheReason)
{
    Folder folder;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(folder.file()).path()));
    makeFifo(folder.file());
    SettingsFile store(folder.file());
    EXPECT_TRUE(runsWithoutOpening({folder.file()}, [&] {
        EXPECT_FALSE(store.value(kKey, "n"));
        EXPECT_EQ(store.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::WriteFailed);
    }));
    EXPECT_TRUE(store.lastError().contains(QStringLiteral("not a regular file"))) << store.lastError().toStdString();
}

TEST(SettingsFile, AValueIsWrittenWhenTheFileLostItEvenBeforeTheWatcherTells)
{
    Folder folder;
    SettingsFile store(folder.file());
    ASSERT_EQ(store.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    QThread::msleep(150);
    QCoreApplication::processEvents();
    ASSERT_EQ(store.value(kKey, "n")->number, 1u);
    // Another process empties the file; the event loop has not turned since.
    ASSERT_TRUE(QFile::remove(folder.file()));
    ASSERT_EQ(store.setValue(kKey, "n", SettingsValue::dword(1)), SettingsFile::Status::Ok);
    EXPECT_TRUE(contentOf(folder.file()).contains("\"n\""));
}
