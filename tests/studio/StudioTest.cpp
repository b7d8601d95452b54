#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "app/Context.h"
#include "engine/cCustom.h"
#include "shell/cGamePlay.h"
#include "store/cData.h"
#include "studio/StudioControlsView.h"
#include "studio/frmAddGame.h"
#include "studio/frmGameStudio.h"
#include "studio/frmNewGameWizard.h"
#include "support/Fifo.h"
#include "support/FileBytes.h"
#include "support/QtPrint.h"
#include "support/TestContext.h"
#include "support/WindowContext.h"
#include "support/OnModal.h"

using mStudioForms::StudioList;

namespace {
// The game on the table as the studio sees it.
class FakeSession : public NullSessionInfo {
public:
    QString GameName() const override { return name; }
    int Game_Status() const override { return status; }
    bool Game_Running() const override { return running; }
    QString name;
    int status = 0;
    bool running = false;
};

struct SessionPart {
    FakeSession session;
};

struct Studio : SessionPart, TestContext {
    Studio() : TestContext(withSession(session)) { box.allowNotices(false); }

    static Services withSession(FakeSession &s)
    {
        Services services;
        services.session = &s;
        return services;
    }

    QString path(const QString &name) const { return ctx.data().GamesFolder() + "/" + name + ".gam"; }
    void write(const QString &name, const QByteArray &bytes)
    {
        writeBytes(path(name), bytes);
        ctx.data().Refresh_NewGames();
    }
    void play(const QString &name, bool running, int status = 1)
    {
        session.name = name;
        session.running = running;
        session.status = status;
    }
};

const QByteArray kMine = "\"Mine\"\r\n6,6,13,0,1,2,0\r\n0,0,0\r\n4,0\r\n";

void choose(StudioControlsView &v, StudioList list, int value)
{
    const int index = v.combo(list)->findData(value);
    ASSERT_GE(index, 0) << value;
    v.choose(list, index);
}

QList<int> tags(const QComboBox *box)
{
    QList<int> values;
    for (int i = 0; i < box->count(); ++i)
        values << box->itemData(i).toInt();
    return values;
}

QList<int> span(int from, int to)
{
    QList<int> values;
    for (int v = from; v <= to; ++v)
        values << v;
    return values;
}

// The buttons that need a game: Edit, Delete, Rules, Play.
QString gameButtons(const frmGameStudio &s)
{
    QString state;
    for (const QPushButton *b : {s.cmdEdit, s.cmdDelete, s.cmdRules, s.cmdPlay})
        state += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return state;
}

void expectEmptyStudio(const frmGameStudio &s)
{
    EXPECT_EQ(gameButtons(s), "0000");
    EXPECT_EQ(s.Frame1->title(), "");
    EXPECT_TRUE(s.Pic1->pixmap().isNull());
    EXPECT_EQ(s.lvWiz->topLevelItemCount(), 0);
    EXPECT_TRUE(s.cmdAdd->isEnabled() && s.cmdWizard->isEnabled() && s.cmdClose->isEnabled());
}
} // namespace

TEST(StudioLists, CreateModeOffersTheStudioRangesAndSelectsFreecell)
{
    Studio t;
    t.ctx.custom().Init("Mission");
    frmAddGame editor(t.ctx, {});
    const StudioControlsView &v = *editor.controls;
    struct Row {
        StudioList list;
        QList<int> values;
        int selected;
    } rows[] = {
        {StudioList::GBase, span(0, 12), 0},   {StudioList::GOrder, span(0, 8), 0},
        {StudioList::GCards, span(0, 4), 0},   {StudioList::HPiles, span(4, 10), 8},
        {StudioList::HSpace, span(0, 13), 13}, {StudioList::HOrder, span(0, 15), 6},
        {StudioList::Suits, {1, 2}, 2},        {StudioList::RPiles, span(0, 4), 4},
        {StudioList::RCards, span(0, 4), 0},
    };
    for (const Row &r : rows) {
        const QComboBox *box = v.combo(r.list);
        EXPECT_EQ(tags(box), r.values) << box->objectName().toStdString();
        EXPECT_EQ(box->currentData().toInt(), r.selected) << box->objectName().toStdString();
    }
    EXPECT_EQ(v.imcHorder->currentText(), "Down Alternate Color");
    EXPECT_EQ(v.imcHSpace->currentText(), "Any Card");
    EXPECT_EQ(v.imcSuits->currentText(), "Four");
    EXPECT_FALSE(v.imcGBase->itemIcon(0).isNull());
    EXPECT_TRUE(v.imcHPiles->itemIcon(0).isNull());
    EXPECT_TRUE(v.chkMulti->isChecked());
    EXPECT_FALSE(v.chkHAK->isChecked());
    EXPECT_EQ(editor.txtName->text(), "New Game 01");
    EXPECT_EQ(editor.cmdAdd->text(), "Create");
    EXPECT_EQ(t.ctx.custom().GameName(), "Freecell");
}

