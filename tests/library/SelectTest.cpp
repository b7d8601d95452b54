// Choosing a game to play: every category's tree over real folders (a damaged file and
// one deleted after the fill among them), the details and rule lines as shown, the
// choice remembered, Play of each category through the session, and the real window.
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "app/mGen1.h"
#include "appearance/mCustomize.h"
#include "core/FolderList.h"
#include "core/TextFile.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/mStudio.h"
#include "library/frmSelect.h"
#include "library/mFavorites.h"
#include "library/mRecent.h"
#include "library/mSelect.h"
#include "platform/SettingsFile.h"
#include "shell/cGamePlay.h"
#include "store/cRegistry.h"
#include "store/SavedHeaders.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "store/mRegistry.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"
#include "support/RefusingWriter.h"

namespace {

struct Select : GameContext {
    // A saved game without moves: its header as given, the definition of its game.
    QString game(const QString &folder, const QString &file, const QString &name, std::int64_t number,
                 std::int16_t percent = 40)
    {
        mStudio::LoadBuiltInGame(ctx, name);
        const GameDefinition d = ctx.custom().Definition();
        QStringList lines = {name};
        for (std::int64_t v : {number, std::int64_t{3725}, std::int64_t{12}, std::int64_t{-7}, std::int64_t{percent}})
            lines << TextFile::printed(v);
        for (std::int16_t v : {d.GOrder, d.GBase, d.GCards, d.HOrder, d.HSpace, d.HPiles, d.HAK, d.HMulti, d.RPiles,
                               d.RCards, d.MOrder, d.Suits})
            lines << TextFile::printed(v);
        const QString path = FolderList::join(folder, file);
        writeBytes(path, TextFile::joinLines(lines));
        return path;
    }
    QString damaged(const QString &folder, const QString &file)
    {
        const QString path = FolderList::join(folder, file);
        writeBytes(path, "Freecell\r\n 5 \r\nnot a number\r\n");
        return path;
    }
    QString fav(const QString &relative, const QString &name, std::int64_t number)
    {
        const QString path = ctx.data().FavFolder() + "/" + relative;
        writeBytes(path, mFavorites::FavRecord(name, GameNumber::fromNumber(number), "Ann", {{2026, 1, 2}, {3, 4, 5}}));
        return path;
    }
    mSelect::SelectTree fill(const QString &category) { return mSelect::FillCategory(ctx, category); }
    // The node of the key in the tree, as the window would click it.
    std::optional<mSelect::NodeView> click(const mSelect::SelectTree &tree, const QString &key)
    {
        for (const mSelect::SelectNode &node : tree.nodes)
            if (node.key == key)
                return mSelect::NodeClick(ctx, node);
        ADD_FAILURE() << "no node " << qPrintable(key);
        return std::nullopt;
    }
};

// Key | Text | Tag of every entry node, and the root's.
QStringList rows(const mSelect::SelectTree &tree)
{
    QStringList out;
    for (const mSelect::SelectNode &n : tree.nodes)
        out << n.key + " | " + n.text + " | " + n.tag + (n.parent > 0 ? " < " + tree.nodes.at(n.parent).text : "");
    return out;
}

const QStringList kFreecellRules = {"Foundation Card Order : Up Same Suit",
                                    "Foundation Base Card : Ace",
                                    "Cards in Foundation : 0",
                                    "Tableau Card Order : Down Alternate Color",
                                    "Space Filling Card : Any Card",
                                    "No of Tableau Piles : 8",
                                    "Ace-King Wrapping  : False",
                                    "No of Suits : Four",
                                    "Multi Move in Tableau : True",
                                    "Free Cells : 4 Piles, 0 Cards"};

} // namespace

