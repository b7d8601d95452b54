#include "scores/frmGameStat.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
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
#include "scores/cScore.h"
#include "scores/mPlayers.h"
#include "scores/mStatistics.h"
#include "store/cData.h"
#include "platform/QtWindowFit.h"

namespace {

const QStringList kStatColumns = {QStringLiteral("Played"), QStringLiteral("Won"),   QStringLiteral("Lost"),
                                  QStringLiteral("Time"),   QStringLiteral("Moves"), QStringLiteral("Score"),
                                  QStringLiteral("Perc")};

QTreeWidget *newList(QWidget *parent, const char *name, const QStringList &columns)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setHeaderLabels(columns);
    return list;
}

ChartWidget *newChart(QWidget *parent, const char *name)
{
    auto *chart = new ChartWidget(parent);
    chart->setObjectName(QLatin1String(name));
    chart->setMinimumSize(240, 180);
    return chart;
}

// A page of the tab: the list on top (beside its combo), the two charts below.
QWidget *newPage(QWidget *list, QComboBox *combo, ChartWidget *left, ChartWidget *right)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    if (combo != nullptr)
        layout->addWidget(combo);
    layout->addWidget(list, 1);
    auto *charts = new QHBoxLayout;
    charts->addWidget(left, 1);
    charts->addWidget(right, 1);
    layout->addLayout(charts, 1);
    return page;
}

void labelColumns(ChartWidget *chart, const QStringList &labels)
{
    for (int c = 1; c <= labels.size(); ++c) {
        chart->setColumn(c);
        chart->setColumnLabel(labels.at(c - 1));
    }
}

// Won and lost as two labelled columns.
void showWonLost(ChartWidget *chart, std::int64_t won, std::int64_t lost)
{
    chart->setData(QList<double>{static_cast<double>(won), static_cast<double>(lost)});
    labelColumns(chart,
                 {QStringLiteral("Won : ") + QString::number(won), QStringLiteral("Lost : ") + QString::number(lost)});
}

