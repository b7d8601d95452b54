// Ended games reach the log through the session: each once, lost or won as it ended,
// a pending-list game never, a number chosen as text with its text, and an unwritable
// log stops no game.
#include <gtest/gtest.h>

#include <QDir>

#include "appearance/mCustomize.h"
#include "core/FolderList.h"
#include "engine/cEngine.h"
#include "scores/cScore.h"
#include "shell/cGamePlay.h"
#include "shell/frmFinish.h"
#include "store/cData.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"

namespace {
struct Table : GameContext {
    Table() { mCustomize::SetPlayer(ctx, 1, QStringLiteral("Ann"), true); }
    // The won flags of the log, oldest first.
    QList<int> logged()
    {
        ctx.score().OpenAllScore();
        QList<int> won;
        for (std::int32_t i = 1; i <= ctx.score().ScoreTop(); ++i)
            won << ctx.score().GetScore(i).Won;
        ctx.score().CloseScore();
        return won;
    }
};
} // namespace

TEST(ScoreSession, AClosedGameIsLoggedOnceAsLostAWonOneOnceAsWonAPendingOneNever)
{
    Table t;
    t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(8));
    t.gp().EndGame(0, false); // Close
    EXPECT_EQ(t.logged(), (QList<int>{0}));

    t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(8));
    t.takeAllHome();
    ASSERT_TRUE(t.gp().Won());
    {
        frmFinish dialog(t.ctx);
        dialog.Form_Load();
        dialog.Toolbar1_ButtonClick(QStringLiteral("Close"));
    }
    t.gp().PlayNumber(QStringLiteral("Bouquet"), GameNumber::fromNumber(5));
    EXPECT_EQ(t.logged(), (QList<int>{0, 1}));

    const QString pending = FolderList::join(t.ctx.data().PendingFolder(), QStringLiteral("Bouquet-5.qx0"));
    t.engine().SavetoFile(pending);
    t.gp().ClearArea();
    t.gp().PlayPendFile(pending);
    t.gp().EndGame(0, false);
    EXPECT_EQ(t.logged(), (QList<int>{0, 1}));

    // A new start ends the game in play as lost.
    t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(9));
    t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(10));
    EXPECT_EQ(t.logged(), (QList<int>{0, 1, 0}));
    EXPECT_EQ(t.ctx.score().SesTop(), 3);
}

TEST(ScoreSession, AnUnwritableLogIsReportedByNameAndTheNextGameStillStarts)
{
    Table t;
    const QString log = cScore::LogPath(t.ctx, QStringLiteral("Ann"));
    ASSERT_TRUE(QDir().mkpath(log)); // a folder where the log should be: no one can write it
    t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(8));
    t.box.expect(MsgResult::Ok, log);
    t.gp().PlayNumber(QStringLiteral("Bouquet"), GameNumber::fromNumber(5));
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(t.gp().GameName(), QStringLiteral("Bouquet"));
    EXPECT_EQ(t.ctx.score().SesTop(), 1);
    EXPECT_FALSE(QDir(t.ctx.data().AutoSaveFolder()).entryList({QStringLiteral("Freecell-8*")}).isEmpty());
}

TEST(ScoreSession, AGameNumberChosenAsTextIsLoggedAndReportedAsThatText)
{
    Table t;
    t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromText(QStringLiteral("007")));
    t.gp().EndGame(0, false);
    const QByteArray log = bytesOf(cScore::LogPath(t.ctx, QStringLiteral("Ann")));
    EXPECT_TRUE(log.contains(",\"Freecell\",\"007\",")) << log.toStdString();
    t.ctx.score().OpenAllScore();
    ASSERT_EQ(t.ctx.score().ScoreTop(), 1);
    EXPECT_EQ(t.ctx.score().GetScore(1).GameNo.text(), QStringLiteral("007"));
    EXPECT_TRUE(t.ctx.score().StatReport().endsWith("     007\r\n"));
}