TEST(SelectGame, EveryFileCategoryListsReadableFilesAndSkipsTheRest)
{
    Select t;
    const cData &data = t.ctx.data();
    const QString saved = data.SavedFolder(), autoSave = data.AutoSaveFolder(), pending = data.PendingFolder();
    const QString s1 = t.game(saved, "a.qx0", "Freecell", 11);
    t.damaged(saved, "b.qx0");
    const QString gone = t.game(saved, "c.qx1", "Mission", 617, 100);
    const QString inc = t.game(autoSave, "Mission-5.qx0", "Mission", 5, 30);
    const QString fin = t.game(autoSave, "Freecell-8.qx1", "Freecell", 8, 100);
    t.damaged(autoSave, "Bad-1.qx0");
    const QString pend = t.game(pending, "Baker's Game-9.qx0", "Baker's Game", 9, 25);
    t.damaged(pending, "Bad-2.qx0");

    mSelect::SaveLastItem(t.ctx, "Save", gone);
    const mSelect::SelectTree save = t.fill("Save");
    EXPECT_EQ(rows(save), (QStringList{"m | Saved Games | ", s1 + " | Freecell - 11 (40%) | Freecell",
                                       gone + " | Mission - 617 (100%) | Mission"}));
    EXPECT_FALSE(save.nodes.first().bold);
    EXPECT_EQ(save.selected, 2);
    // Deleted after the fill: chosen, it offers nothing to play.
    ASSERT_TRUE(QFile::remove(gone));
    t.ctx.gSelectGameName = "Freecell";
    EXPECT_FALSE(t.click(save, gone));
    EXPECT_EQ(t.ctx.gSelectGameName, "");
    EXPECT_EQ(t.ctx.gSelectNodeKey, "");

    const mSelect::SelectTree incTree = t.fill("Inc");
    EXPECT_EQ(rows(incTree), (QStringList{"m | Incomplete AutoSave | ", inc + " | Mission-5 (30%) | Mission"}));
    EXPECT_TRUE(incTree.nodes.first().bold);
    EXPECT_EQ(incTree.selected, 0);
    EXPECT_EQ(rows(t.fill("Fin")), (QStringList{"m | Finished AutoSave | ", fin + " | Freecell-8 | Freecell"}));
    EXPECT_EQ(rows(t.fill("Pend")),
              (QStringList{"m | Pending List | ", pend + " | Baker's Game-9 (25%) | Baker's Game"}));

    // Recent files: a missing one and a damaged one are left out.
    mRecent::AddRecent(t.ctx, mRecent::kSaved, FolderList::join(saved, "b.qx0"));
    mRecent::AddRecent(t.ctx, mRecent::kSaved, gone);
    mRecent::AddRecent(t.ctx, mRecent::kSaved, s1);
    EXPECT_EQ(rows(t.fill("rSave")), (QStringList{"m | Recently Saved | ", s1 + " | Freecell - 11 (40%) | Freecell"}));
    EXPECT_EQ(rows(t.fill("rOpen")), QStringList{"m | Recently Opened | "});
    // Only entries Play can start: a game of the table and a number.
    for (const char *entry : {"Nowhere - 5", "Freecell", "Freecell - ", "Freecell - x7", "Baker's Game - 1234"})
        mRecent::AddRecent(t.ctx, mRecent::kPlayed, entry);
    EXPECT_EQ(rows(t.fill("rPlay")),
              (QStringList{"m | Recently Played | ", "Baker's Game - 1234 | Baker's Game - 1234 | Baker's Game"}));
}

// Headers are kept between fillings: a file rewritten in place (same size) keeps its old
// header only while its modification time is the same; with a new time its tree text
// and its details are read again.
TEST(SelectGame, AHeaderIsReadAgainOnceItsFileChanged)
{
    Select t;
    const QString saved = t.ctx.data().SavedFolder();
    const QString path = t.game(saved, "a.qx0", "Freecell", 11);
    const QDateTime first = QDateTime::currentDateTime().addSecs(-60);
    setModified(path, first);
    EXPECT_EQ(rows(t.fill("Save")).last(), path + " | Freecell - 11 (40%) | Freecell");

    t.game(saved, "a.qx0", "Freecell", 12);
    setModified(path, first);
    EXPECT_EQ(rows(t.fill("Save")).last(), path + " | Freecell - 11 (40%) | Freecell"); // from memory
    setModified(path, first.addSecs(1));
    const mSelect::SelectTree tree = t.fill("Save");
    EXPECT_EQ(rows(tree).last(), path + " | Freecell - 12 (40%) | Freecell");
    const std::optional<mSelect::NodeView> view = t.click(tree, path);
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->details.contains("Game Number :12")) << view->details.join(" / ").toStdString();
}

