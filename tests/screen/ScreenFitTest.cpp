// Every window of the program on a 1366x768 screen, and on a 1920x1080 screen at a scale
// factor of 2 (the tests run on an offscreen screen of that size), over a home of years of
// play with long names: each opens inside the screen's available area with room for its
// title bar, no list cuts a name, and the game selection keeps its size when a game is
// chosen.
#include <QAbstractItemView>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QScopeGuard>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "appearance/frmAnimation.h"
#include "appearance/frmBackGround.h"
#include "appearance/frmCardDeck.h"
#include "appearance/frmSounds.h"
#include "appearance/mCustomize.h"
#include "core/GameNumber.h"
#include "engine/cEngine.h"
#include "library/frmAddtoFav.h"
#include "library/frmAutoSave.h"
#include "library/frmChoose.h"
#include "library/frmHotGames.h"
#include "library/frmOrgFav.h"
#include "library/frmPending.h"
#include "library/frmSelect.h"
#include "library/mFavorites.h"
#include "library/mSelect.h"
#include "platform/QtMessageBox.h"
#include "platform/QtWindowFit.h"
#include "scores/cScore.h"
#include "scores/dlGInput.h"
#include "scores/frmGameStat.h"
#include "scores/frmHighScore.h"
#include "scores/frmHistory.h"
#include "scores/frmLogStat.h"
#include "scores/frmPlayers.h"
#include "scores/frmSesStat.h"
#include "platform/kMenu.h"
#include "shell/MenuImages.h"
#include "shell/cGamePlay.h"
#include "shell/frmAbout.h"
#include "shell/frmFinish.h"
#include "shell/frmQuickMove.h"
#include "shell/frmSplash.h"
#include "shell/frmToolbar.h"
#include "shell/mMenu.h"
#include "store/HelpWindow.h"
#include "store/cData.h"
#include "store/frmOptions.h"
#include "studio/frmAddGame.h"
#include "studio/frmGameStudio.h"
#include "studio/frmNewGameWizard.h"
#include "studio/frmRules.h"
#include "support/QtPrint.h"
#include "support/WindowContext.h"

namespace {

constexpr int kPlayers = 20;
constexpr int kRecordsPerPlayer = 1000;
const QString kLongName = QStringLiteral("with a name long enough to need a wide list");

// A home of years of play: twenty players with long names and a score log each of
// fifteen-digit game numbers and forty-hour games, saved games of such numbers, and
// favourites with long names in folders with long names.
void fillHome(WindowContext &d)
{
    Context &ctx = d.ctx;
    // The menus built from the favourites take their icons from the list, as in the program.
    ctx.menu().setImageList(MenuImages::ImageList(), mMenu::ImageKeys());
    for (int p = 1; p <= kPlayers; ++p)
        mCustomize::SetPlayer(ctx, static_cast<std::int16_t>(p), QStringLiteral("Player %1 %2").arg(p).arg(kLongName),
                              p == 1);
    const std::int64_t big = 842514816948384;
    for (int p = 1; p <= kPlayers; ++p) {
        std::ofstream log(cScore::LogPath(ctx, mCustomize::GetPlayer(ctx, static_cast<std::int16_t>(p))).toStdString(),
                          std::ios::binary);
        for (int i = 0; i < kRecordsPerPlayer; ++i) {
            const std::int16_t game = static_cast<std::int16_t>(1 + i % ctx.data().TotalGames());
            log << "\"2026-" << 1 + i % 12 << '-' << 1 + i % 28 << " 10:00:00\",\""
                << ctx.data().GetGName(game).toStdString() << "\"," << big - i * 7919 << ',' << 144000 + i << ','
                << 50 + i % 200 << ',' << i % 700 - 100 << ',' << (i % 3 == 0 ? 1 : 0) << "\r\n";
        }
    }
    d.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(big));
    const QByteArray saved = d.engine().SavedGameBytes();
    for (int i = 0; i < 40; ++i) {
        QFile file(ctx.data().SavedFolder() + QStringLiteral("/Saved %1 %2").arg(i).arg(kLongName) +
                   ctx.data().IncExt());
        if (file.open(QIODevice::WriteOnly))
            file.write(saved);
    }
    // Pending games and auto-saved games under long names.
    for (int i = 0; i < 10; ++i) {
        const QString name = QStringLiteral("/Freecell %1 %2").arg(i).arg(kLongName);
        for (const QString &path : {ctx.data().PendingFolder() + name + ctx.data().IncExt(),
                                    ctx.data().AutoSaveFolder() + name + ctx.data().IncExt(),
                                    ctx.data().AutoSaveFolder() + name + ctx.data().FinExt()}) {
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(saved);
        }
    }
    const QString root = ctx.data().FavFolder();
    for (int f = 0; f < 5; ++f) {
        const QString folder = root + QStringLiteral("/Very long folder name for old tournament games %1").arg(f);
        QDir().mkpath(folder);
        for (int i = 0; i < 8; ++i) {
            QFile file(folder + QStringLiteral("/Freecell Replay %1 %2").arg(i).arg(kLongName));
            if (file.open(QIODevice::WriteOnly))
                file.write(mFavorites::FavRecord(QStringLiteral("Freecell"), GameNumber::fromNumber(big - i),
                                                 mCustomize::GetPlayer(ctx, 1), QDateTime({2026, 12, 9}, {14, 0})));
        }
    }
}

