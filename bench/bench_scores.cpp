// Score store speed and memory: loading the logs of 20 players over 62 games at
// 1,000 to 1,000,000 records (time, and peak memory per record), appending one game
// to an empty log and to a log of 1,000,000 lines, and the High Score window opened
// (offscreen) over 100,000 records.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "support/BenchRuns.h"
#include "app/Context.h"
#include "appearance/mCustomize.h"
#include "engine/mStudio.h"
#include "platform/MessageBox.h"
#include "platform/ShellFolders.h"
#include "scores/cScore.h"
#include "scores/frmHighScore.h"
#include "store/cData.h"
#include "store/cRegistry.h"

namespace {

class SilentMessageBox : public IMessageBox {
protected:
    MsgResult ask(const QString &, MsgButtons, MsgIcon, const QString &) override { return MsgResult::Ok; }
    QString askText(const QString &, const QString &, const QString &) override { return {}; }
};

class GameInPlay : public NullSessionInfo {
public:
    QString GameName() const override { return QStringLiteral("Freecell"); }
    GameNumber GameNo() const override { return GameNumber::fromNumber(617); }
    std::int32_t Time() const override { return 125; }
    std::int16_t Moves() const override { return 41; }
    std::int16_t Score() const override { return 250; }
};

constexpr int kPlayers = 20;
constexpr int kGames = 62;

// A home with the players whose logs hold the given number of records in all.
struct Home {
    Home(std::int64_t records, int players) : folders(FixedShellFolders::underHome(dir.path())), ctx(services())
    {
        ctx.gData = std::make_unique<cData>(ctx);
        ctx.data().InitCD("Brackenfold", "6.0", 12, "brackenfold.chm", "qx");
        ctx.gRegistry = std::make_unique<cRegistry>(ctx);
        ctx.gScore = std::make_unique<cScore>(ctx);
        for (int p = 1; p <= players; ++p)
            mCustomize::SetPlayer(ctx, static_cast<std::int16_t>(p), QStringLiteral("Player%1").arg(p), p == 1);
        std::vector<std::ofstream> logs;
        for (int p = 1; p <= players; ++p)
            logs.emplace_back(cScore::LogPath(ctx, QStringLiteral("Player%1").arg(p)).toStdString(), std::ios::binary);
        for (std::int64_t i = 0; i < records; ++i) {
            const int day = 1 + static_cast<int>(i % 28);
            logs[static_cast<std::size_t>(i % players)]
                << "\"2026-11-" << (day < 10 ? "0" : "") << day << " 10:" << 10 + i % 50 << ":00\",\"Game "
                << 1 + (i * 7) % kGames << "\"," << 1 + (i * 7919) % 999999 << ',' << 60 + i % 900 << ','
                << 50 + i % 200 << ',' << static_cast<int>(i % 700) - 100 << ',' << (i % 3 == 0 ? 1 : 0) << "\r\n";
        }
    }
    Services services()
    {
        Services s;
        s.messages = &box;
        s.shellFolders = &folders;
        s.session = &game;
        return s;
    }
    QTemporaryDir dir;
    FixedShellFolders folders;
    SilentMessageBox box;
    GameInPlay game;
    Context ctx;
};

// Homes are built once per size and kept for the runs that follow; they go with the
// application object, while Qt and the settings store are still whole.
Home &homeOf(std::int64_t records, int players)
{
    static std::map<std::pair<std::int64_t, int>, std::unique_ptr<Home>> homes;
    if (homes.empty())
        qAddPostRoutine([] { homes.clear(); });
    auto &home = homes[{records, players}];
    if (!home)
        home = std::make_unique<Home>(records, players);
    return *home;
}

std::int64_t statusKb(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stoll(line.substr(std::strlen(field)));
    }
    return 0;
}

// Lets the peak resident size start again from the present one.
bool resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return static_cast<bool>(clear.flush());
}

void BM_OpenAllScore(benchmark::State &state)
{
    Home &home = homeOf(state.range(0), kPlayers);
    cScore &score = home.ctx.score();
    score.CloseScore();
    const std::int64_t before = statusKb("VmRSS:");
    const bool peakReset = resetPeak();
    score.OpenAllScore();
    const std::int64_t peak = peakReset ? statusKb("VmHWM:") : statusKb("VmRSS:");
    const double records = score.ScoreTop();
    score.CloseScore();
    for (auto _ : state) {
        score.OpenAllScore();
        state.PauseTiming();
        score.CloseScore();
        state.ResumeTiming();
    }
    state.counters["records"] = records;
    state.counters["peak_bytes_per_record"] = double(peak - before) * 1024.0 / std::max(1.0, records);
}
BENCHMARK(BM_OpenAllScore)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchRuns(5));

void BM_AddScore(benchmark::State &state)
{
    Home &home = homeOf(state.range(0), 1);
    const QString log = cScore::LogPath(home.ctx, QStringLiteral("Player1"));
    const qint64 size = QFileInfo(log).size();
    for (auto _ : state)
        home.ctx.score().AddScore(1);
    // Back to the log as built, for the other runs.
    if (QFile::exists(log))
        QFile(log).resize(size);
    state.counters["lines_in_log"] = double(state.range(0));
}
BENCHMARK(BM_AddScore)->Arg(0)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// Opening loads every log and fills the four tabs; closing releases the logs.
void BM_HighScoreWindow(benchmark::State &state)
{
    Home &home = homeOf(state.range(0), kPlayers);
    // The window also lists the game table and plays its sound.
    home.ctx.createSharedObjects();
    mStudio::InitProduct(home.ctx);
    for (auto _ : state) {
        frmHighScore window(home.ctx);
        benchmark::DoNotOptimize(window.lvTop->topLevelItemCount());
    }
    state.counters["records"] = double(state.range(0));
}
BENCHMARK(BM_HighScoreWindow)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