TEST(StudioLists, ValuesTheListsDoNotOfferAreLeftUnselectedAndSavedUnchanged)
{
    Studio t;
    const QByteArray odd = "\"Odd\"\r\n12,6,13,0,1,2,0\r\n0,0,0\r\n6,5\r\n";
    t.write("Odd", odd);
    frmAddGame editor(t.ctx, "Odd");
    const StudioControlsView &v = *editor.controls;
    EXPECT_EQ(v.imcHPiles->currentIndex(), -1);
    EXPECT_EQ(v.imcRPiles->currentIndex(), -1);
    // Free cells outside 0..4 still offer their cards, up to four.
    EXPECT_EQ(tags(v.imcRCards), span(0, 4));
    EXPECT_EQ(v.imcRCards->currentIndex(), -1);
    EXPECT_FALSE(editor.txtName->isEnabled());
    EXPECT_EQ(editor.windowTitle(), "Edit Game - Odd");
    EXPECT_EQ(editor.cmdAdd->text(), "Save");

    // An edited game is written over without a question, keeping what nobody chose.
    t.box.expect(MsgResult::Ok, "Successfully Saved Game : Odd");
    editor.cmdAdd_Click();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    EXPECT_EQ(bytesOf(t.path("Odd")), odd);
}

TEST(StudioLists, OnlyTheUsersChoicesWriteTheDefinition)
{
    Studio t;
    t.write("Mine", kMine);
    t.ctx.custom().Init("Mine");
    const GameDefinition loaded = t.ctx.custom().Definition();
    {
        frmAddGame editor(t.ctx, "Mine");
        editor.controls->FillStudioCombos();
        editor.cmdCancel_Click();
    }
    EXPECT_EQ(t.ctx.custom().Definition(), loaded);

    frmAddGame editor(t.ctx, "Mine");
    StudioControlsView &v = *editor.controls;
    choose(v, StudioList::RCards, 3);
    choose(v, StudioList::GBase, 12);
    v.setHAK(true);
    EXPECT_EQ(t.ctx.custom().RCards(), 3);
    EXPECT_EQ(t.ctx.custom().GBase(), 12);
    EXPECT_EQ(t.ctx.custom().HAK(), 1);
    // Fewer free cells: their cards start again at none, offered up to the new number.
    choose(v, StudioList::RPiles, 2);
    EXPECT_EQ(tags(v.imcRCards), span(0, 2));
    EXPECT_EQ(v.imcRCards->currentData().toInt(), 0);
    EXPECT_EQ(t.ctx.custom().RPiles(), 2);
    EXPECT_EQ(t.ctx.custom().RCards(), 0);
}

