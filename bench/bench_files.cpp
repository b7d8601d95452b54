// Keeping a game on disk: one atomic write of a saved game of 200 moves (about 8 KB),
// synced to disk before it replaces the old file, as the crash save does after each
// action. The folder is made in the current directory, so run it from a folder on the
// disk to be measured (/tmp may be memory). Reported as the median of repeated runs.
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "support/BenchRuns.h"
#include "core/TextFile.h"

namespace {

QByteArray savedGameOf(int moves)
{
    QStringList lines = {QStringLiteral("Freecell"), TextFile::printed(12345)};
    for (int i = 0; i < 16; ++i)
        lines << TextFile::printed(i % 5);
    for (int i = 0; i < moves; ++i) {
        QString line;
        for (int field : {i % 52, 0, i % 8, i % 20, 4, 0, 0, 0, 0, 0})
            line += TextFile::printed(field);
        lines << line;
    }
    return TextFile::joinLines(lines);
}

void AtomicWriteWithSync(benchmark::State &state)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-files-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("Unfin.qx0"));
    const QByteArray bytes = savedGameOf(200);
    TextFile::writeAtomic(path, bytes);
    for (auto _ : state)
        TextFile::writeAtomic(path, bytes);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(AtomicWriteWithSync)->Unit(benchmark::kMillisecond)->Repetitions(benchRuns(9))->ReportAggregatesOnly(true);

} // namespace
