// Speed of the check a saved game passes before it is opened: a Freecell game of 1,000
// recorded moves that keep the rules (the top card of the first pile goes to a free cell,
// then hops from free cell to free cell) read from its file, checked value by value and
// redone whole on a scratch board; and the redo on the scratch board alone.
// And the refusal of a saved game of 16 MiB, as many moves as fit, which stops reading
// once the file holds more moves than a game can record.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/Context.h"
#include "core/AppError.h"
#include "core/TextFile.h"
#include "engine/ScratchBoard.h"
#include "engine/mStudio.h"
#include "platform/MessageBox.h"
#include "platform/ShellFolders.h"
#include "store/mFile.h"
#include "support/BenchContext.h"

namespace {

constexpr int kMoves = 1000;
constexpr int kFreeCells = 4;

// A Freecell deal puts card id 51 - k, the k-th card dealt, on pile k mod 8 at position
// k / 8: card 3 (k = 48) lies on top of pile 0, at position 6.
QStringList savedGameLines()
{
    QStringList lines{"Freecell", " 12345 ", " 600 ", " 1000 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ",
                      " 6 ",      " 13 ",    " 8 ",   " 0 ",    " 1 ", " 4 ", " 0 ", " 0 ", " 2 "};
    auto line = [](std::initializer_list<int> fields) {
        QString text;
        for (const int v : fields)
            text += TextFile::printed(v);
        return text;
    };
    constexpr int card = 3;
    lines << line({card, 0, 0, 6, 4, 0, 0, 0, 0, 0});
    for (int i = 1; i < kMoves; ++i) {
        const int from = (i - 1) % kFreeCells;
        lines << line({card, 4, from, 0, 4, (from + 1) % kFreeCells, 0, 0, 0, 0});
    }
    return lines;
}

struct Files : BenchContext {
    Files()
    {
        path = home.path() + "/Long.qx0";
        TextFile::writeAtomic(path, TextFile::joinLines(savedGameLines()));
    }
    QString path;
};

void BM_CheckSavedGameOf1000Moves(benchmark::State &state)
{
    Files f;
    for (auto _ : state) {
        const LoadedGame game = mFile::ReadSavedGame(f.ctx, f.path);
        benchmark::DoNotOptimize(game.moves.size());
    }
}
BENCHMARK(BM_CheckSavedGameOf1000Moves)->Unit(benchmark::kMillisecond);

void BM_RedoOf1000MovesOnAScratchBoard(benchmark::State &state)
{
    Files f;
    const LoadedGame game = mFile::ReadSavedGame(f.ctx, f.path);
    ScratchBoard board;
    for (auto _ : state) {
        const auto misfit = board.Try(game.definition, game.header.GameNo, game.moves);
        if (misfit)
            state.SkipWithError(misfit->reason.toStdString().c_str());
    }
}
BENCHMARK(BM_RedoOf1000MovesOnAScratchBoard)->Unit(benchmark::kMillisecond);

void BM_RefuseASavedGameOf16MiB(benchmark::State &state)
{
    Files f;
    const QString path = f.home.path() + "/Huge.qx0";
    QByteArray bytes = TextFile::joinLines(savedGameLines().mid(0, 18));
    const QByteArray move = TextFile::joinLines({savedGameLines().at(18)});
    bytes.reserve(16 * 1024 * 1024);
    while (bytes.size() + move.size() <= 16 * 1024 * 1024)
        bytes += move;
    bytes += QByteArray(16 * 1024 * 1024 - bytes.size(), ' ');
    TextFile::writeAtomic(path, bytes);
    for (auto _ : state) {
        try {
            mFile::ReadSavedGame(f.ctx, path);
            state.SkipWithError("the file was not refused");
        } catch (const AppError &) {
        }
    }
}
BENCHMARK(BM_RefuseASavedGameOf16MiB)->Unit(benchmark::kMillisecond);

} // namespace