TEST(StudioFiles, CreateEditAndDeleteRoundTripThroughTheGameTable)
{
    Studio t;
    {
        frmAddGame editor(t.ctx, {});
        for (const char *bad : {"", "a/b"}) {
            editor.txtName->setText(bad);
            t.box.expect(MsgResult::Ok, "Please Enter a valid Game Name");
            editor.cmdAdd_Click();
            EXPECT_EQ(editor.result(), QDialog::Rejected);
        }
        choose(*editor.controls, StudioList::HPiles, 6);
        editor.txtName->setText("Mine");
        t.box.expect(MsgResult::Ok, "Successfully Saved Game : Mine");
        editor.cmdAdd_Click();
        EXPECT_EQ(editor.result(), QDialog::Accepted);
    }
    EXPECT_EQ(bytesOf(t.path("Mine")), kMine);
    EXPECT_EQ(t.ctx.data().GetGameID("Mine"), 13);
    {
        frmAddGame editor(t.ctx, "Mine");
        choose(*editor.controls, StudioList::GCards, 2);
        t.box.expect(MsgResult::Ok, "Successfully Saved Game : Mine");
        editor.cmdAdd_Click();
    }
    EXPECT_EQ(bytesOf(t.path("Mine")), QByteArray("\"Mine\"\r\n6,6,13,0,1,2,0\r\n0,0,2\r\n4,0\r\n"));

    frmGameStudio studio(t.ctx);
    EXPECT_EQ(studio.Frame1->title(), "Mine");
    EXPECT_EQ(gameButtons(studio), "1111");
    ASSERT_EQ(studio.lvWiz->topLevelItemCount(), 10);
    EXPECT_EQ(studio.lvWiz->topLevelItem(1)->text(0), "Number of Tableau Piles : 6");
    EXPECT_EQ(studio.lvWiz->topLevelItem(5)->text(0), "Foundation Card Arraning Order : Up Same Suit");
    EXPECT_EQ(studio.lvWiz->topLevelItem(7)->text(0), "Initial Cards in Foundation : 2");
    EXPECT_FALSE(studio.Pic1->pixmap().isNull());
    // The ten lines show whole: no scroll bar either way.
    studio.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(studio.lvWiz->verticalScrollBar()->isVisible());
    EXPECT_FALSE(studio.lvWiz->horizontalScrollBar()->isVisible());
    t.box.expect(MsgResult::No, "Are you sure you want to delete game : Mine ?");
    studio.cmdDelete_Click();
    EXPECT_TRUE(QFile::exists(t.path("Mine")));
    t.box.expect(MsgResult::Yes, "Are you sure you want to delete game : Mine ?");
    studio.cmdDelete_Click();
    EXPECT_FALSE(QFile::exists(t.path("Mine")));
    EXPECT_EQ(t.ctx.data().TotalGames(), 12);
    EXPECT_FALSE(t.ctx.data().GameExists("Mine"));
    expectEmptyStudio(studio);
}

TEST(StudioWindow, TheGameOnTheTableIsNeitherEditedNorDeletedNorWrittenOver)
{
    Studio t;
    t.write("Mine", kMine);
    frmGameStudio studio(t.ctx);
    QStringList edited;
    studio.showEditor = [&](const QString &name) { edited << name; };

    for (bool paused : {false, true}) {
        t.play("Mine", true);
        t.box.expect(MsgResult::Ok, "You cannot edit the current playing game.");
        studio.cmdEdit_Click();
        EXPECT_EQ(t.box.last().icon, MsgIcon::Information) << paused;
        t.box.expect(MsgResult::Ok, "You cannot delete the current playing game.");
        studio.cmdDelete_Click();
    }
    EXPECT_TRUE(edited.isEmpty());

    // Creating a game under its name would rewrite the definition under the game in play.
    t.ctx.custom().Init("Mine");
    frmAddGame editor(t.ctx, {});
    editor.txtName->setText("Mine");
    t.box.expect(MsgResult::Ok, "You cannot edit the current playing game.");
    editor.cmdAdd_Click();
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    EXPECT_EQ(editor.txtName->text(), "Mine");
    frmNewGameWizard wizard(t.ctx);
    wizard.txtName->setText("Mine");
    t.box.expect(MsgResult::Ok, "You cannot edit the current playing game.");
    wizard.lbFinish_Click();
    EXPECT_EQ(bytesOf(t.path("Mine")), kMine);

    // A replay of a finished game, or no game at all, leaves the studio free.
    t.play("Mine", false, 2);
    studio.cmdEdit_Click();
    EXPECT_EQ(edited, QStringList{"Mine"});
    studio.cmdPlay_Click();
    EXPECT_EQ(studio.next(), frmGameStudio::Next::Play);
    EXPECT_EQ(studio.gameToPlay(), "Mine");
}

