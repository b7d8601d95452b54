// The main window's menus, toolbar and command dispatcher: every menu item, toolbar
// button and dynamic menu item arrives here and is forwarded to one model call or window.
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QToolBar>
#include <cmath>
#include <limits>

#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "core/Numbers.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "platform/QtMenuControl.h"
#include "shell/BoardView.h"
#include "shell/MenuImages.h"
#include "app/Context.h"
#include "shell/cGamePlay.h"
#include "platform/kMenu.h"
#include "shell/mGen.h"
#include "shell/frmAbout.h"
#include "shell/frmFinish.h"
#include "shell/frmQuickMove.h"
#include "shell/frmToolbar.h"
#include "shell/mMenu.h"
#include "shell/mToolbar.h"
#include "shell/m_Main.h"
#include "store/frmOptions.h"
#include "appearance/frmAnimation.h"
#include "appearance/frmBackGround.h"
#include "appearance/frmCardDeck.h"
#include "appearance/frmSounds.h"
#include "library/frmAddtoFav.h"
#include "library/frmSelect.h"
#include "library/frmAutoSave.h"
#include "library/frmChoose.h"
#include "library/frmPending.h"
#include "library/mPending.h"
#include "scores/frmGameStat.h"
#include "scores/frmHighScore.h"
#include "scores/frmHistory.h"
#include "scores/frmLogStat.h"
#include "scores/frmPlayers.h"
#include "scores/frmSesStat.h"
#include "library/frmHotGames.h"
#include "library/frmOrgFav.h"
#include "store/mFile.h"
#include "store/mOptions.h"
#include "store/cData.h"
#include "studio/frmGameStudio.h"

namespace {
// Codes of the dynamic menu items.
constexpr std::int32_t kRecentlySaved = 200;
constexpr std::int32_t kRecentlyOpened = 201;
constexpr std::int32_t kRecentlyPlayed = 202;
constexpr std::int32_t kPendingGame = 300;
constexpr std::int32_t kFavourite = 400;
} // namespace

void frmMain::createMenus()
{
    QHash<QString, QMenu *> menus;
    for (const mMenu::MenuDef &def : mMenu::Menus()) {
        QMenu *menu = menuBar()->addMenu(QString::fromLatin1(def.caption));
        menu->setObjectName(QLatin1String(def.topName));
        menus.insert(QLatin1String(def.name), menu);
        Menu1->RegisterMenu(QLatin1String(def.topName), menu);
    }
    for (const mMenu::MenuItemDef &item : mMenu::Items()) {
        QMenu *menu = menus.value(QLatin1String(item.menu));
        const QString key = QLatin1String(item.key);
        if (key.isEmpty()) {
            QAction *separator = menu->addSeparator();
            // The separators above the favourites and the pending games are shown by the
            // menu model only while there are items below them.
            if ((item.menu == QLatin1String("mFav") || item.menu == QLatin1String("mPend")) && item.index == 3) {
                separator->setVisible(false);
                Menu1->RegisterAction(mMenu::ItemKey(item), separator);
            }
            continue;
        }
        if (key == QLatin1String("Recent")) {
            // The recent lists are submenus filled by the menu-icon control.
            QMenu *submenu = menu->addMenu(QString::fromLatin1(item.caption));
            Menu1->RegisterMenu(mMenu::ItemKey(item), submenu);
            continue;
        }
        QAction *action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(mMenu::ItemKey(item));
        action->setData(key);
        if (*item.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            // Scoped to this window, so dialogs keep Ctrl+C and Ctrl+V for their text fields.
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (key == QLatin1String("AutoPlay") || key == QLatin1String("Pause") || key == QLatin1String("ViewTool"))
            action->setCheckable(true);
        if (!mMenu::CommandAvailable(key))
            action->setEnabled(false);
        if (key == QLatin1String("Stop"))
            action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, key] { DoCommand(key); });
        actions_.insert(key, action);
        Menu1->RegisterAction(mMenu::ItemKey(item), action);
    }
}