TEST(SelectGame, FavouritesAndGameCategories)
{
    Select t;
    const QString root = t.ctx.data().FavFolder();
    ASSERT_TRUE(QDir().mkpath(root + "/Evening"));
    const QString inFolder = t.fav("Evening/Mission - 3", "Mission", 3);
    // The Tag is the game the record names, not the file's name.
    const QString top = t.fav("my pick", "Freecell", 12);
    writeBytes(root + "/junk", "no record\r\n");
    mSelect::SaveLastItem(t.ctx, "Fav", inFolder);
    const mSelect::SelectTree fav = t.fill("Fav");
    EXPECT_EQ(rows(fav), (QStringList{root + " | Favorites | ", root + "/Evening | Evening | ",
                                      inFolder + " | Mission - 3 | Mission < Evening", top + " | my pick | Freecell"}));
    EXPECT_EQ(fav.selected, 2);

    // A folder node chooses nothing.
    t.ctx.gSelectGameName = "Mission";
    EXPECT_FALSE(mSelect::NodeClick(t.ctx, fav.nodes.at(1)));
    EXPECT_EQ(t.ctx.gSelectGameName, "");

    const mSelect::SelectTree all = t.fill("All");
    EXPECT_EQ(all.nodes.size(), t.ctx.data().TotalGames() + 1);
    EXPECT_EQ(rows(t.fill("Org")), QStringList{"m | Created Games | "});
    mGen1::SetHotFlag(t.ctx, "Mission", 1);
    EXPECT_EQ(rows(t.fill("Hot")), (QStringList{"m | Hot Games | ", "Mission | Mission | Mission"}));
}

TEST(SelectGame, DetailsAndRuleLinesAsShown)
{
    Select t;
    const QString saved = t.game(t.ctx.data().SavedFolder(), "a.qx0", "Freecell", 11);
    const QString fin = t.game(t.ctx.data().AutoSaveFolder(), "Freecell-8.qx1", "Freecell", 8, 100);
    const QString fav = t.fav("Mine", "Freecell", 12);
    mRecent::AddRecent(t.ctx, mRecent::kPlayed, "Freecell - 1234");
    const QString date = mFile::FileDate(saved);

    auto view = t.click(t.fill("Save"), saved);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->details,
              (QStringList{"Game Name :Freecell", "Game Number :11", "Date Played :" + date, "Total Moves :12",
                           "Score Achieved :-7", "Time Taken : 1:02:05", "Percentage Completed :40%"}));
    EXPECT_EQ(view->rules, kFreecellRules);
    EXPECT_EQ(t.ctx.gSelectNodeKey, saved);
    EXPECT_EQ(mSelect::GetLastItem(t.ctx, "Save"), saved);

    view = t.click(t.fill("Fin"), fin);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->details.size(), 6);
    EXPECT_EQ(view->details.last(), "Time Taken : 1:02:05");

    view = t.click(t.fill("Fav"), fav);
    ASSERT_TRUE(view);
    // The record's date in the system's general form, as folder dates show.
    const QString added = QLocale().toString(QDateTime({2026, 1, 2}, {3, 4, 5}), QLocale::ShortFormat);
    EXPECT_EQ(view->details,
              (QStringList{"Game Name :Freecell", "Game Number :12", "Date Added :" + added, "Added By :Ann"}));
    EXPECT_EQ(t.ctx.gSelectGameName, "Freecell");

    view = t.click(t.fill("rPlay"), "Freecell - 1234");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->details, (QStringList{"Game Name : Freecell", "Game Number : 1234", "Game Type :Standard",
                                          "No of Decks :" + t.ctx.data().GetDeck("Freecell"), "Hot Game :No"}));

    mGen1::SetHotFlag(t.ctx, "Mission", 1);
    view = t.click(t.fill("Hot"), "Mission");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->details.at(1), "Game Number : Random");
    EXPECT_EQ(view->details.last(), "Hot Game :Yes");
    EXPECT_NE(view->rules, kFreecellRules);
}

