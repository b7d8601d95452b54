// Every window of the program on a 1366x768 screen (the test runs on an offscreen screen
// of that size): each opens inside the screen's available area, and the game selection
// keeps its size when a game is chosen.
#include <QDialog>
#include <QGuiApplication>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
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
#include "core/GameNumber.h"
#include "library/frmAddtoFav.h"
#include "library/frmAutoSave.h"
#include "library/frmChoose.h"
#include "library/frmHotGames.h"
#include "library/frmOrgFav.h"
#include "library/frmPending.h"
#include "library/frmSelect.h"
#include "platform/QtWindowFit.h"
#include "scores/dlGInput.h"
#include "scores/frmGameStat.h"
#include "scores/frmHighScore.h"
#include "scores/frmHistory.h"
#include "scores/frmLogStat.h"
#include "scores/frmPlayers.h"
#include "scores/frmSesStat.h"
#include "shell/cGamePlay.h"
#include "shell/frmAbout.h"
#include "shell/frmFinish.h"
#include "shell/frmQuickMove.h"
#include "shell/frmSplash.h"
#include "shell/frmToolbar.h"
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

// The main window over a game of Freecell with a few moves, so that the windows about
// the running game have something to show.
struct Desk : WindowContext {
    Desk()
    {
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

} // namespace

TEST(ScreenFit, EveryWindowOpensInsideA1366x768Screen)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(area.size(), QSize(1366, 768)) << "the test needs its 1366x768 screen";
    for (const auto &[name, open] : windows()) {
        Desk d;
        QPointer<QWidget> w = open(d);
        ASSERT_TRUE(w) << name;
        w->show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(area.contains(w->frameGeometry())) << name << " is " << text(w->frameGeometry());
        // Offscreen frames are thin: each window leaves the room a desktop's title bar takes.
        EXPECT_LE(w->height() + QtWindowFit::FrameHeight, area.height()) << name << " is " << text(w->geometry());
        EXPECT_LE(w->width() + QtWindowFit::FrameWidth, area.width()) << name << " is " << text(w->geometry());
        if (w != d.window.get())
            delete w.data();
    }
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
