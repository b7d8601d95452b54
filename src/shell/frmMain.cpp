#include "shell/frmMain.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QToolBar>
#include <cmath>
#include <limits>
#include <utility>

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
#include "store/cRegistry.h"
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
#include "store/mFile.h"
#include "store/mOptions.h"
#include "store/cData.h"
#include "studio/frmGameStudio.h"

namespace {
// How soon a save that met a drag or a busy board looks again.
constexpr int kIdleRetryMs = 50;
// How often a close on request looks for dialogs to cancel.
constexpr int kCloseRequestTickMs = 20;
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
    tmrBackward.setTick([this] { tmrBackward_Timer(); });
    tmrForward.setTick([this] { tmrForward_Timer(); });
    tmrWallPaper.setTick([this] { tmrWallPaper_Timer(); });
    // The caption, the stock picture and the command states follow what the last turn of
    // the event loop changed: they are brought up to date whenever the loop is about to
    // wait, so an idle board is not woken to poll them and a change shows at once.
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { followSession(); });
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
    loaded_ = true;
    openHandedOver();
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
        // A settings write that fails in any command gets the one report, never the raw error.
        runGuarded(ctx_.messages(), [&] { ctx_.registry().KeepSetting(body); });
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
    if (!session.Game_Running() || session.Won() || Busy())
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
    if (winPending_ || Busy())
        return;
    boardOperation([&] { ctx_.play().DoubleClick(index); });
    afterPlayerAction();
}

void frmMain::PicStock_Click()
{
    if (winPending_ || Busy())
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

void frmMain::followSession()
{
    // An error shown from here runs a nested event loop, which would call this again.
    if (followingSession_)
        return;
    const QScopedValueRollback<bool> following(followingSession_, true);
    tmrTime_Timer();
    tmrMain_Timer();
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
    saveProgress();
}

void frmMain::saveProgress()
{
    saveTimer_.stop();
    // Never in the middle of a move, a drag or a replay: it would keep a half-made state.
    // The save is then made as soon as the board is idle again, so a kill loses little.
    if (Busy() || ctx_.play().drag().gDragActive || tmrForward.enabled() || tmrBackward.enabled()) {
        saveTimer_.start(kIdleRetryMs);
        return;
    }
    QString why;
    try {
        // The game file was kept and only its resume flag was not: that is the settings
        // store's failure, told once by its own report.
        if (!ctx_.registry().KeepSetting([&] { ctx_.gamePlay().SaveProgress(); }))
            return;
    } catch (const AppError &e) {
        why = e.description();
    } catch (const std::exception &e) {
        why = QString::fromLocal8Bit(e.what());
    }
    if (why.isEmpty()) {
        saveFailing_ = false;
        return;
    }
    // Play goes on; the user hears of it when saves start failing, not after every move.
    if (saveFailing_)
        return;
    saveFailing_ = true;
    ctx_.messages().show(QStringLiteral("The game in play cannot be saved: %1.\r\nPlay goes on, and the game is "
                                        "saved again after each move; until a save succeeds, the moves since the "
                                        "last one would be lost if the program stopped unexpectedly.")
                             .arg(why),
                         MsgButtons::Ok, MsgIcon::Exclamation);
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
    // Nobody may be there to answer: what the shutdown reports goes to the log.
    ctx_.messages().setUnattended(true);
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
    // The saved-game file holds the moves done only: a close in the middle of a walk
    // through the moves or of a replay keeps the game with all of its moves done.
    if (walkingRecord_ || tmrForward.enabled() || tmrBackward.enabled())
        closeAtRecordEnd_ = true;
    if (busy_ > 0) {
        // Closing in the middle of a move would save a half-moved board: the move, and
        // the rest of the operation, end at once without animation, then the close follows.
        ctx_.play().setHurried(true);
        closePending_ = true;
        event->ignore();
        return;
    }
    if (std::exchange(closeAtRecordEnd_, false) && !shutDown_) {
        ctx_.play().setHurried(true);
        runGuarded(ctx_.messages(), [&] {
            if (ctx_.gamePlay().Game_Status() == cGamePlay::Playing) {
                int speed = 0;
                ctx_.engine().RedoAll(speed);
            }
        });
    }
    ShutDown();
    event->accept();
    // Every other window goes with the main window.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible())
            w->close();
    }
}
