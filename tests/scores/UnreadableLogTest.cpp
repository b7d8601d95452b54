// Score logs that cannot be read or deleted: a folder in a log's place, a log too large
// to load. Every statistics window still opens with the other players' games and says
// once per run which log it left out; clearing tries every log and names those left.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "scores/ScoreFixture.h"
#include "scores/ScoreLog.h"
#include "scores/frmGameStat.h"
#include "scores/frmHighScore.h"
#include "scores/frmLogStat.h"
#include "support/QtPrint.h"

namespace {
// Ann and Cy with a game each; a folder stands where Bob's log should be.
struct BrokenLog : ScoreContext {
    BrokenLog()
    {
        setPlayers({QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cy")});
        writeLog(QStringLiteral("Ann"), logLine("2026-12-08 10:00:00", "Freecell", 1, 60, 10, 50, 1));
        writeLog(QStringLiteral("Cy"), logLine("2026-12-08 11:00:00", "Bouquet", 2, 60, 10, 40, 0));
        EXPECT_TRUE(QDir().mkpath(bob()));
    }
    QString bob() const { return logOf(QStringLiteral("Bob")); }
};
} // namespace

TEST(UnreadableLog, EveryStatisticsWindowOpensWithTheOtherLogsAndNamesTheOneLeftOutOnce)
{
    BrokenLog t;
    t.box.expect(MsgResult::Ok, t.bob());
    {
        frmHighScore w(t.ctx);
        EXPECT_EQ(w.lvTop->topLevelItemCount(), 2);
    }
    // The same log left out is told once per run, not at every opening.
    {
        frmLogStat w(t.ctx);
        EXPECT_EQ(w.lvLog->model()->rowCount(), 2);
    }
    frmGameStat w(t.ctx);
    EXPECT_EQ(w.lvGeneral->item(0)->text(), QStringLiteral("Games Played : 2"));
    ASSERT_EQ(t.box.prompts().size(), 1);
    EXPECT_EQ(t.box.last().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(t.box.last().text.contains(QStringLiteral("not a regular file"))) << t.box.last().text.toStdString();
    EXPECT_FALSE(t.box.last().text.contains(t.logOf(QStringLiteral("Cy"))));

    // Clear Statistics deletes every log it can, also those after Bob's, and names his.
    t.box.expect(MsgResult::Yes, QStringLiteral("clear the Statistics"));
    t.box.expect(MsgResult::Ok, t.bob());
    w.cmdClear->click();
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
    EXPECT_FALSE(t.box.last().text.contains(QStringLiteral("have been Cleared.")));
    EXPECT_FALSE(QFile::exists(t.logOf(QStringLiteral("Ann"))));
    EXPECT_FALSE(QFile::exists(t.logOf(QStringLiteral("Cy"))));
    EXPECT_TRUE(QFileInfo(t.bob()).isDir());
}

TEST(UnreadableLog, ALogBeyondTheSizeLimitIsRefusedByNameAndAnOverlongLineIsSkippedAlone)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Ann"), QStringLiteral("Big")});
    // A megabyte of garbage without a line end stands between two records.
    const QByteArray first = logLine("2026-12-08 10:00:00", "Freecell", 1, 60, 10, 50, 1);
    const QByteArray last = logLine("2026-12-08 11:00:00", "Freecell", 2, 60, 10, 50, 1);
    t.writeLog(QStringLiteral("Ann"), first + QByteArray(1 << 20, 'x') + "\r\n" + last);
    t.writeLog(QStringLiteral("Big"), first);
    // A sparse file: one record, then zeros up to one byte beyond the limit.
    QFile big(t.logOf(QStringLiteral("Big")));
    ASSERT_TRUE(big.resize(ScoreLog::kMaxLogBytes + 1));
    t.box.expect(MsgResult::Ok, big.fileName());
    t.score().OpenAllScore();
    EXPECT_TRUE(t.box.last().text.contains(QStringLiteral("larger than 256 MB"))) << t.box.last().text.toStdString();
    ASSERT_EQ(t.score().ScoreTop(), 2);
    EXPECT_EQ(t.score().GetScore(2).GameNo.value(), 2);
}
