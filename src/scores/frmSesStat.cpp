#include "scores/frmSesStat.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Context.h"
#include "app/Seams.h"
#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "engine/mFunc.h"
#include "platform/ChartWidget.h"
#include "platform/Clock.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "scores/SessionRows.h"
#include "scores/cScore.h"
#include "store/cData.h"
#include "platform/QtWindowFit.h"

namespace {

QLabel *newLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QTreeView *newList(QWidget *parent, const char *name, SessionRows *rows)
{
    rows->setIcons(QIcon::fromTheme(QStringLiteral("applications-games")),
                   QIcon::fromTheme(QStringLiteral("media-playback-start")));
    auto *list = new QTreeView(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setModel(rows);
    return list;
}

// Every column to its cells; the time and score columns also to what the running game
// may reach while the window is open, as the timer changes only those cells.
void fitColumns(QTreeView *list, int timeColumn, int scoreColumn)
{
    QtListFit::fitColumns(list);
    // Only the rows in view are measured; the last row's number is the widest, with its picture.
    if (const int rows = list->model()->rowCount(); rows > 0)
        QtListFit::fitColumn(list, 0, {list->model()->index(rows - 1, 0).data().toString()}, true);
    QtListFit::fitColumn(list, timeColumn, {QStringLiteral("99:59:59")});
    QtListFit::fitColumn(list, scoreColumn, {QStringLiteral("-32768")});
}

} // namespace

frmSesStat::frmSesStat(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Session Statistics"));
    session_ = new SessionRows(SessionRows::Kind::Games, this);
    chart_ = new SessionRows(SessionRows::Kind::Chart, this);
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    auto *summary = new QWidget;
    auto *thisSession = new QGroupBox(QStringLiteral("This Session"), summary);
    lblSesStarted = newLabel(thisSession, "lblSesStarted");
    lblSesPlayed = newLabel(thisSession, "lblSesPlayed");
    lblSesWon = newLabel(thisSession, "lblSesWon");
    lblSesLost = newLabel(thisSession, "lblSesLost");
    lblsesScore = newLabel(thisSession, "lblsesScore");
    lblSesMoves = newLabel(thisSession, "lblSesMoves");
    lblSesElapsedTime = newLabel(thisSession, "lblSesElapsedTime");
    chSummary = new ChartWidget(thisSession);
    chSummary->setObjectName(QStringLiteral("chSummary"));
    chSummary->setMinimumSize(260, 200);
    auto *sessionLabels = new QVBoxLayout;
    for (QLabel *l : {lblSesStarted, lblSesPlayed, lblSesWon, lblSesLost, lblsesScore, lblSesMoves, lblSesElapsedTime})
        sessionLabels->addWidget(l);
    sessionLabels->addStretch(1);
    auto *sessionBox = new QHBoxLayout(thisSession);
    sessionBox->addLayout(sessionLabels);
    sessionBox->addWidget(chSummary, 1);

    auto *thisGame = new QGroupBox(QStringLiteral("This Game"), summary);
    lblGameStarted = newLabel(thisGame, "lblGameStarted");
    lblGameName = newLabel(thisGame, "lblGameName");
    lblGameNo = newLabel(thisGame, "lblGameNo");
    lblGameScore = newLabel(thisGame, "lblGameScore");
    lblGameMoves = newLabel(thisGame, "lblGameMoves");
    lblGameTime = newLabel(thisGame, "lblGameTime");
    lblPlayer = newLabel(thisGame, "lblPlayer");
    auto *gameBox = new QVBoxLayout(thisGame);
    for (QLabel *l : {lblGameStarted, lblGameName, lblGameNo, lblGameScore, lblGameMoves, lblGameTime, lblPlayer})
        gameBox->addWidget(l);
    gameBox->addStretch(1);

    lvSession = newList(summary, "lvSession", session_);
    auto *frames = new QHBoxLayout;
    frames->addWidget(thisSession, 3);
    frames->addWidget(thisGame, 2);
    auto *summaryLayout = new QVBoxLayout(summary);
    summaryLayout->addLayout(frames, 3);
    summaryLayout->addWidget(lvSession, 2);
    SSTab1->addTab(summary, QStringLiteral("Summary"));

    auto *details = new QWidget;
    cmdRefresh = new QPushButton(QStringLiteral("Refresh Chart"), details);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh->setAutoDefault(false);
    lvSesChart = newList(details, "lvSesChart", chart_);
    chChart = new ChartWidget(details);
    chChart->setObjectName(QStringLiteral("chChart"));
    chChart->setMinimumSize(300, 200);
    auto *detailsLayout = new QVBoxLayout(details);
    auto *refreshRow = new QHBoxLayout;
    refreshRow->addStretch(1);
    refreshRow->addWidget(cmdRefresh);
    detailsLayout->addLayout(refreshRow);
    auto *detailsRow = new QHBoxLayout;
    detailsRow->addWidget(lvSesChart, 1);
    detailsRow->addWidget(chChart, 2);
    detailsLayout->addLayout(detailsRow, 1);
    SSTab1->addTab(details, QStringLiteral("Session Details"));

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);
    QtWindowFit::resizeWithin(*this, {760, 600});

    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1 && !chartShown_)
            runGuarded(ctx_.messages(), [this] { showChart(); });
    });
    Timer1.setTick([this] { runGuarded(ctx_.messages(), [this] { Timer1_Timer(); }); });
    connect(cmdRefresh, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdRefresh_Click(); }); });
    connect(cmdClose, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdClose_Click(); }); });
    Form_Load();
}

