// Settings store speed: a getter answered from memory, and a setter, which re-reads
// the file under its lock and replaces it atomically. Reported in operations per second.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include "platform/MessageBox.h"
#include "platform/ShellFolders.h"
#include "app/Context.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"

namespace {

class SilentMessageBox : public IMessageBox {
protected:
    MsgResult ask(const QString &, MsgButtons, MsgIcon, const QString &) override { return MsgResult::Ok; }
    QString askText(const QString &, const QString &, const QString &) override { return {}; }
};

// A context over a temporary home holding a settings file of a realistic size.
struct Fixture {
    Fixture() : folders(FixedShellFolders::underHome(home.path())), ctx(services())
    {
        ctx.gData = std::make_unique<cData>(ctx);
        ctx.data().InitCD("Brackenfold", "6.0", 12, "brackenfold.chm", "qx");
        ctx.gRegistry = std::make_unique<cRegistry>(ctx);
        for (int i = 1; i <= 20; ++i)
            mRegistry::SetRegString(ctx, "Players", QString::number(i), QStringLiteral("Player%1").arg(i));
        for (int i = 1; i <= 12; ++i)
            mRegistry::SetRegInteger(ctx, "HotGames", QStringLiteral("Game %1").arg(i), std::int16_t(i % 2));
        mRegistry::SetRegInteger(ctx, "Options", "RangeIndex", 6);
        mRegistry::SetRegString(ctx, "General", "LastGName", "Freecell");
        // Let the file's times settle, as they have in a running program between settings changes.
        QThread::msleep(150);
    }
    Services services()
    {
        Services s;
        s.messages = &box;
        s.shellFolders = &folders;
        return s;
    }
    QTemporaryDir home;
    FixedShellFolders folders;
    SilentMessageBox box;
    Context ctx;
};

void BM_GetRegIntegerFromMemory(benchmark::State &state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(mRegistry::GetRegInteger(f.ctx, "Options", "RangeIndex", 0));
    state.counters["ops"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GetRegIntegerFromMemory);

void BM_GetRegStringFromMemory(benchmark::State &state)
{
    Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(mRegistry::GetRegString(f.ctx, "General", "LastGName", ""));
    state.counters["ops"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GetRegStringFromMemory);

void BM_SetRegIntegerAtomicWrite(benchmark::State &state)
{
    Fixture f;
    std::int16_t v = 0;
    for (auto _ : state)
        mRegistry::SetRegInteger(f.ctx, "Options", "RangeIndex", ++v); // a new value: every call writes
    state.counters["ops"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SetRegIntegerAtomicWrite);

} // namespace