TEST(StudioWindow, AnUnreadableGameIsListedAndCanBeDeleted)
{
    Studio t;
    t.write("Broken", "\"Broken\"\r\n8,x,13\r\n");
    t.write("Mine", kMine);
    frmGameStudio studio(t.ctx);
    ASSERT_EQ(studio.lvGames->topLevelItemCount(), 2);
    EXPECT_EQ(studio.Frame1->title(), "Broken");
    EXPECT_TRUE(studio.Pic1->pixmap().isNull());
    EXPECT_EQ(studio.lvWiz->topLevelItemCount(), 0);
    EXPECT_EQ(gameButtons(studio), "0100");

    studio.lvGames->setCurrentItem(studio.lvGames->topLevelItem(1));
    studio.lvGames_Click();
    EXPECT_EQ(gameButtons(studio), "1111");
    studio.lvGames->setCurrentItem(studio.lvGames->topLevelItem(0));
    studio.lvGames_Click();
    t.box.expect(MsgResult::Yes, "Broken");
    studio.cmdDelete_Click();
    EXPECT_FALSE(QFile::exists(t.path("Broken")));
    EXPECT_EQ(studio.Frame1->title(), "Mine");
}

TEST(StudioWindow, AGameFileAddedWhileRunningReadsAtOnceAndAFifoIsNotListed)
{
    Studio t;
    // Written behind the program's back: the game table does not know it yet.
    writeBytes(t.path("Mine"), kMine);
    makeFifo(t.path("Pipe"));
    ASSERT_FALSE(t.ctx.data().GameExists("Mine"));
    EXPECT_TRUE(runsWithoutOpening({t.path("Pipe")}, [&] {
        frmGameStudio studio(t.ctx);
        ASSERT_EQ(studio.lvGames->topLevelItemCount(), 1);
        EXPECT_EQ(studio.Frame1->title(), "Mine");
        EXPECT_FALSE(studio.Pic1->pixmap().isNull());
        EXPECT_EQ(gameButtons(studio), "1111");
    }));
    EXPECT_TRUE(t.ctx.data().IsOriginal("Mine"));
}

TEST(StudioWindow, WithoutGamesOnlyCreatingAndClosingAreOffered)
{
    Studio t;
    frmGameStudio studio(t.ctx);
    expectEmptyStudio(studio);
    studio.cmdWizard_Click();
    EXPECT_EQ(studio.next(), frmGameStudio::Next::Wizard);
}

TEST(Wizard, PagesEnableTheirButtonsAndASecondNewGame01AsksBeforeOverwriting)
{
    Studio t;
    for (int round = 0; round < 2; ++round) {
        frmNewGameWizard w(t.ctx);
        const auto state = [&] {
            return QString::number(w.SSTab1->currentIndex()) + (w.lbBack->isEnabled() ? "B" : "-") +
                   (w.lbNext->isEnabled() ? "N" : "-") + (w.lbFinish->isEnabled() ? "F" : "-");
        };
        EXPECT_EQ(state(), "0-N-");
        QStringList forward;
        for (int i = 0; i < 4; ++i) {
            w.lbNext_Click();
            forward << state();
        }
        EXPECT_EQ(forward, QStringList({"1BN-", "2BN-", "3BN-", "4B-F"}));
        w.lbBack_Click();
        EXPECT_EQ(state(), "3BN-");
        w.lbNext_Click();
        if (round == 0) {
            t.box.expect(MsgResult::Ok, "Successfully Saved Game : New Game 01");
            w.lbFinish_Click();
            EXPECT_EQ(w.result(), QDialog::Accepted);
            continue;
        }
        t.box.expect(MsgResult::No, "Another Game exists with the same name. Do you want to overwrite ?");
        w.lbFinish_Click();
        EXPECT_EQ(w.result(), QDialog::Rejected);
        EXPECT_EQ(state(), "4B-F");
    }
    EXPECT_TRUE(t.ctx.data().GameExists("New Game 01"));
}

TEST(Wizard, ASuitsChangeShowsAtTheNextRepaint)
{
    Studio t;
    frmNewGameWizard w(t.ctx);
    const QImage before = w.PicTab->pixmap().toImage();
    choose(*w.controls, StudioList::Suits, 1);
    EXPECT_EQ(w.PicTab->pixmap().toImage(), before);
    choose(*w.controls, StudioList::HPiles, 5);
    const QImage after = w.PicTab->pixmap().toImage();
    EXPECT_NE(after, before);
    EXPECT_EQ(t.ctx.custom().Suits(), 1);
}

