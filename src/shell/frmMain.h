// The board window: the card and slot pictures (a BoardView over the board's display
// list), the six timers of the game clock, caption, command states, replay and
// background, the card handlers that feed the board, and the load and close that are
// start-up and shutdown. It shows what the session says and forwards what the user does.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include "appearance/BackgroundDecoder.h"
#include "platform/AppTimer.h"
#include "app/Seams.h"

class Context;
class BoardView;
class CardImages;
class DisplayList;
class QtMenuControl;
class QAction;
class QToolBar;

class frmMain : public QMainWindow, public IMainWindow {
    Q_OBJECT

public:
    frmMain(Context &ctx, DisplayList &board, CardImages &images, QWidget *parent = nullptr);
    ~frmMain() override;

    // The load: caption, show, screen size, the session's start-up steps, the first game.
    void Form_Load(const QString &commandLine);
    void StartFirstGame(const QString &commandLine);

    // Card handlers; positions are twips inside the card picture.
    void PicCD_MouseDown(int index, double x, double y);
    void PicCD_MouseMove(int index, double x, double y);
    void PicCD_MouseUp(int index);
    void PicCD_DblClick(int index);
    void PicStock_Click();
    // The press ended without a release: the lifted cards go back.
    void CancelDrag();

    void tmrGame_Timer();
    // The caption and the stock picture; then the menu and toolbar states.
    void tmrTime_Timer();
    void tmrMain_Timer();
    void tmrBackward_Timer();
    void tmrForward_Timer();
    void tmrWallPaper_Timer();
    // A click on a dynamic menu item (recent, pending, favourite).
    void Menu1_ItemClick(std::int32_t id);
    // Every menu item, toolbar button and shortcut ends here with its command key. A
    // running replay and an open drag end first; a command that arrives while the board
    // is busy is dropped.
    void DoCommand(const QString &key);
    // A command line that a later start of the program handed over: the window comes to
    // the front and opens the saved game it names as Open does, as soon as the first game
    // stands, the board is idle and no dialog is open.
    bool OpenHandedOver(const QString &commandLine);
    // The command's one action, shared by its menu item and its toolbar button.
    QAction *commandAction(const QString &key) const { return actions_.value(key); }
    QToolBar *toolbar() const { return Toolbar1; }
    // A toolbar separator by its key, "Sep1".."Sep12".
    QAction *toolbarSeparator(const QString &key) const { return separators_.value(key); }

    // Stops both replay timers and disables "Stop".
    void StopReplay() override;
    bool StopEnabled() const { return stopEnabled_; }

    // Keeps or ends the game and closes the help windows; runs once, whatever asks first
    // (the window closing, a termination signal, the desktop logging out).
    void ShutDown();
    // A termination signal or the desktop's log-out: every open dialog closes as cancelled
    // (and so does one that opens meanwhile), then the window closes the ordinary way and
    // the program ends. Nothing waits for the user: from then on every message goes to
    // the log instead of a box. Asked again after the shutdown, the program ends at once.
    void CloseOnRequest();

    // IMainWindow
    void setCaption(const QString &caption) override;
    QString caption() const override;
    void setGameClock(bool on) override { tmrGame.setEnabled(on); }
    bool gameClock() const override { return tmrGame.enabled(); }
    void setReplayForward(bool on) override;
    void setReplayBackward(bool on) override { tmrBackward.setEnabled(on); }
    bool replayRunning() const override { return tmrForward.enabled() || tmrBackward.enabled(); }
    void runBoardOperation(const std::function<void()> &body) override;
    void setPauseMark(bool paused) override;
    void gameWon() override;
    void InitMenuItems() override;
    void ApplyToolbar() override;
    QImage &backgroundPicture() override { return background_; }
    void backgroundChanged() override;
    QSizeF outerSize() const override;
    AppTimer &wallPaperTimer() override { return tmrWallPaper; }
    std::optional<SelectChoice> RunSelectDialog() override;
    // When set, answers in place of the selection dialog (tests run no modal window).
    std::function<std::optional<SelectChoice>()> selectDialogScript;
    BackgroundDecoder *backgroundDecoder() override { return &backgroundDecoder_; }

    bool PauseMark() const { return pauseMark_; }
    // True while a board operation started here has not returned.
    bool Busy() const;
    // True once the closing steps (the game kept, the win recorded) have run.
    bool isShutDown() const { return shutDown_; }
    BoardView &boardView() { return *view_; }

    QtMenuControl *Menu1 = nullptr;

    AppTimer tmrGame{1000};
    AppTimer tmrBackward{500};
    AppTimer tmrForward{500};
    AppTimer tmrWallPaper{0};

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createMenus();
    void createToolbar();
    // Runs a board-changing handler as an entry point: errors are reported, the window
    // is busy meanwhile, and a close asked for meanwhile happens after it.
    void boardOperation(const std::function<void()> &body);
    // After a completed player action: keep the game on disk at once, or as soon as the
    // board is idle again when a drag or a move is under way. A save that starts failing
    // is reported once, until one succeeds again.
    void afterPlayerAction();
    void saveProgress();
    void announceWin();
    // Brings the caption, the stock picture and the command states up to date.
    void followSession();
    void tickGuarded(const std::function<void()> &body);
    // Announces a win whose announcement is still queued; true when there was one.
    bool announcePendingWin();
    void openHandedOver();
    // Cancels every open dialog but the win dialog, whose shutdown steps record the win;
    // true when there was one.
    bool cancelOpenDialogs();
    void closeRequestTick();
    // Gives the background picture the screen's size, so the table can grow up to the whole
    // screen without showing an unpainted or stretched area; true when it was made anew.
    bool sizeBackground();
    void paintTable(QPainter &painter, const QRect &area) const;

    Context &ctx_;
    QImage background_;
    BackgroundDecoder backgroundDecoder_;
    BoardView *view_ = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QHash<QString, QAction *> actions_;
    QHash<QString, QAction *> separators_;
    // Separators of the favourites and pending menus: shown only when items follow them.
    int busy_ = 0;
    bool closePending_ = false;
    // True while Undo All, Redo All or Replay All walks the move record; the user's input
    // is let in meanwhile, so a close is seen at once, and every handler ignores it.
    bool walkingRecord_ = false;
    class RecordWalk {
    public:
        explicit RecordWalk(frmMain &window);
        ~RecordWalk();
        RecordWalk(const RecordWalk &) = delete;
        RecordWalk &operator=(const RecordWalk &) = delete;

    private:
        frmMain &window_;
    };
    // A close that met such a walk, or a replay, keeps the game at the end of its record.
    bool closeAtRecordEnd_ = false;
    bool winPending_ = false;
    QString lastTickError_;
    bool followingSession_ = false;
    bool shutDown_ = false;
    bool stopEnabled_ = false;
    bool pauseMark_ = false;
    bool saveFailing_ = false;
    QTimer saveTimer_;
    QTimer closeRequest_;
    bool closeQueued_ = false;
    bool loaded_ = false;
    QStringList handedOver_;
    bool handOverQueued_ = false;
};