// The main window over a game of Freecell with a few moves, so that the windows about
// the running game have something to show, in a full home.
struct Desk : WindowContext {
    Desk()
    {
        fillHome(*this);
        gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(617));
        moveToFreeCell(0);
        moveToFreeCell(1);
        window->show();
    }
};

using Opener = std::function<QWidget *(Desk &)>;

template <typename W> Opener owned()
{
    return [](Desk &d) -> QWidget * { return new W(d.ctx, d.window.get()); };
}

std::vector<std::pair<const char *, Opener>> windows()
{
    return {
        {"frmMain", [](Desk &d) -> QWidget * { return d.window.get(); }},
        {"frmAnimation", owned<frmAnimation>()},
        {"frmBackGround", owned<frmBackGround>()},
        {"frmCardDeck", owned<frmCardDeck>()},
        {"frmSounds", owned<frmSounds>()},
        {"frmAddtoFav", owned<frmAddtoFav>()},
        {"frmAutoSave", owned<frmAutoSave>()},
        {"frmChoose", owned<frmChoose>()},
        {"frmHotGames", owned<frmHotGames>()},
        {"frmOrgFav", owned<frmOrgFav>()},
        {"frmPending", owned<frmPending>()},
        {"frmSelect", owned<frmSelect>()},
        {"frmGameStat", owned<frmGameStat>()},
        {"frmHighScore", owned<frmHighScore>()},
        {"frmHistory", owned<frmHistory>()},
        {"frmLogStat", owned<frmLogStat>()},
        {"frmPlayers", owned<frmPlayers>()},
        {"frmSesStat", owned<frmSesStat>()},
        {"frmAbout", owned<frmAbout>()},
        {"frmFinish", owned<frmFinish>()},
        {"frmQuickMove", owned<frmQuickMove>()},
        {"frmToolbar", owned<frmToolbar>()},
        {"frmOptions", owned<frmOptions>()},
        {"frmGameStudio", owned<frmGameStudio>()},
        {"frmNewGameWizard", owned<frmNewGameWizard>()},
        {"frmAddGame", [](Desk &d) -> QWidget * { return new frmAddGame(d.ctx, QString(), d.window.get()); }},
        {"frmSplash", [](Desk &d) -> QWidget * { return new frmSplash(d.ctx, [] {}); }},
        {"HelpWindow", [](Desk &) -> QWidget * { return new HelpWindow; }},
        {"dlGInput",
         [](Desk &d) -> QWidget * {
             return new dlGInput(
                 d.box, QStringLiteral("Name:"), QString(), [](const QString &) { return true; }, d.window.get());
         }},
        {"frmRules",
         [](Desk &d) -> QWidget * {
             d.ctx.data().ShowRules(QStringLiteral("Freecell"), 0);
             return d.rules.window();
         }},
    };
}

