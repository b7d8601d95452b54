#include "engine/mStudio.h"

#include "core/Numbers.h"
#include "engine/cCustom.h"
#include "engine/cGames.h"
#include "app/Context.h"
#include "store/cData.h"

namespace mStudio {

const std::array<BuiltInGame, 12> &BuiltInGames()
{
    // name, HOrder, HPiles, HSpace, HAK, HMulti, Suits, MOrder, GOrder, GBase, GCards, RPiles, RCards
    static const std::array<BuiltInGame, 12> games = {{
        {"Freecell", 6, 8, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0},
        {"Baker's Game", 5, 8, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0},
        {"Forecell", 6, 8, 13, 0, 1, 2, 0, 0, 0, 0, 4, 4},
        {"Seven By Four", 6, 7, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0},
        {"Two Cells", 6, 8, 13, 0, 1, 2, 0, 0, 0, 0, 2, 0},
        {"Bouquet", 8, 8, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0},
        {"Color Cell", 7, 8, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0},
        {"Freecell Reversed", 1, 8, 13, 0, 1, 2, 0, 5, 0, 0, 4, 0},
        {"Freecell Two Suit", 6, 8, 13, 0, 1, 1, 0, 0, 0, 0, 4, 0},
        {"Luxury", 13, 8, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0},
        {"Mania", 12, 8, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0},
        {"Mission", 6, 8, 13, 1, 1, 2, 0, 0, 1, 4, 4, 0},
    }};
    return games;
}

bool IsBuiltInName(const QString &name)
{
    for (const BuiltInGame &g : BuiltInGames()) {
        if (name == QLatin1String(g.name))
            return true;
    }
    return false;
}

bool LoadBuiltInGame(Context &ctx, const QString &name)
{
    for (const BuiltInGame &g : BuiltInGames()) {
        if (name != QLatin1String(g.name))
            continue;
        cCustom &custom = ctx.custom();
        custom.Home(g.hPiles, g.hOrder, g.hSpace, g.hak, g.hMulti, g.suits, g.mOrder);
        custom.Goal(g.gOrder, g.gBase, g.gCards);
        custom.Res(g.rPiles, g.rCards);
        custom.setGameName(name);
        return true;
    }
    return false;
}

QString GetOrderName(int code)
{
    static const char *const names[16] = {"Up Same Suit",
                                          "Up Alternate Color",
                                          "Up Same Color",
                                          "Up Other Suits",
                                          "Up Any Suit",
                                          "Down Same Suit",
                                          "Down Alternate Color",
                                          "Down Same Color",
                                          "Down Other Suits",
                                          "Down Any Suit",
                                          "Any Card",
                                          "Up/Down Same Suit",
                                          "Up/Down Alternate Color",
                                          "Up/Down Same Color",
                                          "Up/Down Other Suits",
                                          "Up/Down Any Suit"};
    if (code < 0 || code > 15)
        return {};
    return QString::fromLatin1(names[code]);
}

OrderRule GetOrderRule(int code)
{
    static constexpr int suitRules[5] = {1, 2, 5, 4, 3};
    OrderRule rule;
    if (code < 0 || code > 15)
        return rule;
    rule.valid = true;
    if (code == 10) {
        rule.anyCard = true;
        return rule;
    }
    const int group = code < 10 ? code / 5 : 2;
    rule.direction = group == 0 ? 1 : group == 1 ? -1 : 0;
    rule.suitRule = suitRules[code < 10 ? code % 5 : code - 11];
    return rule;
}

namespace {
// Board geometry of every game, in twips.
constexpr std::int32_t kBoardWidth = 11550;
constexpr std::int32_t kBoardTop = 200;
constexpr std::int32_t kTableauPileWidth = 1165;
constexpr std::int32_t kTableauTop = 1640;
constexpr std::int32_t kTableauCardOffset = 250;
constexpr std::int32_t kTopRowPileWidth = 1115;
constexpr std::int32_t kFreeCellsLeft = 1165;
constexpr std::int32_t kFoundationsLeft = 5975;
constexpr std::int32_t kStockLeft = 1165;
constexpr std::int32_t kWasteCardOffset = 30;
constexpr std::int32_t kPilesPerRow = 20;
constexpr std::int32_t kDeckSize = 52;

// Centres the tableau in a board wide enough for ten piles.
std::int32_t TableauLeft(std::int32_t piles)
{
    const std::int64_t span = (static_cast<std::int64_t>(10) - piles) * kTableauPileWidth;
    return toInt32(roundHalfEven(static_cast<double>(span) / 2.0));
}
} // namespace

void BuildLayout(Context &ctx)
{
    const cCustom &custom = ctx.custom();
    cGames &games = ctx.games();

    games.Res(0, 0, 0, 0, 0, 0, kPilesPerRow, 0, 0, -1);
    games.Waste(0, 0, 0, 0, 0, kWasteCardOffset);

    const std::int32_t tableauCards = kDeckSize - custom.GCards() - custom.RCards();
    games.Home(custom.HPiles(), custom.HOrder(), tableauCards, custom.HAK(), custom.HSpace(), custom.HMulti(),
               TableauLeft(custom.HPiles()), kTableauTop, kTableauPileWidth, kTableauCardOffset, kPilesPerRow, 0, 0, 0,
               0, custom.Suits(), 0);

    // Foundations always wrap from King to Ace, whatever the tableau does.
    games.Goal(4, custom.GOrder(), custom.GCards(), custom.GBase(), 1, kFoundationsLeft, 0, kTopRowPileWidth, 0,
               kPilesPerRow, 0, 0);
    games.Res(custom.RPiles(), custom.RCards(), kFreeCellsLeft, 0, kTopRowPileWidth, 0, kPilesPerRow, 0, 0, -1);

    // One stock pile from which the deal takes every card.
    games.Stock(1, 0, kStockLeft, 0, 0, 0, 0);
    games.Ext(kBoardWidth, kBoardTop, kDeckSize, -1, QStringLiteral("Freecell"), false, 0);
}

void InitProduct(Context &ctx)
{
    cData &data = ctx.data();
    data.InitCD(QStringLiteral("Brackenfold"), QStringLiteral("6.0"), 12, QStringLiteral("brackenfold.chm"),
                QStringLiteral("qx"));
    const auto &games = BuiltInGames();
    for (std::size_t i = 0; i < games.size(); ++i)
        data.SetGame(static_cast<std::int16_t>(i + 1), QString::fromLatin1(games[i].name), false, 1);
    data.Refresh_NewGames();
}

} // namespace mStudio
