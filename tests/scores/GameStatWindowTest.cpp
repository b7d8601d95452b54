// The game statistics window over hand-written stores with a fixed clock: every table
// and chart of two of three games won with a negative total, the first fifty games of
// one name, the calendar periods, unreadable dates, clearing and closing.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "platform/ChartWidget.h"
#include "scores/ScoreFixture.h"
#include "scores/frmGameStat.h"
#include "store/cData.h"
#include "support/QtPrint.h"

namespace {
QStringList rowOf(const QTreeWidget *list, int row)
{
    QStringList cells;
    const QTreeWidgetItem *item = list->topLevelItem(row);
    for (int c = 0; item != nullptr && c < list->columnCount(); ++c)
        cells << item->text(c);
    return cells;
}

int rowNamed(const QTreeWidget *list, const QString &name)
{
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        if (list->topLevelItem(r)->text(0) == name)
            return r;
    }
    return -1;
}

QStringList columnLabels(const ChartWidget *chart)
{
    QStringList labels;
    for (int c = 1; c <= chart->columnCount(); ++c)
        labels << chart->columnLabel(c);
    return labels;
}

QList<double> values(const ChartWidget *chart, int row)
{
    QList<double> out;
    for (int c = 1; c <= chart->columnCount(); ++c)
        out << chart->value(row, c);
    return out;
}

void choose(QComboBox *combo, const QString &text)
{
    const int i = combo->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    combo->setCurrentIndex(i);
}
} // namespace

TEST(GameStatWindow, TwoOfThreeWonWithANegativeTotalFillEveryTab)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Ann"), QStringLiteral("Bob")});
    t.writeLog(QStringLiteral("Ann"), logLine("2026-12-08 10:00:00", "Bouquet", 1, 100, 30, 40, 1) +
                                          logLine("2026-12-06 10:00:00", "Bouquet", 2, 200, 31, -90, 1) +
                                          logLine("2026-11-06 10:00:00", "Bouquet", 3, 3600, 29, 10, 0) +
                                          logLine("garbled", "Freecell", 4, 10, 1, 1, 0));
    frmGameStat w(t.ctx);
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_EQ(w.SSTab1->tabText(3), "Player-wise");

    QStringList general;
    for (int r = 0; r < w.lvGeneral->count(); ++r)
        general << w.lvGeneral->item(r)->text();
    EXPECT_EQ(general, (QStringList{"Games Played : 4", "Games Won : 2", "Games Lost : 2", "Total Moves : 91",
                                    "Total Score : -39", "Total Time : 1:05:10", "Moves Per Game : 22",
                                    "Score Per Game : -9", "Time Per Game : 0:16:18", "Games Per Hour : 3",
                                    "Moves Per Hour : 83", "Score Per Hour : -35", "Winning Percentage : 50%"}));
    EXPECT_EQ(values(w.chGen, 1), (QList<double>{2, 2}));
    EXPECT_EQ(columnLabels(w.chGen), (QStringList{"Won : 2", "Lost : 2"}));
    EXPECT_EQ(values(w.chGen1, 1), (QList<double>{0, 91, 3910})); // a negative score shows 0
    EXPECT_EQ(columnLabels(w.chGen1), (QStringList{"Score", "Moves", "Time"}));

    // Game-wise: 2 of 3 with two decimals; a game nobody played is a zero row.
    const int bouquet = rowNamed(w.lvGames, "Bouquet");
    EXPECT_EQ(rowOf(w.lvGames, bouquet), (QStringList{"Bouquet", "3", "2", "1", "1:05:00", "90", "-40", "66.67%"}));
    EXPECT_EQ(rowOf(w.lvGames, rowNamed(w.lvGames, "Luxury")),
              (QStringList{"Luxury", "0", "0", "0", "0:00:00", "0", "0", "0%"}));
    EXPECT_EQ(w.lvGames->topLevelItemCount(), t.ctx.data().TotalGames());
    EXPECT_EQ(w.imcGames->currentIndex(), 0); // no game in play
    choose(w.imcGames, "Bouquet");
    EXPECT_EQ(columnLabels(w.chGames), (QStringList{"Won : 2", "Lost : 1"}));
    ASSERT_EQ(w.chGames1->rowCount(), 3);
    EXPECT_EQ(values(w.chGames1, 2), (QList<double>{-90, 31, 200}));

    // Date-wise: five days to today; the unreadable date is in no period.
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Day");
    ASSERT_EQ(w.lvDate->topLevelItemCount(), 5);
    EXPECT_EQ(rowOf(w.lvDate, 0), (QStringList{"Dec 04", "0", "0"}));
    EXPECT_EQ(rowOf(w.lvDate, 2), (QStringList{"Dec 06", "1", "1"}));
    EXPECT_EQ(rowOf(w.lvDate, 4), (QStringList{"Dec 08", "1", "1"}));
    EXPECT_EQ(values(w.chDate1, 3), (QList<double>{-90, 31, 200})); // negative sums stay
    EXPECT_EQ(columnLabels(w.chDate), (QStringList{"Played", "Won"}));
    choose(w.imcDate, "Last 10 Months");
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Month");
    ASSERT_EQ(w.lvDate->topLevelItemCount(), 10);
    EXPECT_EQ(rowOf(w.lvDate, 0).first(), "Mar 26");
    EXPECT_EQ(rowOf(w.lvDate, 8), (QStringList{"Nov 26", "1", "0"}));
    EXPECT_EQ(rowOf(w.lvDate, 9), (QStringList{"Dec 26", "2", "2"}));
    choose(w.imcDate, "Last 5 Years");
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Year");
    EXPECT_EQ(rowOf(w.lvDate, 4), (QStringList{"2026", "3", "2"}));

    // Player-wise: a whole number of percent; the current player is shown.
    EXPECT_EQ(rowOf(w.lvPlayer, 0), (QStringList{"Ann", "4", "2", "2", "1:05:10", "91", "-39", "50%"}));
    EXPECT_EQ(rowOf(w.lvPlayer, 1), (QStringList{"Bob", "0", "0", "0", "0:00:00", "0", "0", "0%"}));
    EXPECT_EQ(w.imcPlayer->currentText(), "Ann");
    EXPECT_EQ(values(w.chPlayer1, 1), (QList<double>{0, 91, 3910}));
    choose(w.imcPlayer, "Bob");
    EXPECT_EQ(columnLabels(w.chPlayer), (QStringList{"Won : 0", "Lost : 0"}));
}

