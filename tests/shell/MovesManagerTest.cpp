// The Moves Manager: jumps by slider, steps and list clicks checked against the move
// record and the board, the replay it starts, and what a failing or interrupted jump
// leaves behind. One checker compares what the window shows with the record after
// every action.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>

#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "shell/cGamePlay.h"
#include "shell/frmQuickMove.h"
#include "support/BoardChecker.h"
#include "support/QtPrint.h"
#include "support/WindowContext.h"

namespace {

using Snapshot = std::vector<std::tuple<int, int, int, bool>>;

Snapshot snapshot(const cPlay &p)
{
    Snapshot s;
    for (int i = 0; i < p.TotalCards(); ++i)
        s.emplace_back(p.Cell(i), p.Pile(i), p.Pos(i), p.FaceMode(i));
    return s;
}

// Rows painted as marked (bold), counted from 1.
QList<int> markedRows(const frmQuickMove &dlg)
{
    QList<int> rows;
    for (int i = 0; i < dlg.lvQuick->topLevelItemCount(); ++i) {
        if (dlg.lvQuick->topLevelItem(i)->font(0).bold())
            rows << i + 1;
    }
    return rows;
}

// Dealt Freecell 617 with six recorded moves: one to a free cell, a group of three
// (moves 2 to 4) between tableau piles, two more to free cells. boards[n] is the board
// after move n.
struct Moves : WindowContext {
    Moves()
    {
        gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(617));
        boards.push_back(snapshot(play()));
        moveToFreeCell(0);
        boards.push_back(snapshot(play()));
        engine().StartMulti();
        for (int pile : {2, 4, 6}) {
            std::int32_t kind = cEngine::KindPlain;
            const int card = play().GetTopPicID(cGames::Tableau, pile);
            play().MoveCard(card, cGames::Tableau, pile + 1, play().GetTop(cGames::Tableau, pile + 1) + 1, kind, 0, 0,
                            true);
            if (pile == 6)
                engine().EndMulti();
            boards.push_back(snapshot(play()));
        }
        moveToFreeCell(1);
        boards.push_back(snapshot(play()));
        moveToFreeCell(1);
        boards.push_back(snapshot(play()));
    }

    // What the window shows agrees with the record and the board with its move.
    ::testing::AssertionResult shows(const frmQuickMove &dlg)
    {
        const int c = engine().GetTransID();
        if (dlg.Slider1->value() != c)
            return ::testing::AssertionFailure() << "slider " << dlg.Slider1->value() << ", move " << c;
        if (markedRows(dlg) != QList<int>{c + 1})
            return ::testing::AssertionFailure() << "marked rows " << markedRows(dlg).size() << ", move " << c;
        if (dlg.lbText2->text() != QStringLiteral("Move : %1").arg(c))
            return ::testing::AssertionFailure() << dlg.lbText2->text().toStdString() << ", move " << c;
        if (snapshot(play()) != boards[static_cast<std::size_t>(c)])
            return ::testing::AssertionFailure() << "board differs from move " << c;
        return BoardIsConsistent(ctx, board);
    }

    void drag(frmQuickMove &dlg, int value) { dlg.Slider1->setValue(value); }

    std::vector<Snapshot> boards;
};

} // namespace