void frmMain::createToolbar()
{
    Toolbar1 = addToolBar(QStringLiteral("Toolbar"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(22, 22));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const mToolbar::ButtonSlot &slot : mToolbar::ToolbarSlots()) {
        const QString key = QLatin1String(slot.key);
        if (mToolbar::IsSeparator(key)) {
            auto *separator = new QAction(this);
            separator->setSeparator(true);
            separator->setObjectName(key);
            separators_.insert(key, separator);
        } else if (QAction *action = actions_.value(key)) {
            action->setToolTip(QString::fromLatin1(slot.tooltip));
        }
    }
    // The start-up steps apply the stored choice again and report nothing; a choice that
    // cannot be read here leaves the toolbar empty rather than the window unbuilt.
    ignoreErrors([this] { ApplyToolbar(); });
}

void frmMain::InitMenuItems()
{
    mMenu::InitMenuItems(ctx_);
}

void frmMain::ApplyToolbar()
{
    // Buttons share their menu item's action, so a hidden button is left out rather than
    // hidden; separators are the toolbar's own and keep their place.
    const QHash<QString, bool> shown = mToolbar::ToolbarItems(ctx_);
    Toolbar1->clear();
    for (const mToolbar::ButtonSlot &slot : mToolbar::ToolbarSlots()) {
        const QString key = QLatin1String(slot.key);
        if (QAction *separator = separators_.value(key)) {
            separator->setVisible(shown.value(key));
            Toolbar1->addAction(separator);
        } else if (QAction *action = actions_.value(key); action && shown.value(key)) {
            Toolbar1->addAction(action);
        }
    }
}

frmMain::RecordWalk::RecordWalk(frmMain &window) : window_(window)
{
    window_.walkingRecord_ = true;
    window_.view_->setInputDuringAnimation(true);
}

frmMain::RecordWalk::~RecordWalk()
{
    window_.walkingRecord_ = false;
    window_.view_->setInputDuringAnimation(false);
}

