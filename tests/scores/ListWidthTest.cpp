// The statistics lists over records at the edges of what a log holds: a fifteen-digit
// game number, tens of thousands of hours, scores and moves in the billions and the
// longest game name. Qt elides a cell's text only where its column is narrower than the
// width the cell asks for, so every cell of every list is checked against its column.
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "scores/ScoreFixture.h"
#include "scores/frmGameStat.h"
#include "scores/frmHighScore.h"
#include "scores/frmLogStat.h"
#include "support/QtPrint.h"

namespace {

void expectWhole(const QTreeView *list)
{
    const QAbstractItemModel *m = list->model();
    ASSERT_GT(m->rowCount(), 0) << list->objectName().toStdString();
    for (int r = 0; r < m->rowCount(); ++r) {
        for (int c = 0; c < m->columnCount(); ++c) {
            const QModelIndex cell = m->index(r, c);
            EXPECT_GE(list->columnWidth(c), list->sizeHintForIndex(cell).width())
                << list->objectName().toStdString() << " row " << r << ": " << cell.data().toString().toStdString();
        }
    }
}

} // namespace

TEST(StatisticsLists, FifteenDigitsAndTensOfThousandsOfHoursShowWhole)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Ann")});
    t.writeLog(QStringLiteral("Ann"), logLine("2026-12-08 10:00:00", "Freecell Reversed", 999999999999999, 150000000,
                                              1999999999, 1999999999, 1) +
                                          logLine("2026-12-07 10:00:00", "Freecell Reversed", -99999999999999,
                                                  149999999, 1999999999, -1999999999, 0));
    {
        frmLogStat w(t.ctx);
        expectWhole(w.lvLog);
    }
    {
        frmGameStat w(t.ctx);
        expectWhole(w.lvGames);
        expectWhole(w.lvDate);
        expectWhole(w.lvPlayer);
    }
    frmHighScore w(t.ctx);
    expectWhole(w.lvTop);
    expectWhole(w.lvPlayer);
    expectWhole(w.lvFin); // its Score column bold
}
