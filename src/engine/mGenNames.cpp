#include "engine/mGenNames.h"

#include <array>

namespace {
// Ace to King; the thirteenth entry differs between the two rank tables.
constexpr std::array<const char *, 13> kRanks = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                                 "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};

template <std::size_t N> QString fromTable(const std::array<const char *, N> &table, std::int16_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return {};
    return QString::fromLatin1(table[static_cast<std::size_t>(index)]);
}

QString rankName(std::int16_t rank, const char *thirteenth)
{
    if (rank == 13)
        return QString::fromLatin1(thirteenth);
    return fromTable(kRanks, rank);
}
} // namespace

namespace mGen {

QString GetBaseCardName(std::int16_t rank)
{
    return rankName(rank, "Random");
}

QString GetSpaceCardName(std::int16_t rank)
{
    return rankName(rank, "Any Card");
}

QString GetBoolName(std::int16_t value)
{
    static constexpr std::array<const char *, 2> kNames = {"False", "True"};
    return fromTable(kNames, value);
}

QString GetSuitsName(std::int16_t code)
{
    static constexpr std::array<const char *, 3> kNames = {"One", "Two", "Four"};
    return fromTable(kNames, code);
}

} // namespace mGen
