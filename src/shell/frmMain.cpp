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
#include "appearance/frmCardDeck.h"
#include "appearance/frmSounds.h"
#include "library/frmAddtoFav.h"
#include "library/frmAutoSave.h"
#include "library/frmChoose.h"
#include "library/frmPending.h"
#include "library/mPending.h"
#include "scores/frmHistory.h"
#include "library/frmHotGames.h"
#include "library/frmOrgFav.h"
#include "scores/frmHistory.h"
#include "store/mFile.h"
#include "store/mOptions.h"
#include "store/cData.h"
#include "studio/frmGameStudio.h"

namespace {
constexpr int kSaveSpacingMs = 1000;
// How soon a save that met a drag or a busy board looks again.
constexpr int kIdleRetryMs = 50;
// How often a close on request looks for dialogs to cancel.
constexpr int kCloseRequestTickMs = 20;
// Codes of the dynamic menu items.
constexpr std::int32_t kRecentlySaved = 200;
constexpr std::int32_t kRecentlyOpened = 201;
constexpr std::int32_t kRecentlyPlayed = 202;
constexpr std::int32_t kPendingGame = 300;
constexpr std::int32_t kFavourite = 400;
// Stock slot pictures of a stock redealt from the waste: both piles empty, or not.
constexpr int kSlotStockAndWasteEmpty = 15;
constexpr int kSlotStockRedealable = 16;

// Counts the window busy for the length of one board operation.
class BusyScope {
public:
    explicit BusyScope(int &depth) : depth_(depth) { ++depth_; }
    ~BusyScope() { --depth_; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    int &depth_;
};
} // namespace

frmMain::frmMain(Context &ctx, DisplayList &board, CardImages &images, QWidget *parent) : QMainWindow(parent), ctx_(ctx)
{
    view_ = new BoardView(board, images, this);
    setCentralWidget(view_);
    setMinimumSize(640, 480);
    // The toolbar follows "View Toolbar" alone: no context menu that hides it behind its back.
    setContextMenuPolicy(Qt::NoContextMenu);

    BoardHandlers h;
    h.press = [this](PicRef pic, Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) {
        if (pic.array == PicArray::Card)
            PicCD_MouseDown(pic.index, x, y);
    };
    h.move = [this](PicRef pic, Qt::MouseButtons, Qt::KeyboardModifiers, double x, double y) {
        if (pic.array == PicArray::Card)
            PicCD_MouseMove(pic.index, x, y);
    };
    h.release = [this](PicRef pic, Qt::MouseButton, Qt::KeyboardModifiers, double, double) {
        if (pic.array == PicArray::Card)
            PicCD_MouseUp(pic.index);
    };
    h.doubleClick = [this](PicRef pic) {
        if (pic.array == PicArray::Card)
            PicCD_DblClick(pic.index);
    };
    h.stockClick = [this] { PicStock_Click(); };
    h.captureLost = [this](PicRef) { CancelDrag(); };
    view_->setHandlers(std::move(h));
    view_->setBackgroundPainter([this](QPainter &painter, const QRect &area) { paintTable(painter, area); });
    sizeBackground();

    tmrGame.setTick([this] { tmrGame_Timer(); });
    tmrTime.setTick([this] { tmrTime_Timer(); });
    tmrMain.setTick([this] { tmrMain_Timer(); });
    tmrBackward.setTick([this] { tmrBackward_Timer(); });
    tmrForward.setTick([this] { tmrForward_Timer(); });
    tmrWallPaper.setTick([this] { tmrWallPaper_Timer(); });
    tmrTime.setEnabled(true);
    tmrMain.setEnabled(true);
    tmrWallPaper.setEnabled(true);

    saveTimer_.setSingleShot(true);
    connect(&saveTimer_, &QTimer::timeout, this, [this] { saveProgress(); });
    connect(&closeRequest_, &QTimer::timeout, this, [this] { closeRequestTick(); });

    // The menu-icon control holds the dynamic items; a click arrives after the menu is done.
    Menu1 = new QtMenuControl(ctx_.menu(), this);
    Menu1->Attach(this);
    ctx_.menu().setItemClickHandler([this](std::int32_t id) { Menu1_ItemClick(id); });
    createMenus();
    createToolbar();

    ctx_.setMainWindow(this);
}

frmMain::~frmMain()
{
    ctx_.menu().setItemClickHandler({});
    ctx_.setMainWindow(nullptr);
}

void frmMain::Form_Load(const QString &commandLine)
{
    setCaption(ctx_.data().ProdName());
    // The board is laid out across the screen's width, so the window takes the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.size());
        ctx_.gScreenWidth = static_cast<std::int32_t>(roundHalfEven(area.width() * BoardView::TwipsPerPixel));
        ctx_.gScreenHeight = static_cast<std::int32_t>(roundHalfEven(area.height() * BoardView::TwipsPerPixel));
    }
    showMaximized();
    // The menus built during start-up take their icons from the image list.
    ctx_.menu().setImageList(MenuImages::ImageList(), mMenu::ImageKeys());
    m_Main::InitSession(ctx_);
    StartFirstGame(commandLine);
}