TEST(SelectGame, PlayStartsEachCategoryTheWayItPlays)
{
    Select t;
    const QString saved = t.game(t.ctx.data().SavedFolder(), "a.qx0", "Mission", 11);
    const QString fin = t.game(t.ctx.data().AutoSaveFolder(), "Freecell-8.qx1", "Freecell", 8, 100);
    const QString pend = t.game(t.ctx.data().PendingFolder(), "Freecell-9.qx0", "Freecell", 9);
    const QString fav = t.fav("Mine", "Baker's Game", 12);
    cGamePlay &gp = t.gp();
    auto playing = [&] { return gp.GameName() + " " + gp.GameNo().text(); };

    gp.PlayChoice({"Save", saved, "Mission"});
    EXPECT_EQ(playing(), "Mission 11");
    EXPECT_EQ(mRecent::GetRecent(t.ctx, mRecent::kOpened).value(1), saved);
    gp.PlayChoice({"Fin", fin, "Freecell"});
    EXPECT_EQ(gp.Game_Status(), cGamePlay::Replaying);
    gp.PlayChoice({"Pend", pend, "Freecell"});
    EXPECT_EQ(playing(), "Freecell 9");
    EXPECT_EQ(gp.PendingFile(), pend);
    gp.PlayChoice({"Fav", fav, "Baker's Game"});
    EXPECT_EQ(playing(), "Baker's Game 12");
    gp.PlayChoice({"rPlay", "Freecell - 1234", "Freecell"});
    EXPECT_EQ(playing(), "Freecell 1234");
    gp.PlayChoice({"Hot", "Mission", "Mission"});
    EXPECT_EQ(gp.GameName(), "Mission");
    EXPECT_EQ(gp.Game_LoadingType(), cGamePlay::NewDeal);
}

namespace {

// Whether a category's caption is drawn in the clicked red, as the user sees it.
bool drawnRed(const frmSelect &w, int row)
{
    const QImage image = w.lvMain->viewport()->grab(w.lvMain->visualItemRect(w.lvMain->item(row))).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 70 && c.blue() < 70)
                return true;
        }
    return false;
}

// What the window shows against the model, after every action.
void checkWindow(const Select &t, const frmSelect &w)
{
    const bool chosen = !t.ctx.gSelectGameName.isEmpty();
    for (int i = 0; i < w.lvMain->count(); ++i) {
        const QListWidgetItem *item = w.lvMain->item(i);
        const bool current = item->data(Qt::UserRole).toString() == t.ctx.gSelectCategory;
        EXPECT_EQ(item->foreground().color(), current ? QColor(200, 0, 0) : QColor(Qt::black)) << i;
        EXPECT_EQ(drawnRed(w, i), current) << i;
    }
    int items = 0;
    for (QTreeWidgetItemIterator it(w.tvRight); *it; ++it)
        ++items;
    EXPECT_EQ(items, w.tree().nodes.size());
    EXPECT_EQ(w.lbPlay->isVisible(), chosen);
    EXPECT_EQ(w.lbRules->isVisible(), chosen);
    EXPECT_EQ(w.PicPreview->isVisible(), chosen);
    EXPECT_EQ(w.lvDet->isVisible(), chosen);
    EXPECT_EQ(w.lvSub->isVisible(), chosen);
    EXPECT_EQ(w.PicBlank->isVisible(), !chosen);
    EXPECT_EQ(w.PicBlankSub->isVisible(), !chosen);
    EXPECT_EQ(w.imgMax->isVisible(), chosen);
    EXPECT_EQ(w.imgMin->isVisible(), !chosen);
    EXPECT_EQ(w.lbGame->text(), t.ctx.gSelectGameName);
    EXPECT_EQ(w.lvSub->count(), chosen ? 10 : 0);
}

// Chooses a category and waits until the headers of its files are in.
void clickCategory(frmSelect &w, const QString &key)
{
    for (int i = 0; i < w.lvMain->count(); ++i)
        if (w.lvMain->item(i)->data(Qt::UserRole).toString() == key)
            w.lvMain->setCurrentRow(i);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.readingHeaders(); }, 60000));
}

// The texts of the tree's entries as shown, hidden ones left out.
QStringList shownEntries(const frmSelect &w)
{
    QStringList out;
    for (QTreeWidgetItemIterator it(w.tvRight->topLevelItem(0)->child(0)); *it; ++it)
        if (!(*it)->isHidden())
            out << (*it)->text(0);
    return out;
}

