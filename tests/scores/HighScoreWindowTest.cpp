// The High Score window offscreen: each tab's rows, order, cells and marked column over
// two players' logs, the combos' choices, and the logs released however it closes. Also
// the name box window the Players window opens.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "scores/ScoreFixture.h"
#include "scores/dlGInput.h"
#include "scores/frmGameStat.h"
#include "scores/frmHighScore.h"
#include "store/cData.h"

namespace {

struct Logs : ScoreContext {
    Logs()
    {
        setPlayers({QStringLiteral("Ann"), QStringLiteral("Bob")});
        writeLog(QStringLiteral("Ann"), logLine("2026-12-08 22:15:03", "Freecell", 617, 125, 41, 300, 1) +
                                            logLine("2026-12-09 10:00:00", "Baker's Game", 12, 200, 50, 150, 0) +
                                            logLine("2026-12-09 11:00:00", "Freecell", 618, 90, 41, 0, 1));
        writeLog(QStringLiteral("Bob"), "\"2026-12-01 08:00:00\",\"Freecell\",\"77\",400,60,300,1\r\n" +
                                            logLine("2026-12-02 08:00:00", "Baker's Game", 5, 100, 30, -5, 0));
    }
};

QStringList cells(const QTreeWidget *list, int row)
{
    QStringList texts;
    const QTreeWidgetItem *item = list->topLevelItem(row);
    for (int c = 0; item && c < list->columnCount(); ++c)
        texts << item->text(c);
    return texts;
}

QStringList column(const QTreeWidget *list, int c)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(c);
    return texts;
}

QStringList headers(const QTreeWidget *list)
{
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts << list->headerItem()->text(c);
    return texts;
}

// Only the column given is bold and dark red, in every row.
void expectMarked(const QTreeWidget *list, int marked)
{
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = list->topLevelItem(row);
        for (int c = 0; c < list->columnCount(); ++c) {
            EXPECT_EQ(item->font(c).bold(), c == marked) << "row " << row << " column " << c;
            EXPECT_EQ(item->foreground(c).color() == QColor(128, 0, 0), c == marked)
                << "row " << row << " column " << c;
        }
    }
}

void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

TEST(HighScoreWindow, TopScoreListsPositiveScoresBestFirstLaterFirstOnTies)
{
    Logs t;
    frmHighScore window(t.ctx);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("High Score"));
    EXPECT_EQ(window.SSTab1->currentIndex(), 0);
    const QStringList tabs = {window.SSTab1->tabText(0), window.SSTab1->tabText(1), window.SSTab1->tabText(2),
                              window.SSTab1->tabText(3)};
    EXPECT_EQ(tabs, QStringList({"Top Score", "Game-wise", "Player-wise", "Finished Games"}));
    EXPECT_EQ(headers(window.lvTop),
              QStringList({"Game", "Player", "Score", "Time", "Moves", "Status", "Date", "Game No."}));
    ASSERT_EQ(window.lvTop->topLevelItemCount(), 3);
    EXPECT_EQ(cells(window.lvTop, 0),
              QStringList({"Freecell", "Bob", "300", "0:06:40", "60", "Won", "2026-12-01", "77"}));
    EXPECT_EQ(column(window.lvTop, 1), QStringList({"Bob", "Ann", "Ann"}));
    EXPECT_EQ(cells(window.lvTop, 2).at(5), QStringLiteral("Lost"));
    expectMarked(window.lvTop, 2);
    const QTreeWidgetItem *row = window.lvTop->topLevelItem(0);
    EXPECT_TRUE(row->textAlignment(0) & Qt::AlignLeft);
    for (int c = 1; c <= 6; ++c)
        EXPECT_TRUE(row->textAlignment(c) & Qt::AlignHCenter) << c;
    EXPECT_TRUE(row->textAlignment(7) & Qt::AlignLeft);
}

TEST(HighScoreWindow, GameWiseShowsTheGameInPlayElseTheFirstAsGameStatisticsDoes)
{
    Logs t;
    t.game.name = QStringLiteral("Baker's Game");
    t.game.running = true;
    {
        frmHighScore window(t.ctx);
        EXPECT_EQ(window.imcGames->count(), t.ctx.data().TotalGames());
        EXPECT_EQ(window.imcGames->currentText(), QStringLiteral("Baker's Game"));
        EXPECT_EQ(headers(window.lvGames).mid(0, 2), QStringList({"S No.", "Player"}));
        ASSERT_EQ(window.lvGames->topLevelItemCount(), 1);
        EXPECT_EQ(cells(window.lvGames, 0),
                  QStringList({"1", "Ann", "150", "0:03:20", "50", "Lost", "2026-12-09", "12"}));
        expectMarked(window.lvGames, 2);
        choose(window.imcGames, QStringLiteral("Freecell"));
        EXPECT_EQ(column(window.lvGames, 0), QStringList({"1", "2"}));
        EXPECT_EQ(column(window.lvGames, 7), QStringList({"77", "617"}));
    }
    // After Close Game the session keeps the name, but no game is in play: both windows
    // show the first game.
    t.game.running = false;
    ASSERT_NE(t.ctx.data().GetGName(1), t.game.name);
    frmHighScore window(t.ctx);
    EXPECT_EQ(window.imcGames->currentText(), t.ctx.data().GetGName(1));
    frmGameStat stats(t.ctx);
    EXPECT_EQ(stats.imcGames->currentText(), window.imcGames->currentText());
}