void frmMain::StartFirstGame(const QString &commandLine)
{
    cGamePlay &session = ctx_.gamePlay();
    const QString c = commandLine.trimmed();
    // The question is asked, and the game resumed, only when the file is really there.
    bool unfinished = false;
    ignoreErrors([&] { unfinished = mGen::GetUnFinFlag(ctx_) == 1 && QFile::exists(ctx_.data().UnFinFile()); });
    // A game whose flag was lost is not resumed, and kept aside before any save can reach it.
    if (!unfinished && m_Main::UnFinFlagLost(ctx_))
        m_Main::KeepUnfinishedAside(ctx_, QStringLiteral("the setting that marks it was lost"));

    auto resumeOrSelect = [&] {
        if (!(unfinished && m_Main::ResumeUnfinished(ctx_)))
            runGuarded(ctx_.messages(), [&] { session.SelectGame(); });
    };
    auto openCommandLine = [&] { return runGuarded(ctx_.messages(), [&] { session.PlayFile(c, true); }); };

    if (!c.isEmpty() && unfinished) {
        const QString question =
            QStringLiteral("An unfinished game from previous session exists! If you start this game then you will "
                           "loose the previous Game.\r\nClick 'Yes' to start this game or 'No' to start the previous "
                           "game.");
        if (ctx_.messages().show(question, MsgButtons::YesNo, MsgIcon::Question) == MsgResult::Yes) {
            if (openCommandLine())
                ignoreErrors([&] { mGen::SetUnFinFlag(ctx_, 0); });
            else
                resumeOrSelect();
        } else {
            resumeOrSelect();
        }
    } else if (!c.isEmpty()) {
        if (!openCommandLine())
            resumeOrSelect();
    } else {
        resumeOrSelect();
    }
}

