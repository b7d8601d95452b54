// The game history window: the marks of the current and the undone moves, and the
// export, byte for byte, through the scripted file dialog, including a cancel and a
// write that fails.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QPushButton>
#include <QTreeView>
#include <gtest/gtest.h>

#include "appearance/mCustomize.h"
#include "engine/cEngine.h"
#include "platform/Clock.h"
#include "scores/HistoryRows.h"
#include "scores/frmHistory.h"
#include "scores/mHistory.h"
#include "shell/cGamePlay.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"

namespace {

// A session whose figures the test chooses.
struct FixedSession : NullSessionInfo {
    QString GameName() const override { return name; }
    int Game_Status() const override { return 1; }
    GameNumber GameNo() const override { return number; }
    std::int32_t Time() const override { return time; }
    std::int16_t Moves() const override { return moves; }
    std::int16_t Score() const override { return score; }

    QString name = QStringLiteral("Freecell");
    GameNumber number = GameNumber::fromNumber(617);
    std::int32_t time = 3725;
    std::int16_t moves = 3;
    std::int16_t score = -12;
};

struct ExportParts {
    FixedClock clock;
    FixedSession session;
    ScriptedFileDialog dialogs;
};

struct Export : ExportParts, TestContext {
    Export() : TestContext(services(*this))
    {
        mCustomize::SetCurPlayer(ctx, QStringLiteral("Ann"));
        TransRecord one;
        one.SCell = 0, one.SPile = 2, one.SPos = 6, one.DCell = 3, one.DPile = 0, one.DPos = 0;
        TransRecord three;
        three.SCell = 4, three.SPile = 1, three.SPos = 0, three.DCell = 0, three.DPile = 7, three.DPos = 4;
        three.mCards = 2;
        TransRecord two;
        two.SCell = 0, two.SPile = 4, two.SPos = 3, two.DCell = 0, two.DPile = 5, two.DPos = 9;
        two.mCards = 1;
        ctx.engine().SetRecords({one, three, two});
    }
    static Services services(ExportParts &parts)
    {
        Services s;
        s.clock = &parts.clock;
        s.session = &parts.session;
        s.fileDialogs = &parts.dialogs;
        return s;
    }
    QString folder() const { return home.path(); }
};

const QByteArray kMoves = " 1   Tableau (Pile 3, Card 7)  ->Foundation (Pile 1, Card 1)  1 Card Moved\r\n"
                          " 2   Reserve (Pile 2, Card 1)  ->Tableau (Pile 8, Card 5)  3 Cards Moved\r\n"
                          " 3   Tableau (Pile 5, Card 4)  ->Tableau (Pile 6, Card 10)  2 Cards Moved\r\n";

} // namespace

TEST(HistoryWindow, TheCurrentMoveIsDarkRedAndBoldAndUndoneMovesOlive)
{
    GameContext c;
    c.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(617));
    c.moveToFreeCell(0);
    c.moveToFreeCell(1);
    c.moveToFreeCell(2);
    int speed = 0;
    c.engine().Undo(speed);
    const QString sound = c.setSoundFile(QStringLiteral("History"));
    c.sounds.played.clear();
    frmHistory dlg(c.ctx);
    const QAbstractItemModel *rows = dlg.lvHistory->model();
    ASSERT_EQ(rows->rowCount(), 3);
    EXPECT_EQ(rows->headerData(0, Qt::Horizontal).toString(), QString());
    EXPECT_EQ(rows->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Cards"));
    EXPECT_EQ(rows->index(1, 1).data().toString(), QStringLiteral("Tableau (Pile 2, Card 7)"));
    EXPECT_EQ(rows->index(1, 2).data().toString(), QStringLiteral("Reserve (Pile 2, Card 1)"));
    EXPECT_FALSE(rows->index(0, 1).data(Qt::ForegroundRole).isValid());
    for (int col = 0; col < HistoryRows::ColumnCount; ++col) {
        EXPECT_EQ(rows->index(1, col).data(Qt::ForegroundRole).value<QColor>(), QColor(128, 0, 0));
        EXPECT_TRUE(rows->index(1, col).data(Qt::FontRole).value<QFont>().bold());
        EXPECT_EQ(rows->index(2, col).data(Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 0));
        EXPECT_FALSE(rows->index(2, col).data(Qt::FontRole).value<QFont>().bold());
    }
    EXPECT_EQ(c.sounds.played, QStringList{sound});
}