void frmMain::DoCommand(const QString &key)
{
    // A command that reaches a busy window (input let in during a walk through the moves)
    // does nothing.
    if (Busy())
        return;
    // A command that arrives between the winning move and its announcement announces the
    // win instead: the won game must be recorded before anything else happens to it.
    if (announcePendingWin())
        return;
    StopReplay();
    CancelDrag();
    if (Busy() || !mMenu::CommandAvailable(key))
        return;
    if (key == QLatin1String("MovesMan")) {
        // Opened outside the busy scope: a replay started from it runs while it is shown,
        // and each of its jumps is a board operation of its own.
        runGuarded(ctx_.messages(), [&] {
            if (ctx_.engine().GetTransTop() > 0)
                frmQuickMove(ctx_, this).exec();
        });
        if (!shutDown_)
            tmrMain_Timer();
        return;
    }
    cGamePlay &session = ctx_.gamePlay();
    cEngine &engine = ctx_.engine();
    boardOperation([&] {
        if (key == QLatin1String("New")) {
            session.PlayRandom();
        } else if (key == QLatin1String("Select")) {
            session.SelectGame();
        } else if (key == QLatin1String("SelNum")) {
            QString game;
            QString number;
            {
                frmChoose choose(ctx_, this);
                choose.exec();
                game = choose.chosenGame();
                number = choose.chosenNumber();
            }
            // Dealt once the window has gone; the number stays the text that was typed.
            if (!game.isEmpty())
                session.StartGame(game, GameNumber::fromText(number), cGamePlay::NewDeal, 0, 0, 0);
        } else if (key == QLatin1String("Restart")) {
            session.Restart();
        } else if (key == QLatin1String("Open")) {
            mFile::OpenGameDialog(ctx_);
        } else if (key == QLatin1String("Save")) {
            mFile::SaveGameDialog(ctx_, ctx_.data().IncExt());
        } else if (key == QLatin1String("Close")) {
            if (session.Game_Status() == cGamePlay::Playing)
                session.EndGame(0, false);
            else if (session.Game_Status() == cGamePlay::Replaying)
                session.ClearArea();
            ctx_.sound().CloseGame();
        } else if (key == QLatin1String("Exit")) {
            QTimer::singleShot(0, this, [this] { close(); });
        } else if (key == QLatin1String("Undo")) {
            int speed = mCustomize::GetUndoSpeed(ctx_);
            engine.Undo(speed);
        } else if (key == QLatin1String("Redo")) {
            int speed = mCustomize::GetUndoSpeed(ctx_);
            engine.Redo(speed);
        } else if (key == QLatin1String("AutoPlay")) {
            m_Main::ToggleAutoPlay(ctx_);
        } else if (key == QLatin1String("UndoAll")) {
            const RecordWalk walking(*this);
            int speed = mCustomize::GetUndoallSpeed(ctx_);
            engine.UndoAll(speed);
        } else if (key == QLatin1String("RedoAll")) {
            const RecordWalk walking(*this);
            int speed = mCustomize::GetUndoallSpeed(ctx_);
            engine.RedoAll(speed);
        } else if (key == QLatin1String("Pause")) {
            m_Main::TogglePause(ctx_);
        } else if (key == QLatin1String("ViewTool")) {
            m_Main::ToggleToolbar(ctx_);
        } else if (key == QLatin1String("Forward")) {
            tmrForward.setEnabled(true);
        } else if (key == QLatin1String("Back")) {
            tmrBackward.setEnabled(true);
        } else if (key == QLatin1String("ReplayAll")) {
            const RecordWalk walking(*this);
            int speed = 1;
            engine.UndoAll(speed);
            tmrForward.setEnabled(true);
        } else if (key == QLatin1String("Options")) {
            frmOptions(ctx_, this).exec();
        } else if (key == QLatin1String("AutoSave")) {
            QString path;
            {
                frmAutoSave browser(ctx_, this);
                browser.exec();
                path = browser.chosenPath();
            }
            // Played once the browser has gone; a damaged file is reported and changes nothing.
            if (!path.isEmpty())
                session.PlayFile(path, true);
        } else if (key == QLatin1String("AddPend")) {
            mPending::AddToPending(ctx_);
        } else if (key == QLatin1String("OrgPend")) {
            QString path;
            {
                frmPending manager(ctx_, this);
                manager.exec();
                path = manager.chosenPath();
            }
            // Resumed once the manager has gone; a damaged file is reported and changes nothing.
            if (!path.isEmpty())
                session.PlayPendFile(path);
        } else if (key == QLatin1String("History")) {
            // Like its menu item: only for a game shown with at least one move made.
            if (engine.MoveStarted() && session.Game_Status() != cGamePlay::NoGame)
                frmHistory(ctx_, this).exec();
        } else if (key == QLatin1String("LogStat")) {
            frmLogStat(ctx_, this).exec();
        } else if (key == QLatin1String("GameStat")) {
            frmGameStat(ctx_, this).exec();
        } else if (key == QLatin1String("SessionStat")) {
            frmSesStat(ctx_, this).exec();
        } else if (key == QLatin1String("AddFav")) {
            frmAddtoFav(ctx_, this).exec();
        } else if (key == QLatin1String("OrgFav")) {
            QString path;
            {
                frmOrgFav organizer(ctx_, this);
                organizer.exec();
                path = organizer.chosenPath();
            }
            if (!path.isEmpty())
                session.PlayFavFile(path);
        } else if (key == QLatin1String("HighScore")) {
            frmHighScore(ctx_, this).exec();
        } else if (key == QLatin1String("Players")) {
            frmPlayers(ctx_, this).exec();
            // The caption names the current player, who may have been chosen or renamed.
            session.Update_Title();
        } else if (key == QLatin1String("Hot")) {
            frmHotGames(ctx_, this).exec();
        } else if (key == QLatin1String("Sounds")) {
            frmSounds dialog(ctx_, this);
            if (dialog.loaded())
                dialog.exec();
        } else if (key == QLatin1String("Animation")) {
            frmAnimation dialog(ctx_, this);
            if (dialog.loaded())
                dialog.exec();
        } else if (key == QLatin1String("Deck")) {
            frmCardDeck dialog(ctx_, this);
            if (dialog.loaded())
                dialog.exec();
        } else if (key == QLatin1String("Background")) {
            frmBackGround dialog(ctx_, this);
            if (dialog.loaded())
                dialog.exec();
        } else if (key == QLatin1String("Toolbar")) {
            frmToolbar(ctx_, this).exec();
        } else if (key == QLatin1String("About")) {
            frmAbout(ctx_, this).exec();
        } else if (key == QLatin1String("Editor") || key == QLatin1String("Wizard")) {
            // The studio has closed before its game is dealt.
            const QString game = frmGameStudio::Open(ctx_, this, key == QLatin1String("Wizard"));
            if (!game.isEmpty())
                session.PlayRandom(game);
        } else if (key == QLatin1String("Rules")) {
            m_Main::ShowGameRules(ctx_);
        } else if (key == QLatin1String("Contents")) {
            ctx_.data().ShowContents();
        }
    });
    // Refresh at once, so a shortcut pressed twice quickly meets the new states.
    tmrMain_Timer();
    afterPlayerAction();
}