void frmMain::boardOperation(const std::function<void()> &body)
{
    {
        BusyScope busy(busy_);
        runGuarded(ctx_.messages(), body);
    }
    if (busy_ == 0 && closePending_) {
        closePending_ = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

void frmMain::runBoardOperation(const std::function<void()> &body)
{
    boardOperation(body);
    afterPlayerAction();
}

bool frmMain::Busy() const
{
    return busy_ > 0 || ctx_.engine().Busy();
}

void frmMain::PicCD_MouseDown(int index, double x, double y)
{
    cGamePlay &session = ctx_.gamePlay();
    if (!session.Game_Running() || session.Won())
        return;
    boardOperation([&] {
        if (session.PauseStatus())
            session.PauseGame(false);
        if (!tmrGame.enabled())
            tmrGame.setEnabled(true);
        cPlay &play = ctx_.play();
        DragState &drag = play.drag();
        if (drag.gDragActive)
            return;
        const PicRef card{PicArray::Card, index};
        drag.gDragCount = 0;
        drag.gPressX = static_cast<int>(roundHalfEven(x));
        drag.gPressY = static_cast<int>(roundHalfEven(y));
        drag.gPressLeft = static_cast<int>(roundHalfEven(ctx_.surface().left(card)));
        drag.gPressTop = static_cast<int>(roundHalfEven(ctx_.surface().top(card)));
        play.MouseDown(index, play.Cell(index), play.Pile(index), play.Pos(index));
        // A press the board did not refuse hands the keyboard to the toolbar.
        if (play.PressGivesFocus())
            Toolbar1->setFocus(Qt::MouseFocusReason);
    });
    // Nothing is half-done here, so pending events may run.
    QCoreApplication::processEvents();
}

void frmMain::PicCD_MouseMove(int index, double x, double y)
{
    cGamePlay &session = ctx_.gamePlay();
    cPlay &play = ctx_.play();
    if (!session.Game_Running() || !play.drag().gDragActive)
        return;
    boardOperation([&] { play.MouseMove(index, play.Pile(index), play.Pos(index), x, y); });
}

void frmMain::PicCD_MouseUp(int index)
{
    cGamePlay &session = ctx_.gamePlay();
    cPlay &play = ctx_.play();
    if (!session.Game_Running() || !play.drag().gDragActive)
        return;
    boardOperation([&] {
        play.drag().gDragActive = false;
        play.MouseUp(index, play.Cell(index), play.Pile(index), play.Pos(index));
        ctx_.sound().MoveCard();
    });
    afterPlayerAction();
}

void frmMain::PicCD_DblClick(int index)
{
    if (winPending_)
        return;
    boardOperation([&] { ctx_.play().DoubleClick(index); });
    afterPlayerAction();
}

void frmMain::PicStock_Click()
{
    if (winPending_)
        return;
    boardOperation([&] {
        const cGames &games = ctx_.games();
        if (games.StockNum() != 2)
            return;
        if (games.Redeals() == -1 || ctx_.gamePlay().RedealsComp() < games.Redeals())
            ctx_.play().RedealWS();
    });
    afterPlayerAction();
}

void frmMain::CancelDrag()
{
    boardOperation([&] { ctx_.play().CancelDrag(); });
}

void frmMain::tmrGame_Timer()
{
    cGamePlay &session = ctx_.gamePlay();
    if (session.Time() < std::numeric_limits<std::int32_t>::max())
        session.setTime(session.Time() + 1);
}

void frmMain::tickGuarded(const std::function<void()> &body)
{
    // A tick that keeps failing (a damaged setting, say) reports its error once, not
    // every 100 ms, and again only after a tick has succeeded.
    QString failure;
    const bool ok = ignoreErrors([&] {
        try {
            body();
        } catch (const AppError &e) {
            failure = e.description();
            throw;
        } catch (const std::exception &e) {
            failure = QString::fromLocal8Bit(e.what());
            throw;
        }
    });
    if (ok) {
        lastTickError_.clear();
        return;
    }
    if (failure == lastTickError_)
        return;
    lastTickError_ = failure;
    ctx_.messages().show(failure, MsgButtons::Ok, MsgIcon::Critical);
}

void frmMain::tmrTime_Timer()
{
    tickGuarded([&] {
        cGamePlay &session = ctx_.gamePlay();
        session.Update_Title();
        if (!session.Game_Running() || ctx_.games().StockNum() != 2)
            return;
        const PicRef stock{PicArray::Stock, 0};
        if (!ctx_.surface().isLoaded(stock))
            return;
        const cPlay &play = ctx_.play();
        const bool bothEmpty = play.GetTop(cGames::StockArea, 0) == -1 && play.GetTop(cGames::WasteArea, 0) == -1;
        const CardPicture picture = CardPicture::slot(bothEmpty ? kSlotStockAndWasteEmpty : kSlotStockRedealable);
        if (ctx_.surface().picture(stock) != picture)
            ctx_.surface().setPicture(stock, picture);
    });
}

void frmMain::tmrMain_Timer()
{
    tickGuarded([&] {
        const mMenu::MenuState state =
            mMenu::UpdateMenuState(ctx_, tmrForward.enabled() || tmrBackward.enabled(), stopEnabled_);
        for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
            const bool enabled = state.enabled.value(it.key(), true);
            if (it.value()->isEnabled() != enabled)
                it.value()->setEnabled(enabled);
        }
        actions_.value(QStringLiteral("AutoPlay"))->setChecked(state.autoPlayChecked);
        actions_.value(QStringLiteral("Pause"))->setChecked(state.pauseChecked);
        actions_.value(QStringLiteral("ViewTool"))->setChecked(state.viewToolbarChecked);
        // The toolbar is hidden while "View Toolbar" is off.
        if (Toolbar1->isVisibleTo(this) != state.viewToolbarChecked)
            Toolbar1->setVisible(state.viewToolbarChecked);
    });
}

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

void frmMain::DoCommand(const QString &key)
{
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
            int speed = mCustomize::GetUndoallSpeed(ctx_);
            engine.UndoAll(speed);
        } else if (key == QLatin1String("RedoAll")) {
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
        } else if (key == QLatin1String("Hot")) {
            frmHotGames(ctx_, this).exec();
        } else if (key == QLatin1String("History")) {
            // Like its menu item: only for a game shown with at least one move made.
            if (engine.MoveStarted() && session.Game_Status() != cGamePlay::NoGame)
                frmHistory(ctx_, this).exec();
        } else if (key == QLatin1String("Sounds")) {
            frmSounds(ctx_, this).exec();
        } else if (key == QLatin1String("Animation")) {
            frmAnimation(ctx_, this).exec();
        } else if (key == QLatin1String("Deck")) {
            frmCardDeck(ctx_, this).exec();
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

void frmMain::tmrBackward_Timer()
{
    // A replay step waits while the board is busy or a card is lifted.
    if (Busy() || ctx_.play().drag().gDragActive)
        return;
    tmrForward.setEnabled(false);
    stopEnabled_ = true;
    boardOperation([&] {
        int speed = mCustomize::GetReplaySpeed(ctx_);
        bool moved = false;
        try {
            moved = ctx_.engine().Undo(speed);
        } catch (const AppError &) {
            StopReplay();
            throw;
        }
        if (!moved)
            StopReplay();
    });
}

void frmMain::tmrForward_Timer()
{
    if (Busy() || ctx_.play().drag().gDragActive)
        return;
    tmrBackward.setEnabled(false);
    stopEnabled_ = true;
    boardOperation([&] {
        int speed = mCustomize::GetReplaySpeed(ctx_);
        bool moved = false;
        try {
            moved = ctx_.engine().Redo(speed);
        } catch (const AppError &) {
            // A move that does not fit the board ends the replay.
            StopReplay();
            throw;
        }
        if (!moved)
            StopReplay();
    });
}

bool frmMain::sizeBackground()
{
    const qreal ratio = devicePixelRatioF();
    QSize size = view_->size().expandedTo(QSize(640, 480));
    if (const QScreen *screen = this->screen())
        size = size.expandedTo(screen->size());
    if (!background_.isNull() && background_.devicePixelRatio() == ratio &&
        background_.deviceIndependentSize().toSize().expandedTo(size) == background_.deviceIndependentSize().toSize())
        return false;
    background_ = QImage(size * ratio, QImage::Format_RGB32);
    background_.setDevicePixelRatio(ratio);
    background_.fill(Qt::black);
    return true;
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // The table outgrew the picture (another screen): paint the stored background anew.
    if (sizeBackground())
        ignoreErrors([&] { mCustomize::ApplyBackground(ctx_); });
}

void frmMain::backgroundChanged()
{
    view_->update();
}

QSizeF frmMain::outerSize() const
{
    return QSizeF(frameGeometry().size()) * BoardView::TwipsPerPixel;
}

void frmMain::paintTable(QPainter &painter, const QRect &area) const
{
    const QRect covered = area.intersected(QRect(QPoint(0, 0), background_.deviceIndependentSize().toSize()));
    if (covered != area)
        painter.fillRect(area, Qt::black);
    if (covered.isEmpty())
        return;
    const qreal ratio = background_.devicePixelRatio();
    painter.drawImage(QRectF(covered), background_,
                      QRectF(QPointF(covered.topLeft()) * ratio, QSizeF(covered.size()) * ratio));
}

void frmMain::tmrWallPaper_Timer()
{
    ignoreErrors([&] { mCustomize::ChangeBackground(ctx_); });
}

void frmMain::Menu1_ItemClick(std::int32_t id)
{
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

void frmMain::StopReplay()
{
    stopEnabled_ = false;
    tmrBackward.setEnabled(false);
    tmrForward.setEnabled(false);
}

void frmMain::setReplayForward(bool on)
{
    tmrForward.setEnabled(on);
}

void frmMain::setPauseMark(bool paused)
{
    pauseMark_ = paused;
    if (QAction *pause = actions_.value(QStringLiteral("Pause")))
        pause->setChecked(paused);
}

void frmMain::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

QString frmMain::caption() const
{
    return windowTitle();
}

void frmMain::gameWon()
{
    // The win is announced once the winning move has returned; until then nothing may
    // start, end or save the won game (see announcePendingWin).
    winPending_ = true;
    QTimer::singleShot(0, this, [this] { announceWin(); });
}

bool frmMain::announcePendingWin()
{
    if (!winPending_)
        return false;
    announceWin();
    return true;
}

void frmMain::announceWin()
{
    if (!winPending_)
        return;
    winPending_ = false;
    // The win dialog records the win and clears the table; the next game it asks for
    // starts here, after the winning move has returned.
    int next = frmFinish::NextNone;
    runGuarded(ctx_.messages(), [&] {
        if (ctx_.gamePlay().Won())
            next = frmFinish::ShowWin(ctx_, nullptr);
    });
    if (!shutDown_ && next != frmFinish::NextNone)
        boardOperation([&] { frmFinish::StartNextGame(ctx_, next); });
}

void frmMain::afterPlayerAction()
{
    if (saveTimer_.isActive())
        return;
    const qint64 since = lastSave_.isValid() ? lastSave_.elapsed() : kSaveSpacingMs;
    if (since >= kSaveSpacingMs)
        saveProgress();
    else
        saveTimer_.start(static_cast<int>(kSaveSpacingMs - since));
}

void frmMain::saveProgress()
{
    // Never in the middle of a move, a drag or a replay: it would keep a half-made state.
    // The save is then made as soon as the board is idle again, so a kill loses little.
    if (Busy() || ctx_.play().drag().gDragActive || tmrForward.enabled() || tmrBackward.enabled()) {
        saveTimer_.start(kIdleRetryMs);
        return;
    }
    // A failed save is tried again after the next action; it is no reason to interrupt play.
    if (ignoreErrors([&] { ctx_.gamePlay().SaveProgress(); }))
        lastSave_.start();
}

void frmMain::ShutDown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    StopReplay();
    saveTimer_.stop();
    // A win being announced is recorded by the dialog's own closing steps, never kept;
    // one not yet announced is recorded here without showing the dialog.
    if (frmFinish *win = frmFinish::openDialog())
        win->closeForShutdown();
    if (winPending_) {
        winPending_ = false;
        runGuarded(ctx_.messages(), [&] {
            if (ctx_.gamePlay().Won()) {
                frmFinish dialog(ctx_, nullptr);
                dialog.Form_Load();
                dialog.Form_Unload();
            }
        });
    }

    ignoreErrors([&] { ctx_.play().CancelDrag(); });
    runGuarded(ctx_.messages(), [&] { m_Main::ShutDown(ctx_); });
}

void frmMain::CloseOnRequest()
{
    if (shutDown_ && !closeRequest_.isActive()) {
        QCoreApplication::quit();
        return;
    }
    cancelOpenDialogs();
    // The close itself runs from the event loop, once the cancelled dialogs have returned.
    if (!closeRequest_.isActive())
        closeRequest_.start(kCloseRequestTickMs);
}

bool frmMain::cancelOpenDialogs()
{
    bool found = false;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QDialog *>(w);
        if (!dialog || !dialog->isVisible() || qobject_cast<frmFinish *>(dialog))
            continue;
        dialog->reject();
        found = true;
    }
    return found;
}

void frmMain::closeRequestTick()
{
    // Dialogs are cancelled also while the shutdown runs: an error it reports waits for nobody.
    if (cancelOpenDialogs())
        return;
    if (shutDown_) {
        closeRequest_.stop();
        QCoreApplication::quit();
        return;
    }
    if (closeQueued_)
        return;
    // A close while a move is under way is deferred to its end (closeEvent).
    closeQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        closeQueued_ = false;
        close();
    });
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (busy_ > 0) {
        // Closing in the middle of a move would save a half-moved board.
        closePending_ = true;
        event->ignore();
        return;
    }
    ShutDown();
    event->accept();
    // Every other window goes with the main window.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
}