// Score (0 when negative), moves and seconds.
void showTotals(ChartWidget *chart, const ScoreStat &s)
{
    chart->setData(QList<double>{static_cast<double>(std::max<std::int64_t>(s.Score, 0)), static_cast<double>(s.Moves),
                                 static_cast<double>(s.Time)});
    labelColumns(chart, {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")});
}

// Name, played, won, lost, time, moves, score and the percentage given.
QTreeWidgetItem *statRow(const QString &name, const ScoreStat &s, const QString &percent)
{
    const auto n = [](std::int64_t v) { return QString::number(v); };
    return new QTreeWidgetItem(QStringList{name, n(s.Played), n(s.Won), n(s.Played - s.Won), mFunc::FormatTime(s.Time),
                                           n(s.Moves), n(s.Score), percent});
}

// The small pictures of lists and combos: 1 a game or a period, 3 a line of figures, 4 a player.
QIcon picture(int index)
{
    switch (index) {
    case 1: return QIcon::fromTheme(QStringLiteral("applications-games"));
    case 4: return QIcon::fromTheme(QStringLiteral("user-identity"));
    default: return QIcon::fromTheme(QStringLiteral("office-chart-bar"));
    }
}

// Each row of list its picture, then every column as wide as its widest cell.
void showRows(QTreeWidget *list, const QList<QTreeWidgetItem *> &rows, const QIcon &icon)
{
    for (QTreeWidgetItem *row : rows)
        row->setIcon(0, icon);
    list->addTopLevelItems(rows);
    QtListFit::fitColumns(list);
}

} // namespace

frmGameStat::frmGameStat(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Game Statistics"));
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    lvGeneral = new QListWidget(this);
    lvGeneral->setObjectName(QStringLiteral("lvGeneral"));
    chGen = newChart(this, "chGen");
    chGen1 = newChart(this, "chGen1");
    SSTab1->addTab(newPage(lvGeneral, nullptr, chGen, chGen1), QStringLiteral("General Summary"));

    lvGames = newList(this, "lvGames", QStringList{QStringLiteral("Game")} + kStatColumns);
    imcGames = new QComboBox(this);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    imcGames->setMaxVisibleItems(20);
    chGames = newChart(this, "chGames");
    chGames1 = newChart(this, "chGames1");
    SSTab1->addTab(newPage(lvGames, imcGames, chGames, chGames1), QStringLiteral("Game-wise"));

    lvDate = newList(this, "lvDate", {QStringLiteral("Day"), QStringLiteral("Played"), QStringLiteral("Won")});
    imcDate = new QComboBox(this);
    imcDate->setObjectName(QStringLiteral("imcDate"));
    chDate = newChart(this, "chDate");
    chDate1 = newChart(this, "chDate1");
    SSTab1->addTab(newPage(lvDate, imcDate, chDate, chDate1), QStringLiteral("Date-wise"));

    lvPlayer = newList(this, "lvPlayer", QStringList{QStringLiteral("Player")} + kStatColumns);
    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    chPlayer = newChart(this, "chPlayer");
    chPlayer1 = newChart(this, "chPlayer1");
    SSTab1->addTab(newPage(lvPlayer, imcPlayer, chPlayer, chPlayer1), QStringLiteral("Player-wise"));

    cmdClear = new QPushButton(QStringLiteral("Clear Statistics"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdExport = new QPushButton(QStringLiteral("Export Statistics"), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdClear, cmdExport}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    cmdClose->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);
    QtWindowFit::resizeWithin(*this, {900, 680});

    const auto guarded = [this](auto body) { return [this, body] { runGuarded(ctx_.messages(), [&] { body(); }); }; };
    connect(imcGames, &QComboBox::currentIndexChanged, this,
            guarded([this] { ShowGameChart(imcGames->currentText()); }));
    connect(imcDate, &QComboBox::currentIndexChanged, this, guarded([this] {
                const QStringList keyTag = imcDate->currentData().toStringList();
                if (keyTag.size() == 2)
                    ShowDateStat(keyTag.at(0), keyTag.at(1));
            }));
    connect(imcPlayer, &QComboBox::currentIndexChanged, this,
            guarded([this] { ShowPlayerChart(imcPlayer->currentText()); }));
    connect(cmdClear, &QPushButton::clicked, this, guarded([this] { cmdClear_Click(); }));
    connect(cmdExport, &QPushButton::clicked, this, guarded([this] { cmdExport_Click(); }));
    connect(cmdClose, &QPushButton::clicked, this, guarded([this] { cmdClose_Click(); }));
    Form_Load();
}

frmGameStat::~frmGameStat()
{
    Form_Unload();
}

void frmGameStat::Form_Load()
{
    SSTab1->setCurrentIndex(0);
    loaded_ = true;
    ctx_.score().OpenAllScore();
    FillGeneral();
    FillGames();
    LoadDates();
    FillPlayers();
    ctx_.sound().GameStat();
}

void frmGameStat::FillGeneral()
{
    const ScoreStat s = ctx_.score().GetGenStat();
    lvGeneral->clear();
    for (const QString &line : mStatistics::GeneralLines(s))
        new QListWidgetItem(picture(3), line, lvGeneral);
    // Every line of the summary shows without scrolling.
    lvGeneral->setMinimumHeight(QtListFit::heightForRows(lvGeneral, lvGeneral->count()));
    showWonLost(chGen, s.Won, s.Lost);
    showTotals(chGen1, s);
}

void frmGameStat::FillGames()
{
    const cData &data = ctx_.data();
    QStringList games;
    for (std::int16_t g = 1; g <= data.TotalGames(); ++g)
        games << data.GetGName(g);
    const std::vector<ScoreStat> stats = mStatistics::GameStats(ctx_.score(), games);
    lvGames->clear();
    QList<QTreeWidgetItem *> rows;
    rows.reserve(games.size());
    for (qsizetype i = 0; i < games.size(); ++i) {
        const ScoreStat &s = stats[static_cast<std::size_t>(i)];
        rows << statRow(games.at(i), s, mStatistics::percent(s.Won, s.Played));
    }
    showRows(lvGames, rows, picture(3));

    {
        const QSignalBlocker quiet(imcGames);
        imcGames->clear();
        for (const QString &game : games)
            imcGames->addItem(picture(1), game);
        const ISessionInfo &session = ctx_.session();
        const int playing = session.Game_Status() != 0 ? static_cast<int>(games.indexOf(session.GameName())) : -1;
        imcGames->setCurrentIndex(std::max(playing, 0));
    }
    ShowGameChart(imcGames->currentText());
}

void frmGameStat::ShowGameChart(const QString &game)
{
    const ScoreStat s = ctx_.score().GetGameStat(game);
    showWonLost(chGames, s.Won, s.Played - s.Won);
    QList<QList<double>> rows;
    for (const ScoreRecord &r : mStatistics::FirstGames(ctx_.score(), game, 50))
        rows << QList<double>{static_cast<double>(r.Score), static_cast<double>(r.Moves), static_cast<double>(r.Time)};
    chGames1->setData(rows);
    labelColumns(chGames1, {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")});
}

void frmGameStat::LoadDates()
{
    {
        const QSignalBlocker quiet(imcDate);
        imcDate->clear();
        const char *const items[][3] = {
            {"Last 5 Days", "5d", "d"},   {"Last 10 Days", "10d", "d"},   {"Last 30 Days", "30d", "d"},
            {"Last 5 Months", "5m", "m"}, {"Last 10 Months", "10m", "m"}, {"Last 5 Years", "5y", "yyyy"},
        };
        for (const auto &item : items)
            imcDate->addItem(picture(1), QString::fromLatin1(item[0]),
                             QStringList{QString::fromLatin1(item[1]), QString::fromLatin1(item[2])});
        imcDate->setCurrentIndex(0);
    }
    ShowDateStat(QStringLiteral("5d"), QStringLiteral("d"));
}

void frmGameStat::ShowDateStat(const QString &key, const QString &interval)
{
    const QDate today = ctx_.clock().now().date();
    lvDate->clear();
    QList<QList<double>> played;
    QList<QList<double>> totals;
    QStringList labels;
    QList<QTreeWidgetItem *> rows;
    for (const QDate &day : mStatistics::PeriodDates(key, today)) {
        const DateStat d = ctx_.score().GetDateStat(day.toString(QStringLiteral("yyyy-MM-dd")), interval);
        rows << new QTreeWidgetItem(QStringList{d.Label, QString::number(d.Played), QString::number(d.Won)});
        played << QList<double>{static_cast<double>(d.Played), static_cast<double>(d.Won)};
        totals << QList<double>{static_cast<double>(d.Score), static_cast<double>(d.Moves),
                                static_cast<double>(d.Time)};
        labels << d.Label;
    }
    lvDate->headerItem()->setText(0, mStatistics::PeriodHeading(key));
    showRows(lvDate, rows, picture(3));
    chDate->setData(played);
    labelColumns(chDate, {QStringLiteral("Played"), QStringLiteral("Won")});
    chDate1->setData(totals);
    labelColumns(chDate1, {QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")});
    for (int r = 1; r <= labels.size(); ++r) {
        chDate->setRowLabel(r, labels.at(r - 1));
        chDate1->setRowLabel(r, labels.at(r - 1));
    }
}

void frmGameStat::FillPlayers()
{
    const QStringList players = mPlayers::PlayerList(ctx_);
    const QString current = mCustomize::GetCurPlayer(ctx_);
    lvPlayer->clear();
    QList<QTreeWidgetItem *> rows;
    {
        const QSignalBlocker quiet(imcPlayer);
        imcPlayer->clear();
        for (const QString &player : players) {
            imcPlayer->addItem(picture(4), player);
            const ScoreStat s = ctx_.score().GetPlayerStat(player);
            rows << statRow(player, s, mStatistics::wholePercent(s.Won, s.Played));
        }
        // A current player missing from the list falls back to the first, so the charts
        // show the player the combo shows.
        const int shown = static_cast<int>(players.indexOf(current));
        imcPlayer->setCurrentIndex(shown >= 0 ? shown : (players.isEmpty() ? -1 : 0));
    }
    showRows(lvPlayer, rows, picture(4));
    ShowPlayerChart(imcPlayer->currentText());
}

void frmGameStat::ShowPlayerChart(const QString &player)
{
    const ScoreStat s = ctx_.score().GetPlayerStat(player);
    showWonLost(chPlayer, s.Won, s.Played - s.Won);
    showTotals(chPlayer1, s);
}

void frmGameStat::cmdClear_Click()
{
    ctx_.score().ClearStat();
}

void frmGameStat::cmdExport_Click()
{
    ctx_.score().ExportStat();
}

void frmGameStat::cmdClose_Click()
{
    close();
}

void frmGameStat::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmGameStat::Form_Unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    ctx_.score().CloseScore();
}