void clickNode(frmSelect &w, const QString &text)
{
    const QList<QTreeWidgetItem *> found = w.tvRight->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << qPrintable(text);
    w.tvRight->setCurrentItem(found.first());
}

} // namespace

TEST(SelectGame, WindowChoosesRemembersAndReturnsTheChoice)
{
    Select t;
    const QString saved = t.game(t.ctx.data().SavedFolder(), "a.qx0", "Mission", 11);
    const QString gone = t.game(t.ctx.data().SavedFolder(), "b.qx0", "Freecell", 12);
    mCustomize::SetPlayer(t.ctx, 1, "Ann", false);
    mCustomize::SetPlayer(t.ctx, 2, "Bob", false);
    mCustomize::SetCurPlayer(t.ctx, "Bob");
    mRegistry::SetRegString(t.ctx, "Select", "MainKey", "all");
    {
        // An unknown category opens "All", the root chosen: nothing to play.
        frmSelect w(t.ctx);
        w.show();
        EXPECT_EQ(t.ctx.gSelectCategory, "All");
        EXPECT_EQ(w.imcPlayer->currentText(), "Bob");
        checkWindow(t, w);
        clickNode(w, "Freecell");
        EXPECT_EQ(w.lvDet->item(0)->text(), "Game Name : Freecell");
        checkWindow(t, w);
        // Only a root: the previous choice does not stay.
        clickCategory(w, "Org");
        EXPECT_EQ(t.ctx.gSelectNodeKey, "");
        checkWindow(t, w);
        clickCategory(w, "Save");
        clickNode(w, "Freecell - 12 (40%)");
        checkWindow(t, w);
        ASSERT_TRUE(QFile::remove(gone));
        clickNode(w, "Mission - 11 (40%)");
        clickNode(w, "Freecell - 12 (40%)");
        checkWindow(t, w);
        EXPECT_EQ(w.lvDet->count(), 0);
        clickNode(w, "Mission - 11 (40%)");
        w.imcPlayer->setCurrentIndex(0);
        w.lbPlay->click();
        ASSERT_TRUE(w.choice());
        EXPECT_EQ(w.choice()->category, "Save");
        EXPECT_EQ(w.choice()->nodeKey, saved);
        EXPECT_EQ(w.choice()->gameName, "Mission");
        EXPECT_EQ(mCustomize::GetCurPlayer(t.ctx), "Ann");
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    EXPECT_EQ(mSelect::GetLastCategory(t.ctx), "Save");
    {
        // Opened again on the category and node of the last Play; Esc chooses nothing
        // and remembers no category.
        frmSelect w(t.ctx);
        w.show();
        EXPECT_EQ(w.tvRight->currentItem()->text(0), "Mission - 11 (40%)");
        EXPECT_EQ(t.ctx.gSelectGameName, "Mission");
        checkWindow(t, w);
        clickCategory(w, "All");
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.choice());
        EXPECT_EQ(w.result(), QDialog::Rejected);
    }
    EXPECT_EQ(mSelect::GetLastCategory(t.ctx), "Save");
}

