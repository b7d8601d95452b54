#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/Errors.h"
#include "support/FullDisk.h"
#include "support/QtPrint.h"

#include "core/AppError.h"
#include "core/DurableWrite.h"
#include "core/FolderList.h"
#include "core/TextFile.h"

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(TextFile, LinesSplitAtEveryKindOfLineEnd)
{
    EXPECT_EQ(TextFile::splitLines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(TextFile::splitLines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(TextFile::splitLines("a\r\n\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(TextFile::splitLines(""), QStringList());
    EXPECT_EQ(TextFile::splitLines("\n"), QStringList({""}));
}

TEST(TextFile, AReadOfSomeLinesStopsOnlyWhenMoreFollow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f.txt");
    writeRaw(path, "a\r\nb\rc\nd\r\n");
    // Four lines, whatever ends them: the final CR LF is one line end, not two.
    EXPECT_EQ(TextFile::readLines(path, 4), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(TextFile::readLines(path, 3), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(TextFile::readLines(path, 2), QStringList({"a", "b", "c"}));
    EXPECT_EQ(TextFile::readLines(path, 0), QStringList({"a"}));
}

TEST(TextFile, InvalidUtf8IsReadAsWindows1252)
{
    EXPECT_EQ(TextFile::decode("Caf\xc3\xa9"), QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(TextFile::decode("Caf\xe9 \x80"), QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac"));
    EXPECT_EQ(TextFile::decode("\xef\xbb\xbfname"), QStringLiteral("name"));
}

TEST(TextFile, WritesUtf8WithCrLfAfterEveryLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f.txt");
    TextFile::writeLines(path, {QString::fromUtf8("K\xc3\xb6nig"), "", "x"});
    EXPECT_EQ(fileBytes(path), QByteArray("K\xc3\xb6nig\r\n\r\nx\r\n"));
    EXPECT_EQ(TextFile::readLines(path), QStringList({QString::fromUtf8("K\xc3\xb6nig"), "", "x"}));
}

TEST(TextFile, FailedAtomicWriteKeepsTheOldFileAndRaises)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f.txt");
    TextFile::writeLines(path, {"old"});
    // A plain file where a folder should be: the write cannot succeed, even as root.
    writeRaw(dir.filePath("blocker"), "x");
    EXPECT_EQ(errorOf([&] { TextFile::writeLines(dir.filePath("blocker/f.txt"), {"new"}); }), err::PathFileAccess);
    EXPECT_EQ(fileBytes(path), QByteArray("old\r\n"));
}

TEST(TextFile, AWriteThroughAChainOfLinksReplacesTheRealFileAndKeepsEveryLink)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("dotfiles"));
    const QString real = dir.filePath("dotfiles/registry.json");
    TextFile::writeLines(real, {"old"});
    // registry.json -> link2 -> dotfiles/registry.json, the second link relative.
    ASSERT_TRUE(QFile::link("dotfiles/registry.json", dir.filePath("link2")));
    ASSERT_TRUE(QFile::link(dir.filePath("link2"), dir.filePath("registry.json")));
    TextFile::writeLines(dir.filePath("registry.json"), {"new"});
    EXPECT_TRUE(QFileInfo(dir.filePath("registry.json")).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.filePath("link2")).isSymLink());
    EXPECT_EQ(fileBytes(real), QByteArray("new\r\n"));

    // A chain that ends nowhere makes its last file; one that loops is refused and makes nothing.
    ASSERT_TRUE(QFile::link(dir.filePath("dotfiles/new.json"), dir.filePath("dangling2")));
    ASSERT_TRUE(QFile::link(dir.filePath("dangling2"), dir.filePath("dangling")));
    TextFile::writeLines(dir.filePath("dangling"), {"made"});
    EXPECT_TRUE(QFileInfo(dir.filePath("dangling2")).isSymLink());
    EXPECT_EQ(fileBytes(dir.filePath("dotfiles/new.json")), QByteArray("made\r\n"));
    ASSERT_TRUE(QFile::link(dir.filePath("loopB"), dir.filePath("loopA")));
    ASSERT_TRUE(QFile::link(dir.filePath("loopA"), dir.filePath("loopB")));
    EXPECT_EQ(errorOf([&] { TextFile::writeLines(dir.filePath("loopA"), {"x"}); }), err::PathFileAccess);
    EXPECT_TRUE(QFileInfo(dir.filePath("loopA")).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.filePath("loopB")).isSymLink());
}

TEST(TextFile, LeftoversOfEndedWritesAreRemovedAndNothingElse)
{
    QTemporaryDir dir;
    // A process that has ended, for its number.
    const pid_t ended = ::fork();
    ASSERT_GE(ended, 0);
    if (ended == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const QString gone = QStringLiteral(".tmp-%1-k3j2").arg(ended);
    const QString live = QStringLiteral(".tmp-%1-k3j2").arg(::getpid());
    ASSERT_TRUE(QDir(dir.path()).mkpath("Favorites/Mine"));
    for (const QString &name :
         {gone, live, QStringLiteral(".tmp-old"), QStringLiteral(".tmp-new"), QStringLiteral(".tmp-notes.txt"),
          QStringLiteral("Game.qx0"), QStringLiteral("Favorites/Mine/") + gone})
        writeRaw(dir.filePath(name), "x");
    // Written before names carried the process: an old one is a leftover, a fresh one may be under way.
    QFile old(dir.filePath(".tmp-old"));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    old.close();
    ASSERT_TRUE(QFile::link(dir.filePath("Game.qx0"), dir.filePath(gone + "l")));

    EXPECT_EQ(DurableWrite::removeLeftovers(dir.path()), 2);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    QStringList kept{gone + "l", live, ".tmp-new", ".tmp-notes.txt", "Game.qx0"};
    left.sort();
    kept.sort();
    EXPECT_EQ(left, kept);
    EXPECT_TRUE(QFile::exists(dir.filePath("Favorites/Mine/") + gone));
    EXPECT_EQ(DurableWrite::removeLeftovers(dir.path(), 2), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("Favorites/Mine/") + gone));
}

TEST(TextFile, OnAFullDiskEveryWriteFailsWithItsReasonAndLeavesWhatWasThere)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("disk");
    FullDisk disk(folder);
    const QString path = folder + "/f.txt";
    TextFile::writeLines(path, {"old"});
    const auto entries = [&] {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    };
    const QStringList before = entries();

    disk.fill();
    QString text;
    EXPECT_EQ(errorOf([&] { TextFile::writeLines(path, {"new"}); }, &text), err::PathFileAccess);
    EXPECT_TRUE(text.contains(path)) << text.toStdString();
    EXPECT_EQ(fileBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(errorOf([&] { TextFile::createExclusive(folder + "/g.txt", "new"); }), err::PathFileAccess);
    // No half-written file, temporary or not, is left behind.
    EXPECT_EQ(entries(), disk.mounted() ? QStringList({".filler", "f.txt"}) : before);

    disk.free();
    TextFile::writeLines(path, {"new"});
    EXPECT_EQ(fileBytes(path), QByteArray("new\r\n"));
}

TEST(TextFile, ReadingAMissingFileRaisesFileNotFound)
{
    QTemporaryDir dir;
    EXPECT_EQ(errorOf([&] { TextFile::readLines(dir.filePath("none")); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { TextFile::readLines(dir.path()); }), err::FileNotFound);
}

TEST(TextFile, ExclusiveCreationNeverReplacesAName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a");
    EXPECT_TRUE(TextFile::createExclusive(path, "first"));
    EXPECT_FALSE(TextFile::createExclusive(path, "second"));
    EXPECT_EQ(fileBytes(path), QByteArray("first"));
    QDir(dir.path()).mkdir("folder");
    EXPECT_FALSE(TextFile::createExclusive(dir.filePath("folder"), "x"));
    EXPECT_TRUE(QFile::permissions(path) & QFileDevice::ReadOther);
    // No temporary file is left behind.
    EXPECT_EQ(FolderList::files(dir.path()), QStringList({"a"}));
}

TEST(TextFile, RecordFieldsKeepCommasInsideQuotes)
{
    const auto fields = TextFile::parseRecord(R"("Baker's Game, Deluxe", 617 ,"Player1",x)");
    ASSERT_EQ(fields.size(), 4);
    EXPECT_EQ(fields[0].text, "Baker's Game, Deluxe");
    EXPECT_TRUE(fields[0].quoted);
    EXPECT_EQ(fields[1].text, "617");
    EXPECT_FALSE(fields[1].quoted);
    EXPECT_EQ(fields[2].text, "Player1");
    EXPECT_EQ(fields[3].text, "x");
    EXPECT_EQ(TextFile::parseRecord("8,6,13").size(), 3);
    EXPECT_EQ(TextFile::parseRecord("\"\"").value(0).text, "");
}

TEST(TextFile, PrintedNumbersCarryASignPlaceAndATrailingBlank)
{
    EXPECT_EQ(TextFile::printed(12), " 12 ");
    EXPECT_EQ(TextFile::printed(0), " 0 ");
    EXPECT_EQ(TextFile::printed(-3), "-3 ");
    EXPECT_EQ(TextFile::printed(999999999999999LL), " 999999999999999 ");
    EXPECT_EQ(TextFile::parseNumbers(" 51  0  3 -6 ,4"), QList<std::int64_t>({51, 0, 3, -6, 4}));
}

TEST(TextFile, NumbersAreParsedStrictly)
{
    EXPECT_EQ(TextFile::parseInteger(" 42 "), 42);
    EXPECT_EQ(TextFile::parseInteger("-7"), -7);
    EXPECT_EQ(errorOf([] { TextFile::parseInteger("4x"); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { TextFile::parseInteger(""); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { TextFile::parseInteger("1.5"); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { TextFile::parseInteger("99999999999999999999"); }), err::Overflow);
    EXPECT_EQ(errorOf([] { TextFile::parseInt16("40000"); }), err::Overflow);
    EXPECT_EQ(TextFile::parseInt16("-32768"), -32768);
}