std::string text(const QRect &r)
{
    return QStringLiteral("%1x%2 at (%3, %4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y()).toStdString();
}

// The screens the tests run on: 1366x768, and 1920x1080 at a scale factor of 2.
bool knownScreen(const QRect &area)
{
    return area.size() == QSize(1366, 768) || area.size() == QSize(960, 540);
}

// The window's frame, title bar included, lies inside the area. Offscreen windows have no
// frame: the room a desktop's frame takes is added to the window.
bool inside(const QWidget &w, const QRect &area)
{
    const QRect frame(w.pos(), w.size() + QSize(QtWindowFit::FrameWidth, QtWindowFit::FrameHeight));
    return area.contains(frame);
}

// Each item of the shown lists of the window whose text its cell cuts: the room the view
// would give the item whole against the cell's width. Items in collapsed branches and
// hidden columns have no cell and are left out.
QStringList cutItems(const QWidget &window)
{
    QStringList cut;
    for (const QAbstractItemView *view : window.findChildren<QAbstractItemView *>()) {
        const QAbstractItemModel *model = view->model();
        if (!view->isVisible() || model == nullptr || view->inherits("QHeaderView") || view->window() != &window)
            continue;
        std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
            for (int r = 0; r < model->rowCount(parent); ++r) {
                for (int c = 0; c < model->columnCount(parent); ++c) {
                    const QModelIndex index = model->index(r, c, parent);
                    const QRect cell = view->visualRect(index);
                    const int needed = view->sizeHintForIndex(index).width();
                    if (!cell.isEmpty() && !index.data().toString().isEmpty() && needed > cell.width())
                        cut << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                                   .arg(view->objectName(), index.data().toString())
                                   .arg(needed)
                                   .arg(cell.width());
                }
                walk(model->index(r, 0, parent));
            }
        };
        walk({});
    }
    return cut;
}

// The cut items of every page of the window's tab widgets, each page shown in turn.
QStringList cutItemsOnEveryPage(QWidget &window)
{
    QStringList cut = cutItems(window);
    for (QTabWidget *tabs : window.findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            cut += cutItems(window);
        }
    }
    cut.removeDuplicates();
    return cut;
}

} // namespace

TEST(ScreenFit, EveryWindowOpensInsideTheScreenAndShowsItsNamesWhole)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_TRUE(knownScreen(area)) << "the test needs its screen, not " << text(area);
    for (const auto &[name, open] : windows()) {
        Desk d;
        QPointer<QWidget> w = open(d);
        ASSERT_TRUE(w) << name;
        w->show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(area.contains(w->frameGeometry())) << name << " is " << text(w->frameGeometry());
        EXPECT_TRUE(inside(*w, area)) << name << " is " << text(w->geometry());
        EXPECT_TRUE(QtWindowFit::titleFits(*w, w->windowTitle())) << name << ": " << w->windowTitle().toStdString();
        EXPECT_EQ(cutItemsOnEveryPage(*w).join(u'\n').toStdString(), "") << name;
        if (w != d.window.get())
            delete w.data();
    }
}