// The window lists a file category at once, its entries under their file titles, and
// fills in their texts as the headers are read; a damaged file then goes from the list.
// Opened again, unchanged files show their texts at once and a changed one is read
// again; an entry chosen before its header came is read when chosen.
TEST(SelectGame, TheHeadersOfAFileCategoryAreFilledInOnceShown)
{
    Select t;
    const QString saved = t.ctx.data().SavedFolder();
    const QString a = t.game(saved, "a.qx0", "Freecell", 11);
    t.damaged(saved, "b.qx0");
    const QString c = t.game(saved, "c.qx0", "Mission", 617, 100);
    mSelect::SaveLastCategory(t.ctx, "Save");
    const QStringList read = {"Freecell - 11 (40%)", "Mission - 617 (100%)"};
    {
        frmSelect w(t.ctx);
        w.show();
        EXPECT_EQ(shownEntries(w), (QStringList{"a", "b", "c"}));
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownEntries(w) == read; }, 60000))
            << shownEntries(w).join(" / ").toStdString();
        EXPECT_EQ(rows(w.tree()).at(1), a + " | Freecell - 11 (40%) | Freecell");
        EXPECT_FALSE(w.readingHeaders());
    }
    const auto rewrite = [&](std::int64_t number, int minutes) {
        t.game(saved, "c.qx0", "Mission", number, 100);
        setModified(c, QDateTime::currentDateTime().addSecs(minutes * 60));
    };
    rewrite(618, 1);
    {
        frmSelect w(t.ctx);
        w.show();
        EXPECT_EQ(shownEntries(w), (QStringList{"Freecell - 11 (40%)", "b", "c"}));
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownEntries(w).contains("Mission - 618 (100%)"); }, 60000))
            << shownEntries(w).join(" / ").toStdString();
    }
    rewrite(619, 2);
    {
        frmSelect w(t.ctx);
        w.show();
        clickNode(w, "c");
        EXPECT_EQ(t.ctx.gSelectGameName, "Mission");
        EXPECT_TRUE(w.lvDet->findItems("Game Number :619", Qt::MatchExactly).size() == 1);
        EXPECT_EQ(w.tvRight->currentItem()->text(0), "Mission - 619 (100%)");
    }
    // Closed while its headers are still to come: the reading stops with the window.
    rewrite(620, 3);
    t.ctx.savedHeaders().clear();
    {
        frmSelect w(t.ctx);
        w.show();
        EXPECT_TRUE(w.readingHeaders());
    }
    EXPECT_EQ(mSelect::GetLastItem(t.ctx, "Save"), c);
}

TEST(SelectGame, ASettingsStoreThatRefusesWritesStopsNoChoice)
{
    Select t;
    mCustomize::SetPlayer(t.ctx, 1, "Ann", false);
    mCustomize::SetPlayer(t.ctx, 2, "Bob", false);
    mCustomize::SetCurPlayer(t.ctx, "Bob");
    RefusingWriter refusing;
    t.ctx.registry().settingsFile().setWriter(&refusing);
    frmSelect w(t.ctx);
    w.show();
    clickNode(w, "Mission");
    EXPECT_EQ(w.lvDet->count(), 5);
    // A player who cannot be made current plays nothing: the window stays to choose again,
    // told why in words, not by the store's raw key.
    t.box.expect(MsgResult::Ok, "The player \"Ann\" cannot be made current: the settings cannot be saved");
    w.imcPlayer->setCurrentIndex(0);
    w.lbPlay->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.choice());
    EXPECT_FALSE(t.box.last().text.contains("CurPlayer"));
    // The failed write of the entry is told once the window has gone.
    t.box.expect(MsgResult::Ok, "The settings cannot be saved");
    w.imcPlayer->setCurrentIndex(1);
    w.lbPlay->click();
    t.ctx.registry().settingsFile().setWriter(nullptr);
    ASSERT_TRUE(w.choice());
    EXPECT_EQ(w.choice()->nodeKey, "Mission");
    EXPECT_EQ(t.box.prompts().size(), 2);
}

TEST(SelectGame, ADoubleClickPlaysWithARefusingStoreAndTheReportWaitsUntilTheWindowCloses)
{
    Select t;
    mCustomize::SetPlayer(t.ctx, 1, "Ann", false);
    mCustomize::SetCurPlayer(t.ctx, "Ann");
    RefusingWriter refusing;
    t.ctx.registry().settingsFile().setWriter(&refusing);
    frmSelect w(t.ctx);
    w.show();
    const QList<QTreeWidgetItem *> found = w.tvRight->findItems("Mission", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    w.tvRight->scrollToItem(found.first());
    const QPoint at = w.tvRight->visualItemRect(found.first()).center();
    // The first click chooses the entry, whose key cannot be written: nothing may be shown
    // in the middle of the double click.
    QTest::mousePress(w.tvRight->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(w.tvRight->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(t.ctx.gSelectGameName, "Mission");
    EXPECT_TRUE(t.box.prompts().isEmpty());
    t.box.expect(MsgResult::Ok, "The settings cannot be saved");
    QTest::mouseDClick(w.tvRight->viewport(), Qt::LeftButton, {}, at);
    t.ctx.registry().settingsFile().setWriter(nullptr);
    ASSERT_TRUE(w.choice());
    EXPECT_EQ(w.choice()->nodeKey, "Mission");
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(t.box.prompts().size(), 1);
}