frmSesStat::~frmSesStat()
{
    Timer1.setEnabled(false);
}

void frmSesStat::Form_Load()
{
    SSTab1->setCurrentIndex(0);
    sessionStart_ = QDateTime::fromString(ctx_.data().SesStartTime(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    FillSummary();
    FillSessionChart();
    ShowThisGame();
    ctx_.sound().SessionStat();
    Timer1.setEnabled(true);
}

void frmSesStat::FillSummary()
{
    const cScore &score = ctx_.score();
    const ScoreStat s = score.GetSesStat();
    lblSesStarted->setText(QStringLiteral("Started : ") + ctx_.data().SesStartTime());
    lblSesPlayed->setText(QStringLiteral("Games Played : ") + QString::number(score.SesTop()));
    lblSesWon->setText(QStringLiteral("Games Won : ") + QString::number(s.Won));
    lblSesLost->setText(QStringLiteral("Games Lost : ") + QString::number(s.Lost));
    lblsesScore->setText(QStringLiteral("Total Score : ") + QString::number(s.Score));
    lblSesMoves->setText(QStringLiteral("Total Moves : ") + QString::number(s.Moves));
    showElapsed();

    const ISessionInfo &game = ctx_.session();
    if (game.Game_Running()) {
        SessionRows::Running running;
        running.name = game.GameName();
        running.number = game.GameNo();
        running.player = mCustomize::GetCurPlayer(ctx_);
        running.time = game.Time();
        running.moves = game.Moves();
        running.score = game.Score();
        session_->load(score, &running);
        lvSession->scrollTo(session_->index(session_->rowCount() - 1, 0));
    } else {
        session_->load(score, nullptr);
    }
    fitColumns(lvSession, 3, 6);
    chSummary->setData(QList<double>{static_cast<double>(s.Won), static_cast<double>(s.Lost)});
    chSummary->setColumn(1);
    chSummary->setColumnLabel(QStringLiteral("Won : ") + QString::number(s.Won));
    chSummary->setColumn(2);
    chSummary->setColumnLabel(QStringLiteral("Lost : ") + QString::number(s.Lost));
}

void frmSesStat::FillSessionChart()
{
    const cScore &score = ctx_.score();
    const ISessionInfo &game = ctx_.session();
    const std::int32_t m = score.SesTop();
    chartData_.clear();
    chartData_.reserve(m + 1);
    for (std::int32_t i = 1; i <= m; ++i) {
        const ScoreRecord &g = score.GetSesGame(i);
        chartData_ << QList<double>{static_cast<double>(g.Score), static_cast<double>(g.Moves),
                                    static_cast<double>(g.Time)};
    }
    // The running game's row, empty while none runs.
    if (game.Game_Running())
        chartData_ << QList<double>{static_cast<double>(game.Score()), static_cast<double>(game.Moves()),
                                    static_cast<double>(game.Time())};
    else
        chartData_ << QList<double>{};
    showChart();

    if (game.Game_Running()) {
        SessionRows::Running running;
        running.time = game.Time();
        running.moves = game.Moves();
        running.score = game.Score();
        chart_->load(score, &running);
        lvSesChart->scrollTo(chart_->index(chart_->rowCount() - 1, 0));
    } else {
        chart_->load(score, nullptr);
    }
    fitColumns(lvSesChart, 1, 3);
}

void frmSesStat::showChart()
{
    // A chart of thousands of games takes long to lay out: it is built once its tab shows.
    if (SSTab1->currentIndex() != 1 && !chartShown_)
        return;
    chartShown_ = true;
    chChart->setData(chartData_);
    const QStringList labels = {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")};
    for (int c = 1; c <= 3; ++c) {
        chChart->setColumn(c);
        chChart->setColumnLabel(labels.at(c - 1));
    }
    // Rows are labelled with the game's number in the session, as the list beside it;
    // the empty row kept for a game not running stays unlabelled.
    const auto labelled =
        static_cast<int>(chartData_.size()) - (!chartData_.isEmpty() && chartData_.last().isEmpty() ? 1 : 0);
    for (int r = 1; r <= labelled; ++r)
        chChart->setRowLabel(r, QString::number(r));
}

void frmSesStat::ShowThisGame()
{
    const ISessionInfo &game = ctx_.session();
    lblGameStarted->setText(QStringLiteral("Game Started : ") + game.Game_StartTime());
    lblGameName->setText(QStringLiteral("Game : ") + game.GameName());
    lblGameNo->setText(QStringLiteral("Game Number : ") + game.GameNo().text());
    lblGameScore->setText(QStringLiteral("Score : ") + QString::number(game.Score()));
    lblGameMoves->setText(QStringLiteral("Moves : ") + QString::number(game.Moves()));
    lblGameTime->setText(QStringLiteral("Time Elapsed : ") + mFunc::FormatTime(game.Time()));
    lblPlayer->setText(QStringLiteral("Player Name : ") + mCustomize::GetCurPlayer(ctx_));
}

void frmSesStat::showElapsed()
{
    const qint64 elapsed = sessionStart_.isValid() ? std::max<qint64>(0, sessionStart_.secsTo(ctx_.clock().now())) : 0;
    lblSesElapsedTime->setText(QStringLiteral("Time Elapsed : ") + mFunc::FormatTime(elapsed));
}

void frmSesStat::Timer1_Timer()
{
    showElapsed();
    const ISessionInfo &game = ctx_.session();
    if (!game.Game_Running())
        return;
    session_->updateRunning(game.Time(), game.Score());
    chart_->updateRunning(game.Time(), game.Score());
    lblGameScore->setText(QStringLiteral("Score : ") + QString::number(game.Score()));
    lblGameTime->setText(QStringLiteral("Time Elapsed : ") + mFunc::FormatTime(game.Time()));
}

void frmSesStat::cmdRefresh_Click()
{
    const ISessionInfo &game = ctx_.session();
    if (!game.Game_Running() || chartData_.isEmpty())
        return;
    chartData_.last() = QList<double>{static_cast<double>(game.Score()), static_cast<double>(game.Moves()),
                                      static_cast<double>(game.Time())};
    showChart();
}

void frmSesStat::cmdClose_Click()
{
    close();
}

void frmSesStat::done(int result)
{
    Timer1.setEnabled(false);
    QDialog::done(result);
}