TEST(GameStatWindow, PercentagesRoundPerTabAndOnlyFiftyGamesAreCharted)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Ann")});
    QByteArray log = logLine("2026-12-08 10:00:00", "Bouquet", 1, 1, 1, 1, 1) +
                     logLine("2026-12-08 10:00:00", "Bouquet", 2, 1, 1, 1, 1) +
                     logLine("2026-12-08 10:00:00", "Bouquet", 3, 1, 1, 1, 0);
    for (int i = 1; i <= 60; ++i)
        log += logLine("2026-12-01 10:00:00", "Freecell", i, i, 1, 1, 0);
    t.writeLog(QStringLiteral("Ann"), log);
    t.game.running = true; // Freecell in play is the game chosen at opening
    frmGameStat w(t.ctx);
    EXPECT_EQ(rowOf(w.lvGames, rowNamed(w.lvGames, "Bouquet")).last(), "66.67%");
    EXPECT_EQ(w.imcGames->currentText(), "Freecell");
    ASSERT_EQ(w.chGames1->rowCount(), 50);
    EXPECT_EQ(w.chGames1->value(50, 3), 50);
    EXPECT_EQ(columnLabels(w.chGames), (QStringList{"Won : 0", "Lost : 60"}));
    choose(w.imcGames, "Bouquet");
    EXPECT_EQ(rowOf(w.lvPlayer, 0).last(), "3%"); // 2 of 63
}

TEST(GameStatWindow, ClearingDeletesTheLogsButKeepsWhatIsShownAndClosingReleasesTheStore)
{
    ScoreContext t;
    t.writeLog(QStringLiteral("Player1"), logLine("2026-12-08 10:00:00", "Bouquet", 1, 100, 30, 40, 1));
    frmGameStat w(t.ctx);
    w.show();
    t.box.expect(MsgResult::Yes, QStringLiteral("Are you sure you want to clear the Statistics, High Score and Log "
                                                "for all Players and Games ?"));
    t.box.expect(MsgResult::Ok, QStringLiteral("Statistics, High Score and Log have been Cleared."));
    w.cmdClear->click();
    EXPECT_FALSE(QFile::exists(t.logOf(QStringLiteral("Player1"))));
    EXPECT_EQ(w.lvGeneral->item(0)->text(), "Games Played : 1");
    EXPECT_EQ(t.score().ScoreTop(), 1);
    w.cmdClose->click();
    EXPECT_EQ(t.score().ScoreTop(), 0);
}

TEST(GameStatWindow, ACurrentPlayerMissingFromTheListFallsBackToTheFirstInComboAndCharts)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Ann"), QStringLiteral("Bob")});
    t.writeLog(QStringLiteral("Ann"), logLine("2026-12-08 10:00:00", "Bouquet", 1, 100, 30, 40, 1));
    mCustomize::SetCurPlayer(t.ctx, QStringLiteral("Zed"));
    frmGameStat w(t.ctx);
    EXPECT_EQ(w.imcPlayer->currentText(), "Ann");
    EXPECT_EQ(columnLabels(w.chPlayer), (QStringList{"Won : 1", "Lost : 0"}));
    EXPECT_EQ(values(w.chPlayer1, 1), (QList<double>{40, 30, 100}));
}