void frmMain::Menu1_ItemClick(std::int32_t id)
{
    if (Busy())
        return;
    if (announcePendingWin())
        return;
    // Like every command, a dynamic item ends a replay and a drag first.
    StopReplay();
    CancelDrag();
    if (Busy())
        return;
    boardOperation([&] {
        const kMenu &menu = ctx_.menu();
        const QString key = menu.ItemKey(id);
        const std::int32_t code = menu.ItemCode(key);
        const QString tag = menu.ItemTag(key);
        cGamePlay &session = ctx_.gamePlay();
        switch (code) {
        case kRecentlySaved:
        case kRecentlyOpened: session.PlayFile(tag, true); break;
        case kRecentlyPlayed: session.PlayString(tag); break;
        case kPendingGame: session.PlayPendFile(key); break;
        case kFavourite: session.PlayFavFile(key); break;
        default: break;
        }
    });
    afterPlayerAction();
}

bool frmMain::OpenHandedOver(const QString &commandLine)
{
    // A closing window takes nothing: the later start then waits and runs on its own.
    if (shutDown_)
        return false;
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
    if (!commandLine.trimmed().isEmpty())
        handedOver_.append(commandLine.trimmed());
    openHandedOver();
    return true;
}

void frmMain::openHandedOver()
{
    if (handedOver_.isEmpty() || shutDown_)
        return;
    // A dialog, a move or the start-up is finished first; the file waits meanwhile.
    if (!loaded_ || Busy() || QApplication::activeModalWidget() || announcePendingWin()) {
        if (!handOverQueued_) {
            handOverQueued_ = true;
            QTimer::singleShot(250, this, [this] {
                handOverQueued_ = false;
                openHandedOver();
            });
        }
        return;
    }
    StopReplay();
    CancelDrag();
    const QString path = handedOver_.takeFirst();
    // As Open does: a damaged or missing file is reported and leaves the game in play.
    boardOperation([&] { mFile::OpenGameFile(ctx_, path); });
    tmrMain_Timer();
    afterPlayerAction();
    if (!handedOver_.isEmpty())
        QTimer::singleShot(0, this, [this] { openHandedOver(); });
}

std::optional<SelectChoice> frmMain::RunSelectDialog()
{
    if (selectDialogScript)
        return selectDialogScript();
    frmSelect select(ctx_, this);
    select.exec();
    return select.choice();
}
