// The statistics windows opened offscreen: log and game statistics over 100,000 logged
// games of 20 players and 62 games spread over the last 60 days, each then with one
// filter change; game statistics also the first time after every log changed, when each
// log is read again rather than taken from memory; session statistics over 10,000 games of this run and one in play,
// opened, its details tab shown, and that tab drawn whole with its chart refreshed.
// Milliseconds per opening or change; the median of the runs.
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <fstream>
#include <functional>
#include <memory>

#include "support/BenchRuns.h"
#include "app/Context.h"
#include "appearance/mCustomize.h"
#include "platform/Clock.h"
#include "platform/ChartWidget.h"
#include "scores/cScore.h"
#include "scores/frmGameStat.h"
#include "scores/frmLogStat.h"
#include "scores/frmSesStat.h"
#include "store/cData.h"
#include "support/BenchContext.h"

namespace {

constexpr int kPlayers = 20;
constexpr int kRecords = 100000;

class GameInPlay : public NullSessionInfo {
public:
    QString GameName() const override { return name; }
    int Game_Status() const override { return 1; }
    bool Game_Running() const override { return true; }
    GameNumber GameNo() const override { return GameNumber::fromNumber(617); }
    std::int32_t Time() const override { return 125; }
    std::int16_t Moves() const override { return 41; }
    std::int16_t Score() const override { return 250; }
    QString name = QStringLiteral("Freecell");
};

// The session and the clock, in a base built before the context that asks them.
struct HomeParts {
    GameInPlay game;
    FixedClock clock;
};

struct Home : HomeParts, BenchContext {
    Home() : BenchContext(services(*this))
    {
        for (int p = 1; p <= kPlayers; ++p)
            mCustomize::SetPlayer(ctx, static_cast<std::int16_t>(p), QStringLiteral("Player%1").arg(p), p == 1);
        QStringList games;
        for (std::int16_t g = 1; g <= ctx.data().TotalGames() && games.size() < 62; ++g)
            games << ctx.data().GetGName(g);
        std::vector<std::ofstream> logs;
        for (int p = 1; p <= kPlayers; ++p)
            logs.emplace_back(cScore::LogPath(ctx, QStringLiteral("Player%1").arg(p)).toStdString(), std::ios::binary);
        const QDate today = clock.now().date();
        for (int i = 0; i < kRecords; ++i) {
            const QDate day = today.addDays(-(i % 60));
            logs[static_cast<std::size_t>(i % kPlayers)]
                << '"' << day.toString(QStringLiteral("yyyy-MM-dd")).toStdString() << " 10:00:00\",\""
                << games.at(i % games.size()).toStdString() << "\"," << 1 + (i * 7919) % 999999 << ',' << 60 + i % 900
                << ',' << 50 + i % 200 << ',' << i % 700 - 100 << ',' << (i % 3 == 0 ? 1 : 0) << "\r\n";
        }
    }

    static Services services(HomeParts &parts)
    {
        Services s;
        s.session = &parts.game;
        s.clock = &parts.clock;
        return s;
    }
};

// Built once for every run; it goes with the application object, while Qt and the
// settings store are still whole.
Home &home()
{
    static std::unique_ptr<Home> h;
    if (!h) {
        h = std::make_unique<Home>();
        qAddPostRoutine([] { h.reset(); });
    }
    return *h;
}

void OpenLogStatistics(benchmark::State &state)
{
    Home &h = home();
    int rows = 0;
    for (auto _ : state) {
        frmLogStat window(h.ctx);
        window.show();
        QApplication::processEvents();
        rows = window.lvLog->model()->rowCount();
    }
    if (rows != kRecords)
        state.SkipWithError("the log did not list every game");
}

void FilterLogStatistics(benchmark::State &state)
{
    Home &h = home();
    frmLogStat window(h.ctx);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.imcPlayer->setCurrentIndex(3);
        window.imcDate->setCurrentIndex(2); // "Last 7 Days"
        QApplication::processEvents();
        state.PauseTiming();
        window.imcPlayer->setCurrentIndex(0);
        window.imcDate->setCurrentIndex(window.imcDate->count() - 1);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void OpenGameStatistics(benchmark::State &state)
{
    Home &h = home();
    for (auto _ : state) {
        frmGameStat window(h.ctx);
        window.show();
        QApplication::processEvents();
    }
}

// The first opening after every log changed: each log is read and parsed again.
void OpenGameStatisticsFirst(benchmark::State &state)
{
    Home &h = home();
    static int touches = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++touches;
        for (int p = 1; p <= kPlayers; ++p) {
            QFile log(cScore::LogPath(h.ctx, QStringLiteral("Player%1").arg(p)));
            if (log.open(QIODevice::Append))
                log.setFileTime(QDateTime::currentDateTime().addSecs(touches), QFileDevice::FileModificationTime);
        }
        state.ResumeTiming();
        frmGameStat window(h.ctx);
        window.show();
        QApplication::processEvents();
    }
}

void FilterGameStatistics(benchmark::State &state)
{
    Home &h = home();
    frmGameStat window(h.ctx);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.imcDate->setCurrentIndex(2); // "Last 30 Days"
        window.imcGames->setCurrentIndex(5);
        QApplication::processEvents();
        state.PauseTiming();
        window.imcDate->setCurrentIndex(0);
        window.imcGames->setCurrentIndex(0);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void OpenSessionStatistics(benchmark::State &state)
{
    Home &h = home();
    cScore &score = h.ctx.score();
    while (score.SesTop() < 10000)
        score.AddSesGame(static_cast<std::int16_t>(score.SesTop() % 2));
    for (auto _ : state) {
        frmSesStat window(h.ctx);
        window.show();
        QApplication::processEvents();
    }
}

// The home with 10,000 games ended in this run.
Home &homeWithSession()
{
    Home &h = home();
    cScore &score = h.ctx.score();
    while (score.SesTop() < 10000)
        score.AddSesGame(static_cast<std::int16_t>(score.SesTop() % 2));
    return h;
}

// Times the Session Details tab shown on a window opened untimed, then `more` on it.
void timeSessionDetails(benchmark::State &state, const std::function<void(frmSesStat &)> &more)
{
    Home &h = homeWithSession();
    for (auto _ : state) {
        state.PauseTiming();
        frmSesStat window(h.ctx);
        window.show();
        QApplication::processEvents();
        state.ResumeTiming();
        window.SSTab1->setCurrentIndex(1);
        more(window);
    }
}

void ShowSessionChart(benchmark::State &state)
{
    timeSessionDetails(state, [](frmSesStat &) { QApplication::processEvents(); });
}

// The Session Details tab drawn whole, its list and chart, then Refresh Chart redrawn.
void DrawSessionDetails(benchmark::State &state)
{
    int rows = 0;
    timeSessionDetails(state, [&](frmSesStat &window) {
        (void)window.SSTab1->currentWidget()->grab();
        window.cmdRefresh->click();
        (void)window.chChart->grab();
        rows = window.chChart->rowCount();
    });
    if (rows != 10001)
        state.SkipWithError("the chart did not hold every game");
}

} // namespace

BENCHMARK(OpenLogStatistics)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(7));
BENCHMARK(FilterLogStatistics)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(7));
BENCHMARK(OpenGameStatisticsFirst)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(7));
BENCHMARK(OpenGameStatistics)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(7));
BENCHMARK(FilterGameStatistics)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(7));
BENCHMARK(OpenSessionStatistics)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(7));
BENCHMARK(ShowSessionChart)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(5));
BENCHMARK(DrawSessionDetails)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(7));