TEST(ScreenFit, TheGameSelectionShowsEveryCategorysNamesWhole)
{
    Desk d;
    frmSelect w(d.ctx, d.window.get());
    w.show();
    QCoreApplication::processEvents();
    for (int i = 0; i < w.lvMain->count(); ++i) {
        w.lvMain->setCurrentRow(i);
        for (QTreeWidgetItemIterator it(w.tvRight); *it; ++it)
            (*it)->setExpanded(true);
        QCoreApplication::processEvents();
        EXPECT_EQ(cutItems(w).join(u'\n').toStdString(), "") << mSelect::CategoryKeys().value(i).toStdString();
        EXPECT_TRUE(inside(w, QGuiApplication::primaryScreen()->availableGeometry())) << text(w.geometry());
    }
    // An entry also tells its whole name in its tooltip.
    w.lvMain->setCurrentRow(static_cast<int>(mSelect::CategoryKeys().indexOf(QStringLiteral("Fav"))));
    QCoreApplication::processEvents();
    QTreeWidgetItem *entry = w.tvRight->topLevelItem(0)->child(0)->child(0);
    ASSERT_NE(entry, nullptr);
    entry->parent()->setExpanded(true);
    QCoreApplication::processEvents();
    const QPoint at = w.tvRight->visualItemRect(entry).center();
    QHelpEvent help(QEvent::ToolTip, at, w.tvRight->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(w.tvRight->viewport(), &help);
    EXPECT_EQ(QToolTip::text().toStdString(), entry->text(0).toStdString());
    QToolTip::hideText();
    // An entry whose text comes later, longer, widens the column as well.
    entry->setText(0, entry->text(0) + QLatin1Char(' ') + kLongName + QLatin1Char(' ') + kLongName);
    QCoreApplication::processEvents();
    EXPECT_EQ(cutItems(w).join(u'\n').toStdString(), "");
}

TEST(ScreenFit, TheInputBoxShowsItsTitleAndTextWhole)
{
    const QString title = QStringLiteral("Color Schemes");
    const QString name = QStringLiteral("A colour scheme saved under a long name");
    QSize shown;
    int lineEdit = 0;
    int titleWidth = 0;
    bool onScreen = false;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (box == nullptr)
            return;
        shown = box->size();
        onScreen = inside(*box, QGuiApplication::primaryScreen()->availableGeometry());
        titleWidth = box->fontMetrics().horizontalAdvance(title);
        if (const auto *edit = box->findChild<QLineEdit *>())
            lineEdit = edit->width() - edit->fontMetrics().horizontalAdvance(name);
        box->close();
    });
    QtMessageBox messages;
    messages.input(QStringLiteral("Name:"), title, name);
    // Room beside the title for the window icon and three title bar buttons.
    EXPECT_GE(shown.width(), titleWidth + 120) << shown.width();
    EXPECT_GT(lineEdit, 0) << "the name is cut";
    EXPECT_TRUE(onScreen);
}

TEST(ScreenFit, TheGameSelectionKeepsItsSizeWhenAGameIsChosen)
{
    Desk d;
    d.ctx.gSelectGameName.clear();
    frmSelect w(d.ctx, d.window.get());
    w.show();
    QCoreApplication::processEvents();
    const QSize before = w.size();
    // Every category and its first entry in turn: the preview and the rules come and go.
    for (int i = 0; i < w.lvMain->count(); ++i) {
        w.lvMain->setCurrentRow(i);
        for (QTreeWidgetItemIterator it(w.tvRight); *it; ++it)
            w.tvRight->setCurrentItem(*it);
        QCoreApplication::processEvents();
        EXPECT_EQ(w.size(), before) << i;
    }
}

TEST(ScreenFit, TheHighScoreListsShowTheirTwentyPlacesWithoutScrolling)
{
    if (QGuiApplication::primaryScreen()->availableGeometry().height() < 768)
        GTEST_SKIP() << "a low screen lets the lists scroll";
    // Lines as tall as a desktop's, where the window's first size alone would not hold them.
    const QFont font = QApplication::font();
    QFont large = font;
    large.setPointSize(14);
    QApplication::setFont(large);
    const auto restore = qScopeGuard([&font] { QApplication::setFont(font); });
    Desk d;
    frmHighScore w(d.ctx, d.window.get());
    w.show();
    for (int page = 0; page < w.SSTab1->count(); ++page) {
        w.SSTab1->setCurrentIndex(page);
        QCoreApplication::processEvents();
        for (const QTreeWidget *list : w.SSTab1->currentWidget()->findChildren<QTreeWidget *>()) {
            EXPECT_EQ(list->topLevelItemCount(), 20) << list->objectName().toStdString();
            EXPECT_EQ(list->verticalScrollBar()->maximum(), 0) << list->objectName().toStdString();
        }
    }
}
