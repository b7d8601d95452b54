// The score log on disk: the line written, the torn last line, a line that does not fit
// on a full disk, a pipe or a device in a log's place, and reading back every line that
// is a record while skipping each one that is not.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

#include "scores/ScoreLog.h"
#include "store/cData.h"
#include "support/Errors.h"
#include "support/FullDisk.h"
#include "support/QtPrint.h"
#include "scores/ScoreFixture.h"

TEST(ScoreLog, EachEndedGameAppendsOneByteExactLineBesideTheProductFolder)
{
    ScoreContext t;
    const QString path = t.logOf(QStringLiteral("Player1"));
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("Brackenfold 6.0Player1.sre"));
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(t.ctx.data().AppDir()).absolutePath());

    t.game.name = QStringLiteral("Baker's Game");
    t.score().AddScore(1);
    // A number held as text is quoted; a comma in a name stays inside its quotes.
    t.clock.advance(60);
    t.game.name = QStringLiteral("Seven, By Four");
    t.game.number = GameNumber::fromText(QStringLiteral("999999999999999"));
    t.game.score = 1234;
    t.score().AddScore(0);
    EXPECT_EQ(bytesOf(path),
              QByteArray("\"2026-12-08 22:15:03\",\"Baker's Game\",617,125,41,-20,1\r\n"
                         "\"2026-12-08 22:16:03\",\"Seven, By Four\",\"999999999999999\",125,41,1234,0\r\n"));

    t.score().OpenAllScore();
    ASSERT_EQ(t.score().ScoreTop(), 2);
    const ScoreRecord &a = t.score().GetScore(1);
    EXPECT_EQ(a.GameName, QStringLiteral("Baker's Game"));
    EXPECT_FALSE(a.GameNo.isText());
    EXPECT_EQ(a.Score, -20);
    EXPECT_EQ(a.Player, QStringLiteral("Player1"));
    const ScoreRecord &b = t.score().GetScore(2);
    EXPECT_EQ(b.GameName, QStringLiteral("Seven, By Four"));
    EXPECT_TRUE(b.GameNo.isText());
    EXPECT_EQ(b.GameNo.value(), 999999999999999);
    EXPECT_EQ(b.Won, 0);
}

TEST(ScoreLog, AnAppendAfterATornLastLineStartsOnALineOfItsOwn)
{
    ScoreContext t;
    const QByteArray torn = logLine("2026-12-01 10:00:00", "Freecell", 1, 10, 20, 30, 1) + "\"2026-12-02 10:";
    t.writeLog(QStringLiteral("Player1"), torn);
    t.score().AddScore(0);
    EXPECT_EQ(bytesOf(t.logOf(QStringLiteral("Player1"))),
              torn + "\r\n\"2026-12-08 22:15:03\",\"Freecell\",617,125,41,-20,0\r\n");
    t.score().OpenAllScore();
    ASSERT_EQ(t.score().ScoreTop(), 2);
    EXPECT_EQ(t.score().GetScore(1).Time, 10);
    EXPECT_EQ(t.score().GetScore(2).Time, 125);
}

TEST(ScoreLog, ALineThatIsNotSevenFieldsInRangeIsSkippedAlone)
{
    ScoreContext t;
    QByteArray log;
    log += logLine("2026-12-01 10:00:00", "Freecell", 1, 10, 20, 30, 1);
    log += "\"2026-12-01 10:00:00\",\"Freecell\",1,10,20,30\r\n";                  // six fields
    log += "\"2026-12-01 10:00:00\",\"Freecell\",1,10,20,30,1,9\r\n";              // eight
    log += "\"2026-12-01 10:00:00\",\"Freecell\",1,10,x,30,1\r\n";                 // text for moves
    log += "\"2026-12-01 10:00:00\",\"Freecell\",1,2147483648,20,30,1\r\n";        // time past 32 bits
    log += "\"2026-12-01 10:00:00\",\"Freecell\",1,10,20,30,32768\r\n";            // flag past 16 bits
    log += "\"2026-12-01 10:00:00\",\"Freecell\",1234567890123456,10,20,30,1\r\n"; // 16 digits
    log += "\"2026-12-01 10:00:00\",\"Freecell,1,10,20,30,1\r\n";                  // unclosed quote
    log += "\"2026-12-01 10:00:00\"x\"Freecell\",1,10,20,30,1\r\n";                // no comma after a quote
    log += "\r\n";
    log += "\"yesterday\",\"Bouquet\",\"42\",-5,7,-2147483648,0\n";         // LF only, odd date
    log += "\"12/8/2026 10:15:03 PM\",\"Mania\",3,1,2,2147483647,-32768\r"; // CR only
    log += "\"2026-12-03T09:00:00\",\"Luxury\",-7,0,0,0,1";                 // no line end
    t.writeLog(QStringLiteral("Player1"), log);
    t.score().OpenAllScore();
    ASSERT_EQ(t.score().ScoreTop(), 4);
    const ScoreRecord &odd = t.score().GetScore(2);
    EXPECT_EQ(odd.DateText, QStringLiteral("yesterday"));
    EXPECT_FALSE(odd.HasDate());
    EXPECT_EQ(odd.ShortDate(), QStringLiteral("yesterday"));
    EXPECT_EQ(odd.Time, -5);
    EXPECT_EQ(odd.Score, INT32_MIN);
    EXPECT_TRUE(odd.GameNo.isText());
    const ScoreRecord &us = t.score().GetScore(3);
    EXPECT_EQ(us.ShortDate(), QStringLiteral("2026-12-08"));
    EXPECT_EQ(us.Won, -32768);
    EXPECT_EQ(t.score().GetScore(4).ShortDate(), QStringLiteral("2026-12-03"));
    EXPECT_EQ(t.score().GetScore(4).GameNo.value(), -7);
}