TEST(MovesManager, JumpsToEveryMoveAndBackFollowTheRecordAndTakeGroupsWhole)
{
    Moves m;
    frmQuickMove dlg(m.ctx, m.window.get());
    ASSERT_EQ(dlg.lvQuick->topLevelItemCount(), 7);
    EXPECT_EQ(dlg.lvQuick->topLevelItem(3)->text(1), QStringLiteral("Tableau (Pile 4, Card 5)"));
    EXPECT_EQ(dlg.lvQuick->topLevelItem(1)->text(2).left(16), QStringLiteral("Reserve (Pile 0,"));
    // Down the slider a step at a time: into the group from above lands below it, and
    // the next step down is then a step up into it, which lands above it.
    for (int v = 6; v >= 0; --v) {
        const int from = m.engine().GetTransID();
        m.drag(dlg, v);
        EXPECT_EQ(m.engine().GetTransID(), v == 2 || v == 3 ? (from > v ? 1 : 4) : v) << v;
        EXPECT_TRUE(m.shows(dlg)) << v;
    }
    // The step buttons follow each jump at once, not at the next check of the window.
    EXPECT_FALSE(dlg.cmdBack->isEnabled());
    // Up by clicks in the list: into the group from below lands above it.
    for (int row = 1; row <= 7; ++row) {
        const int from = m.engine().GetTransID();
        const int v = row - 1;
        dlg.lvQuick_ItemClick(row);
        EXPECT_EQ(m.engine().GetTransID(), v == 2 || v == 3 ? (from > v ? 1 : 4) : v) << row;
        EXPECT_TRUE(m.shows(dlg)) << row;
    }
    EXPECT_TRUE(dlg.cmdBack->isEnabled());
    EXPECT_FALSE(dlg.cmdForward->isEnabled());
    // Single steps cross the group in one step each way.
    dlg.cmdBack->click();
    dlg.cmdBack->click();
    EXPECT_EQ(m.engine().GetTransID(), 4);
    dlg.cmdBack->click();
    EXPECT_EQ(m.engine().GetTransID(), 1);
    EXPECT_TRUE(m.shows(dlg));
    dlg.cmdForward->click();
    EXPECT_EQ(m.engine().GetTransID(), 4);
    EXPECT_TRUE(m.shows(dlg));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Move: 4 - ") + dlg.lbText1->text());
}