TEST(HighScoreWindow, PlayerWiseFallsBackToTheFirstPlayerWhenTheCurrentIsNotListed)
{
    Logs t;
    mCustomize::SetCurPlayer(t.ctx, QStringLiteral("Zed"));
    frmHighScore window(t.ctx);
    EXPECT_EQ(window.imcPlayer->currentText(), QStringLiteral("Ann"));
    EXPECT_EQ(headers(window.lvPlayer).mid(0, 2), QStringList({"S No.", "Game"}));
    EXPECT_EQ(column(window.lvPlayer, 1), QStringList({"Freecell", "Baker's Game"}));
    choose(window.imcPlayer, QStringLiteral("Bob"));
    EXPECT_EQ(cells(window.lvPlayer, 0),
              QStringList({"1", "Freecell", "300", "0:06:40", "60", "Won", "2026-12-01", "77"}));
    EXPECT_EQ(window.lvPlayer->topLevelItemCount(), 1);
}

TEST(HighScoreWindow, FinishedGamesByScoreMovesAndTimeMarkTheirColumn)
{
    Logs t;
    frmHighScore window(t.ctx);
    EXPECT_EQ(headers(window.lvFin),
              QStringList({"S No.", "Game", "Player", "Score", "Time", "Moves", "Date", "Game No."}));
    EXPECT_EQ(window.imcFin->currentText(), QStringLiteral("Score"));
    EXPECT_EQ(column(window.lvFin, 7), QStringList({"77", "617"}));
    expectMarked(window.lvFin, 3);
    // A won game of score 0 is listed by moves and time; equal moves: the later first.
    choose(window.imcFin, QStringLiteral("Moves"));
    EXPECT_EQ(column(window.lvFin, 7), QStringList({"618", "617", "77"}));
    expectMarked(window.lvFin, 5);
    choose(window.imcFin, QStringLiteral("Time"));
    EXPECT_EQ(column(window.lvFin, 4), QStringList({"0:01:30", "0:02:05", "0:06:40"}));
    expectMarked(window.lvFin, 4);
    for (int c = 0; c < window.lvFin->columnCount(); ++c)
        EXPECT_FALSE(window.lvFin->topLevelItem(0)->textAlignment(c) & Qt::AlignHCenter) << c;
}

TEST(HighScoreWindow, WithoutLogsTheListsAreEmptyAndTheCombosFull)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Ann"), QStringLiteral("Bob")});
    frmHighScore window(t.ctx);
    for (const QTreeWidget *list : {window.lvTop, window.lvGames, window.lvPlayer, window.lvFin})
        EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(window.imcGames->count(), t.ctx.data().TotalGames());
    EXPECT_EQ(window.imcPlayer->count(), 2);
    EXPECT_EQ(window.imcFin->count(), 3);
}

TEST(HighScoreWindow, TheLogsAreReleasedHoweverTheWindowCloses)
{
    Logs t;
    frmHighScore window(t.ctx);
    window.show();
    EXPECT_EQ(t.score().ScoreTop(), 5);
    window.cmdClose->click();
    EXPECT_EQ(t.score().ScoreTop(), 0);
    EXPECT_EQ(t.score().GetTopScore(1).Score, 0);

    frmHighScore again(t.ctx);
    again.show();
    EXPECT_EQ(t.score().ScoreTop(), 5);
    again.reject(); // Escape and the close box
    EXPECT_EQ(t.score().ScoreTop(), 0);
}

TEST(NameBox, OkClosesOnlyWhenTheCheckAccepts)
{
    ScoreContext t;
    QStringList seen;
    bool accept = false;
    dlGInput box(t.box, QStringLiteral("Edit Player"), QStringLiteral("Bob"), [&](const QString &name) {
        seen << name;
        return accept;
    });
    box.show();
    EXPECT_EQ(box.windowTitle(), t.ctx.data().ProdName());
    EXPECT_EQ(box.Label1->text(), QStringLiteral("Edit Player"));
    EXPECT_EQ(box.Text1->selectedText(), QStringLiteral("Bob"));
    EXPECT_EQ(box.OKButton->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.CancelButton->text(), QStringLiteral("Cancel"));
    box.Text1->setText(QStringLiteral(" Ann"));
    box.OKButton->click();
    EXPECT_TRUE(box.isVisible());
    accept = true;
    box.OKButton->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(seen, QStringList({" Ann", " Ann"}));
}