TEST(HistoryExport, WritesEveryMoveAndAnnouncesSuccessReplacingAnOldFile)
{
    Export c;
    const QString path = c.folder() + "/out.txt";
    writeBytes(path, QByteArray(4000, 'x'));
    c.dialogs.expectSave(path);
    c.box.expect(MsgResult::Ok, QStringLiteral("Successfully Exported"));
    frmHistory dlg(c.ctx);
    dlg.cmdExport_Click();
    const FileDialogRequest &asked = c.dialogs.last().request;
    EXPECT_EQ(asked.filter, QStringLiteral("Brackenfold 6.0 Game History (*.txt)|*.txt"));
    EXPECT_EQ(asked.fileName, QStringLiteral("Freecell-617.txt"));
    EXPECT_EQ(asked.defaultExt, QStringLiteral(".txt"));
    EXPECT_TRUE(asked.promptOverwrite);
    EXPECT_EQ(c.box.last().icon, MsgIcon::Information);
    const QByteArray bytes = bytesOf(path);
    EXPECT_TRUE(bytes.startsWith("Game Name: Freecell\r\nGame Number:  617 \r\nPlayer: Ann\r\nMoves:  3 \r\n"
                                 "Time: 1:02:05\r\nScore: -12 \r\nDate :2026-12-08 22:15:03\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n-------Game History-------\r\n" + kMoves));
}

TEST(HistoryExport, ANumberHeldAsTextIsWrittenAsGivenAndTheDateAloneAtMidnight)
{
    Export c;
    c.session.number = GameNumber::fromText(QStringLiteral("00617"));
    c.session.score = 40;
    const QString path = c.folder() + "/h.txt";
    mHistory::WriteHistory(c.ctx, path, QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
    EXPECT_EQ(bytesOf(path), "Game Name: Freecell\r\nGame Number: 00617\r\nPlayer: Ann\r\nMoves:  3 \r\n"
                             "Time: 1:02:05\r\nScore:  40 \r\nDate :2026-12-09\r\n-------Game History-------\r\n" +
                                 kMoves);
    EXPECT_EQ(mHistory::DateText(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 3))),
              QStringLiteral("2026-12-09 14:05:03"));
}

TEST(HistoryExport, ACancelWritesNothingAndSaysNothing)
{
    Export c;
    c.dialogs.expectSave(QString());
    frmHistory dlg(c.ctx);
    dlg.cmdExport_Click();
    EXPECT_TRUE(QDir(c.folder()).entryList({QStringLiteral("*.txt")}, QDir::Files).isEmpty());
    EXPECT_TRUE(c.box.prompts().isEmpty());
}

TEST(HistoryExport, AFailedWriteNamesTheFileKeepsTheOldOneAndClaimsNoSuccess)
{
    Export c;
    // A folder where the file should be: nothing can replace it.
    const QString path = c.folder() + "/taken.txt";
    ASSERT_TRUE(QDir(c.folder()).mkdir(QStringLiteral("taken.txt")));
    c.dialogs.expectSave(path);
    c.box.allowNotices();
    frmHistory dlg(c.ctx);
    dlg.cmdExport->click();
    ASSERT_EQ(c.box.prompts().size(), 1);
    EXPECT_TRUE(c.box.last().text.contains(path)) << c.box.last().text.toStdString();
    EXPECT_FALSE(c.box.last().text.contains(QStringLiteral("Successfully")));
    EXPECT_TRUE(QFileInfo(path).isDir());
}