TEST(MovesManager, StartGivesTheDealAndTheGamesNameAndNumber)
{
    Moves m;
    frmQuickMove dlg(m.ctx, m.window.get());
    EXPECT_EQ(dlg.lvQuick->topLevelItem(0)->text(1), QStringLiteral("Name :Freecell"));
    dlg.lvQuick_ItemClick(1);
    EXPECT_EQ(m.engine().GetTransID(), 0);
    EXPECT_TRUE(m.shows(dlg));
    EXPECT_EQ(dlg.lbText1->text(), QStringLiteral("Game Name : Freecell - Game No.: 617"));
    EXPECT_EQ(dlg.lbText3->text(), QStringLiteral("Cards Moved : 0"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Move: 0 - Game Name : Freecell - Game No.: 617"));
    // The marked row is bold, and its cells still show whole.
    for (int c = 0; c < dlg.lvQuick->columnCount(); ++c) {
        const QModelIndex cell = dlg.lvQuick->model()->index(0, c);
        ASSERT_TRUE(cell.data(Qt::FontRole).value<QFont>().bold());
        EXPECT_GE(dlg.lvQuick->columnWidth(c), dlg.lvQuick->sizeHintForIndex(cell).width()) << c;
    }
}

TEST(MovesManager, StepButtonsFollowTheEndsOfTheRecord)
{
    Moves m;
    frmQuickMove dlg(m.ctx, m.window.get());
    dlg.tmrMove_Timer();
    EXPECT_FALSE(dlg.cmdForward->isEnabled());
    EXPECT_FALSE(dlg.cmdReplayForward->isEnabled());
    EXPECT_TRUE(dlg.cmdBack->isEnabled());
    m.drag(dlg, 0);
    dlg.tmrMove_Timer();
    EXPECT_FALSE(dlg.cmdBack->isEnabled());
    EXPECT_FALSE(dlg.cmdReplayBack->isEnabled());
    EXPECT_TRUE(dlg.cmdForward->isEnabled());
    EXPECT_TRUE(dlg.cmdReplayForward->isEnabled());
}

TEST(MovesManager, BackFromTheFirstMoveReachesTheDealAndStopsThere)
{
    Moves m;
    frmQuickMove dlg(m.ctx, m.window.get());
    m.drag(dlg, 1);
    dlg.tmrMove_Timer();
    EXPECT_TRUE(dlg.cmdBack->isEnabled());
    EXPECT_TRUE(dlg.cmdReplayBack->isEnabled());
    dlg.cmdBack->click();
    EXPECT_EQ(m.engine().GetTransID(), 0);
    EXPECT_TRUE(m.shows(dlg));
    EXPECT_EQ(dlg.lbText3->text(), QStringLiteral("Cards Moved : 0"));
    dlg.tmrMove_Timer();
    EXPECT_FALSE(dlg.cmdBack->isEnabled());
    EXPECT_FALSE(dlg.cmdReplayBack->isEnabled());
}

TEST(MovesManager, EveryMoveRowCountsTheCardsItMovedRidersIncluded)
{
    // Freecell 6: a run of three cards, then one card to a free cell.
    WindowContext c;
    c.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(6));
    std::int32_t kind = cEngine::KindPlain;
    const int card = c.play().GetPicID(cGames::Tableau, 1, 4);
    c.play().MoveCard(card, cGames::Tableau, 5, c.play().GetTop(cGames::Tableau, 5) + 1, kind, 0, 2, true);
    c.moveToFreeCell(0);
    frmQuickMove dlg(c.ctx, c.window.get());
    ASSERT_EQ(dlg.lvQuick->topLevelItemCount(), 3);
    EXPECT_EQ(dlg.lvQuick->topLevelItem(0)->text(3), QString());
    EXPECT_EQ(dlg.lvQuick->topLevelItem(1)->text(3), QStringLiteral("3"));
    EXPECT_EQ(dlg.lvQuick->topLevelItem(2)->text(3), QStringLiteral("1"));
    EXPECT_EQ(dlg.lbText3->text(), QStringLiteral("Cards Moved : 1"));
    dlg.lvQuick_ItemClick(2);
    EXPECT_EQ(c.engine().GetTransID(), 1);
    EXPECT_EQ(dlg.lbText3->text(), QStringLiteral("Cards Moved : 3"));
}

TEST(MovesManager, OpeningWithUndoneMovesMarksTheLastMoveAndAClickLeavesOneMark)
{
    Moves m;
    int speed = 0;
    m.engine().Undo(speed);
    frmQuickMove dlg(m.ctx, m.window.get());
    EXPECT_EQ(dlg.Slider1->value(), 5);
    EXPECT_EQ(markedRows(dlg), QList<int>{7});
    EXPECT_EQ(dlg.lbText2->text(), QStringLiteral("Move : 6"));
    dlg.lvQuick_ItemClick(2);
    EXPECT_TRUE(m.shows(dlg));
}

TEST(MovesManager, AGroupRowLosesItsGreyOnceMarkedAndUnmarked)
{
    Moves m;
    frmQuickMove dlg(m.ctx, m.window.get());
    const QTreeWidgetItem *group = dlg.lvQuick->topLevelItem(3);
    EXPECT_EQ(group->foreground(2).color(), QColor(150, 150, 150));
    EXPECT_EQ(dlg.lvQuick->topLevelItem(5)->foreground(0).color(), QColor(Qt::black));
    dlg.lvQuick_ItemClick(4); // lands on move 4, the group's last row
    dlg.MarkMoveItem(4, true, false);
    dlg.lvQuick_ItemClick(1);
    EXPECT_EQ(group->foreground(2).color(), QColor(Qt::black));
    EXPECT_FALSE(group->font(0).bold());
}

TEST(MovesManager, AReplayStartedHereRunsWhileItIsShownAndGivesTheControlsBack)
{
    Moves m;
    m.window->DoCommand(QStringLiteral("Undo")); // the manager opens with a move to redo
    frmQuickMove *dlg = nullptr;
    int steps = 0;
    bool listIgnored = true;
    bool followed = true;
    QTimer::singleShot(0, [&] {
        dlg = qobject_cast<frmQuickMove *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->lvQuick_ItemClick(1);
        dlg->cmdReplayForward->click();
        dlg->tmrReplay_Timer();
        while (dlg->tmrReplay.enabled() && steps < 20) {
            m.window->tmrForward_Timer();
            dlg->tmrReplay_Timer();
            ++steps;
            followed = followed && dlg->Slider1->value() == m.engine().GetTransID();
            if (dlg->tmrReplay.enabled()) {
                followed = followed && !dlg->Slider1->isEnabled() && dlg->cmdReplayStop->isEnabled() &&
                           !dlg->cmdForward->isEnabled() && !dlg->cmdReplayBack->isEnabled();
                const int before = m.engine().GetTransID();
                dlg->lvQuick_ItemClick(1);
                listIgnored = listIgnored && m.engine().GetTransID() == before;
            }
        }
        EXPECT_TRUE(m.shows(*dlg));
        EXPECT_TRUE(dlg->Slider1->isEnabled());
        EXPECT_TRUE(dlg->cmdBack->isEnabled());
        EXPECT_FALSE(dlg->cmdReplayStop->isEnabled());
        EXPECT_FALSE(dlg->cmdReplayForward->isEnabled());
        dlg->close();
    });
    m.window->DoCommand(QStringLiteral("MovesMan"));
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(m.engine().GetTransID(), 6);
    // One tick per move or group and the one that finds the end.
    EXPECT_EQ(steps, 5);
    EXPECT_TRUE(followed);
    EXPECT_TRUE(listIgnored);
}

TEST(MovesManager, ReplayBackAndStopGoThroughTheMainWindow)
{
    Moves m;
    frmQuickMove dlg(m.ctx, m.window.get());
    dlg.cmdReplayBack->click();
    m.window->tmrBackward_Timer();
    dlg.tmrReplay_Timer();
    EXPECT_EQ(m.engine().GetTransID(), 5);
    EXPECT_TRUE(m.shows(dlg));
    dlg.cmdReplayStop->click();
    EXPECT_FALSE(m.window->tmrBackward.enabled());
    dlg.tmrReplay_Timer();
    EXPECT_FALSE(dlg.tmrReplay.enabled());
    EXPECT_TRUE(dlg.Slider1->isEnabled());
}

TEST(MovesManager, AJumpThatFailsIsReportedAndTheWindowShowsTheMoveReached)
{
    Moves m;
    frmQuickMove dlg(m.ctx, m.window.get());
    // The card of move 1 is moved behind the record's back: taking move 1 back fails.
    const int card = m.engine().PicID(1);
    std::int32_t kind = cEngine::KindReplay;
    m.play().MoveCard(card, cGames::FreeCell, 3, 0, kind, 0, 0, true);
    m.box.allowNotices();
    m.drag(dlg, 0);
    EXPECT_EQ(m.box.prompts().size(), 1);
    EXPECT_EQ(m.engine().GetTransID(), 1);
    EXPECT_EQ(dlg.Slider1->value(), 1);
    EXPECT_EQ(markedRows(dlg), QList<int>{2});
    EXPECT_EQ(dlg.lbText2->text(), QStringLiteral("Move : 1"));
    // The controls work again.
    m.drag(dlg, 6);
    EXPECT_EQ(m.engine().GetTransID(), 6);
    EXPECT_EQ(markedRows(dlg), QList<int>{7});
    EXPECT_EQ(dlg.lbText2->text(), QStringLiteral("Move : 6"));
}

TEST(MovesManager, ACloseAskedForDuringAJumpHappensAfterIt)
{
    Moves m;
    m.window->show();
    frmQuickMove dlg(m.ctx, m.window.get());
    bool visibleDuringJump = false;
    QTimer::singleShot(0, m.window.get(), [&] {
        m.window->close();
        visibleDuringJump = m.window->isVisible();
    });
    m.drag(dlg, 0);
    EXPECT_TRUE(visibleDuringJump);
    EXPECT_EQ(m.engine().GetTransID(), 0);
    EXPECT_TRUE(BoardIsConsistent(m.ctx, m.board));
    QApplication::processEvents();
    EXPECT_FALSE(m.window->isVisible());
}
