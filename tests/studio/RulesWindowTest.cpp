#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "app/Context.h"
#include "core/TextFile.h"
#include "engine/cCustom.h"
#include "shell/cGamePlay.h"
#include "shell/m_Main.h"
#include "store/cData.h"
#include "studio/frmRules.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"
#include "support/WindowContext.h"

namespace {
const QString kGroup = QStringLiteral("A group of cards can be moved to another tableau column if they are in sequence "
                                      "and there is enough space where the cards could be moved individually.");

struct Sheet {
    const char *game, *found, *tab, *res, *gOrder, *hOrder, *hak;
};

void expectSheet(const frmRules *w, const Sheet &s)
{
    ASSERT_NE(w, nullptr) << s.game;
    EXPECT_EQ(w->lbGame->text(), s.game);
    EXPECT_EQ(w->lbFound->text(), s.found) << s.game;
    EXPECT_EQ(w->lbTab->text(), s.tab) << s.game;
    EXPECT_EQ(w->lbRes->text(), s.res) << s.game;
    EXPECT_EQ(w->lbGOrder->text(), s.gOrder) << s.game;
    EXPECT_EQ(w->lbHOrder->text(), s.hOrder) << s.game;
    EXPECT_EQ(w->lbHAK->text(), s.hak) << s.game;
}
} // namespace

TEST(RulesWindow, EveryBuiltInGameShowsItsOwnSheet)
{
    const Sheet sheets[] = {
        {"Freecell", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(4 Piles, 0 Cards)", "Up Same Suit",
         "Down Alternate Color", "Not Continuous"},
        {"Baker's Game", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(4 Piles, 0 Cards)", "Up Same Suit",
         "Down Same Suit", "Not Continuous"},
        {"Forecell", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 48 Cards)", "(4 Piles, 4 Cards)", "Up Same Suit",
         "Down Alternate Color", "Not Continuous"},
        {"Seven By Four", "(4 Piles, 0 Cards, Ace Base)", "(7 Piles, 52 Cards)", "(4 Piles, 0 Cards)", "Up Same Suit",
         "Down Alternate Color", "Not Continuous"},
        {"Two Cells", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(2 Piles, 0 Cards)", "Up Same Suit",
         "Down Alternate Color", "Not Continuous"},
        {"Bouquet", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(4 Piles, 0 Cards)", "Up Same Suit",
         "Down Other Suits", "Not Continuous"},
        {"Color Cell", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(4 Piles, 0 Cards)", "Up Same Suit",
         "Down Same Color", "Not Continuous"},
        {"Freecell Reversed", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(4 Piles, 0 Cards)",
         "Down Same Suit", "Up Alternate Color", "Not Continuous"},
        {"Freecell Two Suit", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(4 Piles, 0 Cards)",
         "Up Same Suit", "Down Alternate Color", "Not Continuous"},
        {"Luxury", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(4 Piles, 0 Cards)", "Up Same Suit",
         "Up/Down Same Color", "Not Continuous"},
        {"Mania", "(4 Piles, 0 Cards, Ace Base)", "(8 Piles, 52 Cards)", "(4 Piles, 0 Cards)", "Up Same Suit",
         "Up/Down Alternate Color", "Not Continuous"},
        {"Mission", "(4 Piles, 4 Cards, Two Base)", "(8 Piles, 48 Cards)", "(4 Piles, 0 Cards)", "Up Same Suit",
         "Down Alternate Color", "Continuous"},
    };
    GameContext t;
    for (const Sheet &s : sheets) {
        t.ctx.data().ShowRules(QString::fromLatin1(s.game), 0);
        ASSERT_TRUE(t.rules.isOpen());
        expectSheet(t.rules.window(), s);
        EXPECT_EQ(t.rules.window()->lbSpace->text(), "Any Card");
        EXPECT_EQ(t.rules.window()->lbMulti->text(), kGroup);
    }
}

TEST(RulesWindow, OnlyAMultiMoveOfOneMovesGroupsAndFoundationsAreAlwaysFour)
{
    GameContext t;
    t.ctx.custom().Init(QStringLiteral("Freecell"));
    GameDefinition d = t.ctx.custom().Definition();
    d.GameName = QStringLiteral("Odd");
    d.GCards = 3;
    d.GBase = 13;
    d.HSpace = 12;
    for (std::int16_t multi : {0, 2}) {
        d.HMulti = multi;
        t.ctx.data().ShowRules(d, 0);
        const frmRules *w = t.rules.window();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->lbMulti->text(), "Only one card can be moved at a time.") << multi;
        EXPECT_EQ(w->lbFound->text(), "(4 Piles, 3 Cards, Random Base)");
        EXPECT_EQ(w->lbTab->text(), "(8 Piles, 49 Cards)");
        EXPECT_EQ(w->lbSpace->text(), "King");
    }
}

TEST(RulesWindow, TheSoundPlaysWhileAModalWindowIsOnTheScreen)
{
    GameContext t;
    t.setSoundFile(QStringLiteral("Rules"));
    qsizetype playedWhileOpen = -1;
    QTimer::singleShot(0, [&] {
        playedWhileOpen = t.rules.isOpen() ? t.sounds.played.size() : -1;
        t.rules.window()->close();
    });
    t.ctx.data().ShowRules(QStringLiteral("Mission"), 1);
    EXPECT_EQ(playedWhileOpen, 1);
    EXPECT_FALSE(t.rules.isOpen());
    EXPECT_EQ(t.sounds.played.size(), 1);
}

TEST(RulesWindow, TheRulesCommandShowsTheBoardInPlayAfterItsStudioGameWasDeleted)
{
    GameContext t;
    const QString file = t.ctx.data().GamesFolder() + QStringLiteral("/Mine.gam");
    TextFile::writeLines(file, {TextFile::quoted(QStringLiteral("Mine")), "6,6,13,0,1,2,0", "0,0,0", "3,1"});
    t.ctx.data().Refresh_NewGames();
    t.gp().PlayNumber(QStringLiteral("Mine"), GameNumber::fromNumber(5));
    ASSERT_TRUE(t.gp().Game_Running());
    ASSERT_TRUE(QFile::remove(file));
    t.ctx.data().Refresh_NewGames();
    // A visit to the studio leaves another game's definition held.
    t.ctx.custom().Init(QStringLiteral("Mission"));

    m_Main::ShowGameRules(t.ctx);
    expectSheet(t.rules.window(), {"Mine", "(4 Piles, 0 Cards, Ace Base)", "(6 Piles, 51 Cards)", "(3 Piles, 1 Cards)",
                                   "Up Same Suit", "Down Alternate Color", "Not Continuous"});
}

TEST(RulesWindow, StaysAboveTheWindowThatOwnsItAndBlocksOnlyWhenModal)
{
    WindowContext c;
    c.rules.setOwner(c.window.get());
    c.window->show();
    c.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(3));
    c.window->DoCommand(QStringLiteral("Rules"));
    const frmRules *w = c.rules.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible() && w->isWindow());
    EXPECT_EQ(w->parentWidget(), c.window.get());
    EXPECT_EQ(w->windowHandle()->transientParent(), c.window->windowHandle());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // From a dialog (the studio, the game selection) it blocks over that dialog.
    QDialog dialog(c.window.get());
    dialog.setModal(true);
    dialog.show();
    const QWidget *modalOwner = nullptr;
    QTimer::singleShot(0, [&] {
        modalOwner = c.rules.window()->parentWidget();
        c.rules.window()->close();
    });
    c.ctx.data().ShowRules(QStringLiteral("Mission"), 1);
    EXPECT_EQ(modalOwner, &dialog);
}