TEST(StudioCommand, PlayDealsTheGameOnceTheStudioHasClosed)
{
    WindowContext c;
    writeBytes(c.ctx.data().GamesFolder() + "/Mine.gam", kMine);
    c.ctx.data().Refresh_NewGames();
    bool studioWasOpen = false;
    const OnModal<frmGameStudio> play([&](frmGameStudio &studio) {
        // Nothing is dealt while the studio is on the screen.
        studioWasOpen = c.gp().Game_Status() == 0;
        studio.cmdPlay->click();
    });
    c.window->DoCommand(QStringLiteral("Editor"));
    EXPECT_TRUE(play.acted());
    EXPECT_TRUE(studioWasOpen);
    EXPECT_EQ(c.gp().GameName(), "Mine");
    EXPECT_TRUE(c.gp().Game_Running());
    EXPECT_EQ(c.gp().BoardDefinition()->HPiles, 6);
}

TEST(StudioKeyboard, TheCurrentRowDrivesTheDetailsAndTheButtons)
{
    Studio t;
    t.write("Broken", "\"Broken\"\r\n8,x,13\r\n");
    t.write("Mine", kMine);
    frmGameStudio studio(t.ctx);
    QStringList edited;
    studio.showEditor = [&](const QString &name) { edited << name; };
    const QImage brokenPreview = studio.Pic1->pixmap().toImage();

    QTest::keyClick(studio.lvGames, Qt::Key_Down);
    EXPECT_EQ(studio.selectedGame(), "Mine");
    EXPECT_EQ(studio.Frame1->title(), "Mine");
    EXPECT_EQ(gameButtons(studio), "1111");
    ASSERT_EQ(studio.lvWiz->topLevelItemCount(), 10);
    EXPECT_EQ(studio.lvWiz->topLevelItem(1)->text(0), "Number of Tableau Piles : 6");
    EXPECT_NE(studio.Pic1->pixmap().toImage(), brokenPreview);
    studio.cmdEdit->click();
    EXPECT_EQ(edited, QStringList{"Mine"});

    // Back on the unreadable game only Delete is offered.
    QTest::keyClick(studio.lvGames, Qt::Key_Home);
    EXPECT_EQ(studio.Frame1->title(), "Broken");
    EXPECT_EQ(gameButtons(studio), "0100");
    EXPECT_EQ(studio.lvWiz->topLevelItemCount(), 0);
    EXPECT_TRUE(studio.Pic1->pixmap().isNull());
}

TEST(WizardKeyboard, TheLabelButtonsTakeTheFocusAndActOnSpaceAndReturn)
{
    Studio t;
    frmNewGameWizard w(t.ctx);
    w.show();
    const auto page = [&] { return w.SSTab1->currentIndex(); };
    // Tab from the name reaches "Next >>" ("<< Back" is disabled on the first page).
    w.txtName->setFocus();
    QTest::keyClick(w.txtName, Qt::Key_Tab);
    ASSERT_EQ(w.focusWidget(), w.lbNext);
    QTest::keyClick(w.lbNext, Qt::Key_Space);
    QTest::keyClick(w.lbNext, Qt::Key_Return);
    QTest::keyClick(w.lbNext, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(page(), 3);
    QTest::keyClick(w.lbNext, Qt::Key_Space);
    EXPECT_EQ(page(), 4);
    // "Next >>" goes out with the last page and hands the focus to "Finish".
    EXPECT_EQ(w.focusWidget(), w.lbFinish);
    w.lbBack->setFocus();
    QTest::keyClick(w.lbBack, Qt::Key_Space);
    EXPECT_EQ(page(), 3);
    EXPECT_FALSE(w.lbFinish->isEnabled());
    w.lbNext_Click();
    t.box.expect(MsgResult::Ok, "Successfully Saved Game : New Game 01");
    QTest::keyClick(w.lbFinish, Qt::Key_Return);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}