TEST(ScoreLog, DatesAreReadInEveryFormALogHolds)
{
    const auto day = [](const char *text) {
        QDate d;
        return ScoreLog::ReadDate(text, d) ? d : QDate();
    };
    EXPECT_EQ(day("2026-12-08 22:15:03"), QDate(2026, 12, 8));
    EXPECT_EQ(day("2026-12-08"), QDate(2026, 12, 8));
    EXPECT_EQ(day("2026-12-08T22:15:03"), QDate(2026, 12, 8));
    EXPECT_EQ(day("12/8/2026 10:15:03 PM"), QDate(2026, 12, 8));
    EXPECT_EQ(day("1/31/2027"), QDate(2027, 1, 31));
    EXPECT_EQ(day("2024-02-29 00:00:00"), QDate(2024, 2, 29));
    for (const char *bad : {"", "2026-02-30 10:00:00", "2026-13-01", "2026-12-08x", "12/8/26", "8.12.2026",
                            "2026-12-08 late", "13/1/2026"})
        EXPECT_FALSE(day(bad).isValid()) << bad;
}

TEST(ScoreLog, OnAFullDiskALineIsAppendedWholeOrNotAtAllWithTheSystemsReason)
{
    ScoreContext t;
    FullDisk disk(QFileInfo(t.logOf(QStringLiteral("Player1"))).absolutePath());
    const QString path = t.logOf(QStringLiteral("Player1"));
    // A log six bytes short of a whole page: the next line needs a page the disk lacks,
    // so only its first six bytes would fit.
    const QByteArray frame = logLine("2026-12-01 10:00:00", "", 1, 10, 20, 30, 1);
    const QByteArray log =
        logLine("2026-12-01 10:00:00", QByteArray(4090 - frame.size(), 'G').constData(), 1, 10, 20, 30, 1);
    ASSERT_EQ(log.size(), 4090);
    t.writeLog(QStringLiteral("Player1"), log);
    disk.fill();

    QString text;
    EXPECT_EQ(errorOf([&] { t.score().AddScore(1); }, &text), err::PathFileAccess);
    EXPECT_EQ(bytesOf(path), log);
    EXPECT_TRUE(text.contains(path)) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Unknown error"))) << text.toStdString();
    if (disk.mounted()) {
        EXPECT_TRUE(text.contains(QStringLiteral("No space left on device"))) << text.toStdString();
    }

    disk.free();
    t.score().AddScore(1);
    EXPECT_EQ(bytesOf(path), log + "\"2026-12-08 22:15:03\",\"Freecell\",617,125,41,-20,1\r\n");
}

TEST(ScoreLog, APipeOrADeviceInPlaceOfALogIsNeverOpenedNorWritten)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Pipe"), QStringLiteral("Zero")});
    const QString pipe = t.logOf(QStringLiteral("Pipe"));
    const QString zero = t.logOf(QStringLiteral("Zero"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    for (const QString &player : {QStringLiteral("Pipe"), QStringLiteral("Zero")}) {
        mCustomize::SetCurPlayer(t.ctx, player);
        QString text;
        EXPECT_EQ(errorOf([&] { t.score().AddScore(0); }, &text), err::PathFileAccess);
        EXPECT_TRUE(text.contains(t.logOf(player) + QStringLiteral(" is not a regular file"))) << text.toStdString();
    }
    t.box.expect(MsgResult::Ok, pipe);
    t.score().OpenAllScore();
    EXPECT_TRUE(t.box.last().text.contains(zero));
    EXPECT_EQ(t.score().ScoreTop(), 0);
}
