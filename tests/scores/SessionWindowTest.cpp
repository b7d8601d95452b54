// The session statistics window over a fake session and clock: the state right after
// start-up, the running game's row and what a tick and "Refresh Chart" change of it.
#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeView>
#include <gtest/gtest.h>

#include "platform/ChartWidget.h"
#include "scores/ScoreFixture.h"
#include "scores/frmSesStat.h"
#include "store/cData.h"
#include "support/QtPrint.h"

namespace {
QStringList rowOf(const QTreeView *list, int row)
{
    QStringList cells;
    const QAbstractItemModel *m = list->model();
    for (int c = 0; c < m->columnCount(); ++c)
        cells << m->index(row, c).data().toString();
    return cells;
}
} // namespace

TEST(SessionWindow, RightAfterStartUpEverythingIsEmptyAndTheTimerRunsWithTheWindow)
{
    ScoreContext t;
    t.ctx.data().setSesStartTime(QStringLiteral("2026-12-08 22:15:00"));
    {
        frmSesStat w(t.ctx);
        w.show();
        EXPECT_EQ(w.SSTab1->currentIndex(), 0);
        EXPECT_EQ(w.lblSesStarted->text(), "Started : 2026-12-08 22:15:00");
        EXPECT_EQ(w.lblSesPlayed->text(), "Games Played : 0");
        EXPECT_EQ(w.lblSesElapsedTime->text(), "Time Elapsed : 0:00:03");
        EXPECT_EQ(w.lvSession->model()->rowCount(), 0);
        EXPECT_EQ(w.lvSesChart->model()->rowCount(), 0);
        EXPECT_EQ(w.chSummary->value(1, 1) + w.chSummary->value(1, 2), 0);
        w.SSTab1->setCurrentIndex(1);
        EXPECT_EQ(w.chChart->rowCount(), 1);
        EXPECT_EQ(w.lblPlayer->text(), "Player Name : Player1");
        EXPECT_TRUE(w.Timer1.active());
        EXPECT_EQ(w.Timer1.interval(), 500);
        t.clock.advance(3600);
        w.Timer1_Timer();
        EXPECT_EQ(w.lblSesElapsedTime->text(), "Time Elapsed : 1:00:03");
        w.close();
        EXPECT_FALSE(w.Timer1.active());
    }
}

TEST(SessionWindow, ATickMovesTheRunningRowsTimeAndScoreButNotItsMovesAndRefreshChartsIt)
{
    ScoreContext t;
    t.game.name = QStringLiteral("Bouquet"), t.game.time = 90, t.game.moves = 12, t.game.score = 30;
    t.score().AddSesGame(1);
    t.game.name = QStringLiteral("Freecell"), t.game.time = 40, t.game.moves = 5, t.game.score = -4;
    t.score().AddSesGame(0);
    t.game.running = true;
    t.game.started = QStringLiteral("2026-12-08 22:00:00");
    t.game.name = QStringLiteral("Luxury"), t.game.number = GameNumber::fromText(QStringLiteral("0042"));
    t.game.time = 61, t.game.moves = 7, t.game.score = 15;

    frmSesStat w(t.ctx);
    EXPECT_EQ(w.lblSesPlayed->text(), "Games Played : 2");
    EXPECT_EQ(w.lblSesWon->text(), "Games Won : 1");
    EXPECT_EQ(w.lblsesScore->text(), "Total Score : 26");
    EXPECT_EQ(w.lblGameStarted->text(), "Game Started : 2026-12-08 22:00:00");
    EXPECT_EQ(w.lblGameNo->text(), "Game Number : 0042");
    EXPECT_EQ(rowOf(w.lvSession, 1), (QStringList{"Freecell", "617", "Player1", "0:00:40", "5", "Lost", "-4"}));
    EXPECT_EQ(rowOf(w.lvSession, 2), (QStringList{"Luxury", "0042", "Player1", "0:01:01", "7", "Running", "15"}));
    const QModelIndex running = w.lvSession->model()->index(2, 6);
    EXPECT_EQ(running.data(Qt::ForegroundRole).value<QColor>(), QColor(120, 0, 0));
    EXPECT_FALSE(w.lvSession->model()->index(1, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(rowOf(w.lvSesChart, 2), (QStringList{"3", "0:01:01", "7", "15"}));
    EXPECT_EQ(w.lvSesChart->model()->index(2, 3).data(Qt::ForegroundRole).value<QColor>(), QColor(120, 0, 0));
    EXPECT_EQ(w.chChart->rowCount(), 0); // built when its tab first shows
    w.SSTab1->setCurrentIndex(1);
    ASSERT_EQ(w.chChart->rowCount(), 3);
    EXPECT_EQ(w.chChart->value(1, 1), 30);
    EXPECT_EQ(w.chChart->rowLabels(), (QStringList{"1", "2", "3"})); // numbered as the list

    t.game.time = 75, t.game.moves = 9, t.game.score = 11;
    w.Timer1_Timer();
    EXPECT_EQ(rowOf(w.lvSession, 2), (QStringList{"Luxury", "0042", "Player1", "0:01:15", "7", "Running", "11"}));
    EXPECT_EQ(rowOf(w.lvSesChart, 2), (QStringList{"3", "0:01:15", "7", "11"}));
    EXPECT_EQ(w.lblGameScore->text(), "Score : 11");
    EXPECT_EQ(w.lblGameMoves->text(), "Moves : 7");
    EXPECT_EQ(w.chChart->value(3, 1), 15); // the chart waits for Refresh Chart

    w.cmdRefresh->click();
    EXPECT_EQ(w.chChart->value(3, 1), 11);
    EXPECT_EQ(w.chChart->value(3, 2), 9);
    EXPECT_EQ(w.chChart->value(3, 3), 75);
    EXPECT_EQ(w.chChart->columnLabel(3), "Time");
}

TEST(SessionWindow, TheNumberColumnShowsFiveDigitGameNumbersWhole)
{
    ScoreContext t;
    for (int i = 0; i < 10000; ++i)
        t.score().AddSesGame(0);
    frmSesStat w(t.ctx);
    w.show();
    w.SSTab1->setCurrentIndex(1);
    const QModelIndex last = w.lvSesChart->model()->index(9999, 0);
    ASSERT_EQ(last.data().toString(), "10000");
    // The style elides a text wider than the cell less a margin each side, and the picture.
    const QTreeView *list = w.lvSesChart;
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const int picture = last.data(Qt::DecorationRole).isValid() ? 16 + 2 * margin : 0;
    EXPECT_GE(list->columnWidth(0),
              picture + list->fontMetrics().horizontalAdvance(QStringLiteral("10000")) + 2 * margin);
}
