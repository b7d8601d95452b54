// The menu-icon control: the model's keys, ids, tags, codes and trees of dynamic items,
// and the Qt menus that mirror it on a real main window: literal captions, icons, and
// clicks that arrive only after the menu is done with them.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include "platform/QtMenuControl.h"
#include "platform/kMenu.h"
#include "support/Errors.h"

namespace {

// Records what the model tells its window.
struct RecordingListener : kMenuListener {
    void itemAdded(const kMenuItem &item) override { log.push_back("add " + item.key.toStdString()); }
    void itemRemoved(std::int32_t id) override { log.push_back("remove " + std::to_string(id)); }
    void itemChanged(const kMenuItem &item) override { log.push_back("change " + item.key.toStdString()); }
    void imageListChanged() override { log.emplace_back("images"); }
    std::vector<std::string> log;
};

QIcon solidIcon(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// The static items the library modules build under, as the main window registers them.
class MenuModelTest : public ::testing::Test {
protected:
    MenuModelTest()
    {
        model.AddStaticItem("mFile(12)", "Recently &Saved", true);
        model.AddStaticItem("mFile(13)", "Recently &Opened", true);
        model.AddStaticItem("mFavMain", "F&avorites", true);
        model.AddStaticItem("mFile(1)", "&New Game", false);
        model.setImageList({solidIcon(Qt::red), solidIcon(Qt::green), solidIcon(Qt::blue)});
        model.setItemClickHandler([this](std::int32_t id) { clicks.push_back(id); });
    }

    std::int32_t add(const QString &key, const QString &parent, std::int32_t code = 400, std::int32_t icon = -1)
    {
        return model.AddItem(key, key, QString(), code, model.ItemIndex(parent), icon);
    }

    kMenu model;
    std::vector<std::int32_t> clicks;
};

// ---- The model ---------------------------------------------------------------------

TEST_F(MenuModelTest, ParentIndexLeadsBackToItsKey)
{
    const std::int32_t index = model.ItemIndex("mFile(12)");
    EXPECT_EQ(model.ItemKey(index), "mFile(12)");
    EXPECT_NE(model.ItemIndex("mFile(13)"), index);
    EXPECT_EQ(model.ItemCaption("mFavMain"), "F&avorites");
    EXPECT_EQ(model.ItemCode("mFavMain"), 0);
}

TEST_F(MenuModelTest, AddedItemKeepsItsCaptionCodeTagAndIcon)
{
    const std::int32_t id =
        model.AddItem("Bouquet-617", "200/home/u/Bouquet-617.qx0", QString(), 200, model.ItemIndex("mFile(12)"), 2);
    const QString key = model.ItemKey(id);
    EXPECT_EQ(key, "200/home/u/Bouquet-617.qx0");
    EXPECT_EQ(model.ItemCaption(key), "Bouquet-617");
    EXPECT_EQ(model.ItemCode(key), 200);
    EXPECT_EQ(model.ItemIcon(key), 2);
    EXPECT_TRUE(model.ItemEnabled(key));
    EXPECT_EQ(model.ItemTag(key), "");

    model.setItemTag(key, "/home/u/Bouquet-617.qx0");
    model.setItemCaption(key, "Bouquet-617 - (Now Playing)");
    model.setItemEnabled(key, false);
    EXPECT_EQ(model.ItemTag(key), "/home/u/Bouquet-617.qx0");
    EXPECT_EQ(model.ItemCaption(key), "Bouquet-617 - (Now Playing)");
    EXPECT_FALSE(model.ItemEnabled(key));
    EXPECT_EQ(model.ItemCode(key), 200);

    const kMenuItem *item = model.findItem(id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->parent, model.ItemIndex("mFile(12)"));
    EXPECT_FALSE(item->isStatic);
}

TEST_F(MenuModelTest, NonePlaceholderTakesTheOptionalFlags)
{
    const std::int32_t id =
        model.AddItem("None", "200None", QString(), 0, model.ItemIndex("mFile(12)"), -1, false, false);
    EXPECT_EQ(model.ItemCode(model.ItemKey(id)), 0);
    EXPECT_EQ(model.ItemIcon("200None"), -1);
    EXPECT_EQ(model.ItemCaption("200None"), "None");
}

TEST_F(MenuModelTest, IdsAreUniqueAndNeverReused)
{
    std::set<std::int32_t> seen;
    for (const char *key : {"mFile(12)", "mFile(13)", "mFavMain", "mFile(1)"})
        seen.insert(model.ItemIndex(key));
    std::vector<std::int32_t> first;
    for (int i = 0; i < 5; ++i)
        first.push_back(add(QString("p%1").arg(i), "mFavMain"));
    seen.insert(first.begin(), first.end());
    EXPECT_EQ(seen.size(), 9u);

    model.ClearItems("mFavMain");
    // The same keys again get new ids; the old ids name nothing.
    for (int i = 0; i < 5; ++i) {
        const std::int32_t id = add(QString("p%1").arg(i), "mFavMain");
        EXPECT_TRUE(seen.insert(id).second) << id;
        EXPECT_GT(id, first.back());
    }
    EXPECT_EQ(errorOf([&] { model.ItemKey(first.front()); }), err::InvalidCall);
    EXPECT_EQ(model.findItem(first.front()), nullptr);
}

TEST_F(MenuModelTest, DuplicateKeysAreRefusedAndLeaveTheModelAsItWas)
{
    add("/fav/Klondike - 1", "mFavMain");
    const std::size_t count = model.ItemCount();
    const auto children = model.findItem(model.ItemIndex("mFavMain"))->children;

    QString text;
    EXPECT_EQ(errorOf([&] { add("/fav/Klondike - 1", "mFile(12)"); }, &text), kMenu::KeyInUse);
    EXPECT_TRUE(text.contains("/fav/Klondike - 1")) << text.toStdString();
    // A dynamic item may not take a static item's key either, nor a static one twice.
    EXPECT_EQ(errorOf([&] { add("mFile(13)", "mFavMain"); }), kMenu::KeyInUse);
    EXPECT_EQ(errorOf([&] { model.AddStaticItem("mFavMain", "x", true); }), kMenu::KeyInUse);

    EXPECT_EQ(model.ItemCount(), count);
    EXPECT_EQ(model.findItem(model.ItemIndex("mFavMain"))->children, children);
    EXPECT_EQ(model.ItemCaption("mFile(13)"), "Recently &Opened");
}

TEST_F(MenuModelTest, KeysCompareExactly)
{
    // A recent list keeps a path in capitals and in small letters apart; so does the menu.
    add("200/home/u/A.qx0", "mFile(12)", 200);
    add("200/home/u/a.qx0", "mFile(12)", 200);
    add("201/home/u/A.qx0", "mFile(13)", 201);
    EXPECT_EQ(model.findItem(model.ItemIndex("mFile(12)"))->children.size(), 2u);
    EXPECT_FALSE(model.HasItem("200/HOME/u/a.qx0"));
    EXPECT_EQ(model.ItemCode("201/home/u/A.qx0"), 201);
}

TEST_F(MenuModelTest, UnknownKeysAndIdsRaiseWithTheKeyNamed)
{
    const QString missing = "/pending/Gone-1.qx0";
    QString text;
    EXPECT_EQ(errorOf([&] { model.ItemIndex(missing); }, &text), err::InvalidCall);
    EXPECT_TRUE(text.contains(missing)) << text.toStdString();
    EXPECT_EQ(errorOf([&] { model.ItemTag(missing); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.setItemTag(missing, "x"); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.ItemCode(missing); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.ItemCaption(missing); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.setItemCaption(missing, "x"); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.setItemEnabled(missing, false); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.setItemIcon(missing, 0); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.RemoveItem(missing); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.ClearItems(missing); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.ItemKey(0); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.ItemKey(-1); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.AddItem("x", "x", QString(), 400, 9999, -1); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.AddItem("x", "", QString(), 400, model.ItemIndex("mFavMain"), -1); }),
              err::InvalidCall);
    EXPECT_FALSE(model.HasItem("x"));
}

TEST_F(MenuModelTest, RemovingAFolderTakesEverythingUnderIt)
{
    RecordingListener listener;
    const std::int32_t folder = add("/fav/Easy", "mFavMain", 0);
    const std::int32_t a = add("/fav/Easy/A", "/fav/Easy");
    const std::int32_t deeper = add("/fav/Easy/Deeper", "/fav/Easy", 0);
    const std::int32_t b = add("/fav/Easy/Deeper/B", "/fav/Easy/Deeper");
    const std::int32_t c = add("/fav/Easy/C", "/fav/Easy");
    add("/fav/Top", "mFavMain");
    const std::size_t before = model.ItemCount();
    model.setListener(&listener);

    model.RemoveItem("/fav/Easy");

    EXPECT_EQ(model.ItemCount(), before - 5);
    for (const char *key : {"/fav/Easy", "/fav/Easy/A", "/fav/Easy/Deeper", "/fav/Easy/Deeper/B", "/fav/Easy/C"})
        EXPECT_FALSE(model.HasItem(key)) << key;
    EXPECT_TRUE(model.HasItem("/fav/Top"));
    EXPECT_EQ(model.findItem(model.ItemIndex("mFavMain"))->children,
              std::vector<std::int32_t>{model.ItemIndex("/fav/Top")});
    // Every item under a menu goes before the menu itself.
    const std::vector<std::string> expected{"remove " + std::to_string(a), "remove " + std::to_string(b),
                                            "remove " + std::to_string(deeper), "remove " + std::to_string(c),
                                            "remove " + std::to_string(folder)};
    EXPECT_EQ(listener.log, expected);
    model.setListener(nullptr);
}

TEST_F(MenuModelTest, RemovingAnItemInsideAFolderKeepsTheFolder)
{
    add("/fav/Easy", "mFavMain", 0);
    add("/fav/Easy/A", "/fav/Easy");
    add("/fav/Easy/B", "/fav/Easy");
    model.RemoveItem("/fav/Easy/A");
    const kMenuItem *folder = model.findItem(model.ItemIndex("/fav/Easy"));
    EXPECT_EQ(folder->children, std::vector<std::int32_t>{model.ItemIndex("/fav/Easy/B")});
    EXPECT_TRUE(folder->holdsItems);
}

TEST_F(MenuModelTest, ClearItemsEmptiesOnlyThatParent)
{
    add("200/a", "mFile(12)", 200);
    add("200/b", "mFile(12)", 200);
    add("201/a", "mFile(13)", 201);

    model.ClearItems(model.ItemKey(model.ItemIndex("mFile(12)")));

    EXPECT_TRUE(model.findItem(model.ItemIndex("mFile(12)"))->children.empty());
    EXPECT_FALSE(model.HasItem("200/a"));
    EXPECT_TRUE(model.HasItem("201/a"));
    EXPECT_TRUE(model.HasItem("mFile(12)"));
    // Clearing an empty parent does nothing; the keys are free again.
    model.ClearItems("mFile(12)");
    EXPECT_NO_THROW(add("200/a", "mFile(12)", 200));
}

TEST_F(MenuModelTest, ClearItemsOfAFolderKeepsTheFolderAsAMenu)
{
    add("/fav/Easy", "mFavMain", 0);
    add("/fav/Easy/A", "/fav/Easy");
    model.ClearItems("/fav/Easy");
    EXPECT_TRUE(model.HasItem("/fav/Easy"));
    EXPECT_TRUE(model.ItemSubmenu("/fav/Easy"));
}

TEST_F(MenuModelTest, StaticItemsStayAndCommandItemsHoldNothing)
{
    EXPECT_EQ(errorOf([&] { model.RemoveItem("mFile(12)"); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { add("x", "mFile(1)"); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { model.setItemSubmenu("mFile(1)", true); }), err::InvalidCall);
    EXPECT_TRUE(model.HasItem("mFile(12)"));
    EXPECT_FALSE(model.HasItem("x"));
}

TEST_F(MenuModelTest, ItemBecomesAMenuWithItsFirstItem)
{
    add("/fav/Empty", "mFavMain", 0);
    add("/fav/Full", "mFavMain", 0);
    EXPECT_FALSE(model.ItemSubmenu("/fav/Full"));
    add("/fav/Full/A", "/fav/Full");
    EXPECT_TRUE(model.ItemSubmenu("/fav/Full"));

    // An empty folder is made a menu by its builder, and can be made a plain item again
    // only while it holds nothing.
    model.setItemSubmenu("/fav/Empty", true);
    EXPECT_TRUE(model.ItemSubmenu("/fav/Empty"));
    model.setItemSubmenu("/fav/Empty", false);
    EXPECT_FALSE(model.ItemSubmenu("/fav/Empty"));
    EXPECT_EQ(errorOf([&] { model.setItemSubmenu("/fav/Full", false); }), err::InvalidCall);
}

TEST_F(MenuModelTest, IconIndexesMustBeInTheImageList)
{
    EXPECT_NO_THROW(add("a", "mFavMain", 400, -1));
    EXPECT_NO_THROW(add("b", "mFavMain", 400, 2));
    EXPECT_EQ(errorOf([&] { add("c", "mFavMain", 400, 3); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { add("d", "mFavMain", 400, -2); }), err::Subscript);
    EXPECT_FALSE(model.HasItem("c"));

    model.setItemIcon("mFile(1)", 0);
    EXPECT_EQ(model.ItemIcon("mFile(1)"), 0);
    EXPECT_EQ(errorOf([&] { model.setItemIcon("mFile(1)", 3); }), err::Subscript);
    EXPECT_EQ(model.ItemIcon("mFile(1)"), 0);
    model.setItemIcon("mFile(1)", -1);
    EXPECT_EQ(model.ItemIcon("mFile(1)"), -1);
}

TEST_F(MenuModelTest, ClickReachesTheHandlerOnlyForLiveEnabledDynamicItems)
{
    const std::int32_t live = add("live", "mFavMain");
    const std::int32_t disabled = add("disabled", "mFavMain");
    const std::int32_t removed = add("removed", "mFavMain");
    model.setItemEnabled("disabled", false);
    model.RemoveItem("removed");

    EXPECT_TRUE(model.ItemClick(live));
    EXPECT_FALSE(model.ItemClick(disabled));
    EXPECT_FALSE(model.ItemClick(removed));
    EXPECT_FALSE(model.ItemClick(model.ItemIndex("mFile(1)")));
    EXPECT_FALSE(model.ItemClick(0));
    EXPECT_EQ(clicks, std::vector<std::int32_t>{live});

    model.setItemEnabled("disabled", true);
    EXPECT_TRUE(model.ItemClick(disabled));

    model.setItemClickHandler({});
    EXPECT_FALSE(model.ItemClick(live));
}

TEST_F(MenuModelTest, HandlerMayRebuildTheMenuItWasChosenFrom)
{
    const std::int32_t id = add("200/a", "mFile(12)", 200);
    model.setItemClickHandler([this](std::int32_t clicked) {
        const QString key = model.ItemKey(clicked);
        clicks.push_back(model.ItemCode(key));
        model.ClearItems("mFile(12)");
        add("200/b", "mFile(12)", 200);
    });
    EXPECT_TRUE(model.ItemClick(id));
    EXPECT_EQ(clicks, std::vector<std::int32_t>{200});
    EXPECT_FALSE(model.HasItem("200/a"));
    EXPECT_TRUE(model.HasItem("200/b"));
}

TEST_F(MenuModelTest, ListenerHearsWhatChangedAndNothingElse)
{
    RecordingListener listener;
    model.setListener(&listener);
    add("/fav/F", "mFavMain", 0);
    add("/fav/F/a", "/fav/F");
    model.setItemCaption("/fav/F/a", "/fav/F/a"); // unchanged: no news
    model.setItemCaption("/fav/F/a", "A");
    model.setItemEnabled("/fav/F/a", true); // unchanged
    model.setItemTag("/fav/F/a", "tag");    // not shown
    model.setItemIcon("/fav/F/a", 1);
    model.setImageList({});
    const std::vector<std::string> expected{"add /fav/F",      "change /fav/F",   "add /fav/F/a",
                                            "change /fav/F/a", "change /fav/F/a", "images"};
    EXPECT_EQ(listener.log, expected);
    model.setListener(nullptr);
}

// ---- The Qt menus ------------------------------------------------------------------

class QtMenuControlTest : public ::testing::Test {
protected:
    QtMenuControlTest() : control(model)
    {
        fileMenu = window.menuBar()->addMenu("&File");
        newAction = fileMenu->addAction("&New Game");
        savedMenu = fileMenu->addMenu("Recently &Saved");
        favMenu = window.menuBar()->addMenu("F&avorites");
        favMenu->addAction("&Add to Favorites");
        favMenu->addAction("&Organize Favorites");
        favMenu->addSeparator();
        images = {solidIcon(Qt::red), solidIcon(Qt::green), solidIcon(Qt::blue)};
        model.setImageList(images);

        control.Attach(&window);
        control.RegisterAction("mFile(1)", newAction);
        control.RegisterMenu("mFile(12)", savedMenu);
        control.RegisterMenu("mFavMain", favMenu);
        model.setItemClickHandler([this](std::int32_t id) { clicks.push_back(id); });
    }

    std::int32_t add(const QString &caption, const QString &key, const QString &parent, std::int32_t code = 400,
                     std::int32_t icon = -1)
    {
        return model.AddItem(caption, key, QString(), code, model.ItemIndex(parent), icon);
    }

    // Lets queued clicks and deferred deletions run.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    kMenu model;
    QMainWindow window;
    QtMenuControl control;
    QMenu *fileMenu = nullptr;
    QAction *newAction = nullptr;
    QMenu *savedMenu = nullptr;
    QMenu *favMenu = nullptr;
    QList<QIcon> images;
    std::vector<std::int32_t> clicks;
};

TEST_F(QtMenuControlTest, RegisteredItemsAreTheWindowsOwn)
{
    const std::int32_t saved = model.ItemIndex("mFile(12)");
    EXPECT_EQ(control.action(saved), savedMenu->menuAction());
    EXPECT_EQ(control.menu(saved), savedMenu);
    EXPECT_EQ(control.action(model.ItemIndex("mFile(1)")), newAction);
    EXPECT_EQ(control.menu(model.ItemIndex("mFile(1)")), nullptr);
    EXPECT_EQ(model.ItemCaption("mFile(12)"), "Recently &Saved");
    EXPECT_EQ(control.window(), &window);
}

TEST_F(QtMenuControlTest, RegisteringNeedsAnAttachedWindowAndAFreeKey)
{
    kMenu other;
    QtMenuControl unattached(other);
    QAction action("x");
    EXPECT_EQ(errorOf([&] { unattached.RegisterAction("x", &action); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { control.RegisterAction("mFile(1)", &action); }), kMenu::KeyInUse);
    EXPECT_EQ(errorOf([&] { control.RegisterMenu("m", nullptr); }), err::InvalidCall);
    QMainWindow second;
    EXPECT_EQ(errorOf([&] { control.Attach(&second); }), err::InvalidCall);
    EXPECT_NO_THROW(control.Attach(&window));
}

TEST_F(QtMenuControlTest, DynamicItemsFollowTheStaticOnesInOrder)
{
    const std::int32_t a = add("A", "/fav/A", "mFavMain");
    const std::int32_t b = add("B", "/fav/B", "mFavMain");
    const QList<QAction *> shown = favMenu->actions();
    ASSERT_EQ(shown.size(), 5);
    EXPECT_EQ(shown[3], control.action(a));
    EXPECT_EQ(shown[4], control.action(b));
    EXPECT_TRUE(shown[2]->isSeparator());
}

TEST_F(QtMenuControlTest, DynamicCaptionsShowAmpersandsAsTheyStand)
{
    const std::int32_t id = add("Salt & Pepper - 17", "/fav/Salt & Pepper - 17", "mFavMain");
    EXPECT_EQ(control.action(id)->text(), "Salt && Pepper - 17");
    model.setItemCaption("/fav/Salt & Pepper - 17", "R&D - 1 (50% Completed) - (Now Playing)");
    EXPECT_EQ(control.action(id)->text(), "R&&D - 1 (50% Completed) - (Now Playing)");
    EXPECT_EQ(model.ItemCaption("/fav/Salt & Pepper - 17"), "R&D - 1 (50% Completed) - (Now Playing)");

    const std::int32_t folder = add("Tom && Jerry", "/fav/Tom && Jerry", "mFavMain", 0);
    add("x", "/fav/Tom && Jerry/x", "/fav/Tom && Jerry");
    EXPECT_EQ(control.action(folder)->text(), "Tom &&&& Jerry");
    EXPECT_EQ(control.menu(folder)->title(), "Tom &&&& Jerry");

    // The window's own captions keep their mnemonics.
    model.setItemCaption("mFile(1)", "&New Deal");
    EXPECT_EQ(newAction->text(), "&New Deal");
}

TEST_F(QtMenuControlTest, IconsComeFromTheImageList)
{
    const std::int32_t withIcon = add("A", "/fav/A", "mFavMain", 400, 1);
    const std::int32_t without = add("None", "200None", "mFile(12)", 0, -1);
    EXPECT_EQ(control.action(withIcon)->icon().cacheKey(), images[1].cacheKey());
    EXPECT_TRUE(control.action(without)->icon().isNull());

    model.setItemIcon("mFile(1)", 2);
    EXPECT_EQ(newAction->icon().cacheKey(), images[2].cacheKey());
    model.setItemIcon("mFile(12)", 0);
    EXPECT_EQ(savedMenu->icon().cacheKey(), images[0].cacheKey());

    // A new image list shows at once; an index past its end shows no icon.
    const QList<QIcon> fresh{solidIcon(Qt::yellow), solidIcon(Qt::cyan)};
    model.setImageList(fresh);
    EXPECT_EQ(control.action(withIcon)->icon().cacheKey(), fresh[1].cacheKey());
    EXPECT_TRUE(newAction->icon().isNull());
}

TEST_F(QtMenuControlTest, WindowsOwnIconsAndStatesStayUnlessTheModelChangesThem)
{
    const QIcon own = solidIcon(Qt::magenta);
    newAction->setIcon(own);
    newAction->setEnabled(false);
    model.setItemCaption("mFile(1)", "&New Deal");
    model.setImageList({solidIcon(Qt::black)});
    EXPECT_EQ(newAction->icon().cacheKey(), own.cacheKey());
    EXPECT_FALSE(newAction->isEnabled());
}

TEST_F(QtMenuControlTest, ARegisteredSeparatorShowsAsTheModelSays)
{
    QAction *separator = favMenu->actions().at(2);
    separator->setVisible(false);
    control.RegisterAction("mFav(3)", separator);
    EXPECT_FALSE(model.ItemVisible("mFav(3)"));
    model.setItemVisible("mFav(3)", true);
    EXPECT_TRUE(separator->isVisible());
    model.setItemVisible("mFav(3)", false);
    EXPECT_FALSE(separator->isVisible());
}

TEST_F(QtMenuControlTest, ClickArrivesOnlyAfterTheEventLoopTurns)
{
    const std::int32_t id = add("Bouquet - 617", "202Bouquet - 617", "mFile(12)", 202);
    control.action(id)->trigger();
    EXPECT_TRUE(clicks.empty());
    settle();
    EXPECT_EQ(clicks, std::vector<std::int32_t>{id});
}

TEST_F(QtMenuControlTest, WindowsOwnItemsKeepTheirOwnClicks)
{
    int own = 0;
    QObject::connect(newAction, &QAction::triggered, [&own] { ++own; });
    newAction->trigger();
    settle();
    EXPECT_EQ(own, 1);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(QtMenuControlTest, DisabledOrRemovedItemsDeliverNothing)
{
    const std::int32_t a = add("A", "/pend/A", "mFavMain", 300);
    const std::int32_t b = add("B", "/pend/B", "mFavMain", 300);
    const std::int32_t c = add("C", "/pend/C", "mFavMain", 300);

    model.setItemEnabled("/pend/A", false);
    EXPECT_FALSE(control.action(a)->isEnabled());
    control.action(a)->trigger();

    // Chosen while enabled, disabled or removed before the click is delivered.
    control.action(b)->trigger();
    model.setItemEnabled("/pend/B", false);
    control.action(c)->trigger();
    model.RemoveItem("/pend/C");
    settle();
    EXPECT_TRUE(clicks.empty());

    model.setItemEnabled("/pend/A", true);
    EXPECT_TRUE(control.action(a)->isEnabled());
    control.action(a)->trigger();
    settle();
    EXPECT_EQ(clicks, std::vector<std::int32_t>{a});
}

TEST_F(QtMenuControlTest, RemovedItemsLeaveTheMenuAtOnceAndAreFreedLater)
{
    add("A", "/fav/A", "mFavMain");
    const std::int32_t b = add("B", "/fav/B", "mFavMain");
    QPointer<QAction> shown = control.action(b);
    model.RemoveItem("/fav/B");
    EXPECT_EQ(favMenu->actions().size(), 4);
    EXPECT_FALSE(favMenu->actions().contains(shown.data()));
    EXPECT_EQ(control.action(b), nullptr);
    settle();
    EXPECT_TRUE(shown.isNull());
}

TEST_F(QtMenuControlTest, FoldersShowTheirItemsAsSubmenus)
{
    const std::int32_t folder = add("Easy", "/fav/Easy", "mFavMain", 0, 0);
    EXPECT_EQ(control.menu(folder), nullptr);
    const std::int32_t a = add("A", "/fav/Easy/A", "/fav/Easy");
    const std::int32_t b = add("B", "/fav/Easy/B", "/fav/Easy");
    QMenu *sub = control.menu(folder);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(control.action(folder)->menu(), sub);
    EXPECT_EQ(sub->actions(), (QList<QAction *>{control.action(a), control.action(b)}));
    EXPECT_EQ(control.action(folder)->icon().cacheKey(), images[0].cacheKey());

    // An empty folder shows an empty submenu once its builder says so.
    const std::int32_t empty = add("Empty", "/fav/Empty", "mFavMain", 0);
    model.setItemSubmenu("/fav/Empty", true);
    ASSERT_NE(control.menu(empty), nullptr);
    EXPECT_TRUE(control.menu(empty)->actions().isEmpty());

    QPointer<QMenu> gone = sub;
    QPointer<QAction> child = control.action(a);
    model.RemoveItem("/fav/Easy");
    EXPECT_EQ(favMenu->actions().size(), 4);
    settle();
    EXPECT_TRUE(gone.isNull());
    EXPECT_TRUE(child.isNull());
}

TEST_F(QtMenuControlTest, NonePlaceholderDeliversItsClickWithCodeZero)
{
    std::vector<std::int32_t> codes;
    model.setItemClickHandler([&](std::int32_t id) { codes.push_back(model.ItemCode(model.ItemKey(id))); });
    const std::int32_t none =
        model.AddItem("None", "200None", QString(), 0, model.ItemIndex("mFile(12)"), -1, false, false);
    EXPECT_EQ(control.action(none)->text(), "None");
    EXPECT_TRUE(control.action(none)->isEnabled());
    control.action(none)->trigger();
    settle();
    EXPECT_EQ(codes, std::vector<std::int32_t>{0});
}

TEST_F(QtMenuControlTest, HandlerThatRebuildsTheClickedItemsMenuIsSafe)
{
    const std::int32_t first = add("/saved/a.qx0", "200/saved/a.qx0", "mFile(12)", 200);
    add("/saved/b.qx0", "200/saved/b.qx0", "mFile(12)", 200);
    model.setItemTag("200/saved/a.qx0", "/saved/a.qx0");
    std::vector<QString> opened;
    model.setItemClickHandler([&](std::int32_t id) {
        opened.push_back(model.ItemTag(model.ItemKey(id)));
        // What the recent lists do after opening a file: the submenu is built anew.
        model.ClearItems(model.ItemKey(model.ItemIndex("mFile(12)")));
        add("/saved/a.qx0", "200/saved/a.qx0", "mFile(12)", 200);
        add("/saved/c.qx0", "200/saved/c.qx0", "mFile(12)", 200);
    });

    // Chosen with the mouse in the open menu, as a user does.
    savedMenu->popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(savedMenu));
    QPointer<QAction> clicked = control.action(first);
    const QRect where = savedMenu->actionGeometry(clicked.data());
    ASSERT_FALSE(where.isEmpty());
    QTest::mouseClick(savedMenu, Qt::LeftButton, {}, where.center());
    QTRY_VERIFY_WITH_TIMEOUT(!opened.empty(), 60000);
    settle();

    EXPECT_EQ(opened, std::vector<QString>{"/saved/a.qx0"});
    EXPECT_TRUE(clicked.isNull());
    const QList<QAction *> now = savedMenu->actions();
    ASSERT_EQ(now.size(), 2);
    EXPECT_EQ(now[0]->text(), "/saved/a.qx0");
    EXPECT_EQ(now[1]->text(), "/saved/c.qx0");
    savedMenu->hide();
}

TEST_F(QtMenuControlTest, TriggerFollowedByARebuildInTheSameTurnIsSafe)
{
    // Two clicks queued, the first handler clears the menu: the second finds its item gone.
    const std::int32_t a = add("a", "200a", "mFile(12)", 200);
    const std::int32_t b = add("b", "200b", "mFile(12)", 200);
    model.setItemClickHandler([&](std::int32_t id) {
        clicks.push_back(id);
        model.ClearItems("mFile(12)");
    });
    control.action(a)->trigger();
    control.action(b)->trigger();
    settle();
    EXPECT_EQ(clicks, std::vector<std::int32_t>{a});
    EXPECT_TRUE(savedMenu->actions().isEmpty());
}

TEST_F(QtMenuControlTest, DestroyingTheControlTakesItsItemsAway)
{
    kMenu other;
    QMainWindow host;
    QMenu *menu = host.menuBar()->addMenu("&Pending");
    menu->addAction("&Add to Pending List");
    QPointer<QAction> dynamic;
    {
        QtMenuControl local(other);
        local.Attach(&host);
        local.RegisterMenu("mPendMain", menu);
        dynamic = local.action(
            other.AddItem("G - 1 (5% Completed)", "/p/G-1.qx0", QString(), 300, other.ItemIndex("mPendMain"), -1));
        ASSERT_EQ(menu->actions().size(), 2);
    }
    EXPECT_TRUE(dynamic.isNull());
    EXPECT_EQ(menu->actions().size(), 1);
    // The model no longer talks to the control that went.
    EXPECT_NO_THROW(other.AddItem("H - 2", "/p/H-2.qx0", QString(), 300, other.ItemIndex("mPendMain"), -1));
}

} // namespace
