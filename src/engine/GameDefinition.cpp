#include "engine/GameDefinition.h"

#include <algorithm>

#include "core/AppError.h"

namespace {
// Free cells and tableau piles stop where the board's pile tables stop.
constexpr int kMaxPiles = 21;
} // namespace

std::optional<DefinitionFault> FindDefinitionFault(const GameDefinition &d)
{
    struct Range {
        const char *what;
        std::int16_t value;
        int lo, hi;
    };
    // In the saved-game header's order, so a fault's index names its header line.
    const Range ranges[12] = {
        {"the foundation order", d.GOrder, 0, 15},
        {"the foundation base rank", d.GBase, 0, 12},
        {"the number of foundation start cards", d.GCards, 0, 4},
        {"the tableau order", d.HOrder, 0, 15},
        {"the rank that fills an empty tableau pile", d.HSpace, -1, 13},
        {"the number of tableau piles", d.HPiles, 1, kMaxPiles},
        {"the wrap flag", d.HAK, 0, 1},
        {"the group-move flag", d.HMulti, 0, 1},
        {"the number of free cells", d.RPiles, 0, kMaxPiles},
        {"the number of free-cell start cards", d.RCards, 0, std::max<int>(0, d.RPiles)},
        {"the group-move order", d.MOrder, 0, 15},
        {"the suit kind", d.Suits, 0, 2},
    };
    for (int i = 0; i < 12; ++i) {
        const Range &r = ranges[i];
        if (r.value < r.lo || r.value > r.hi)
            return DefinitionFault{i, QLatin1String(r.what), r.value, r.lo, r.hi};
    }
    return std::nullopt;
}

void CheckDefinition(const GameDefinition &d, const QString &source)
{
    const std::optional<DefinitionFault> fault = FindDefinitionFault(d);
    if (!fault)
        return;
    raiseError(err::BadDefinition, QStringLiteral("%1 cannot be played: %2 is %3, it must be %4 to %5.")
                                       .arg(source, fault->what, QString::number(fault->value),
                                            QString::number(fault->lo), QString::number(fault->hi)));
}
