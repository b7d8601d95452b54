#include "engine/mStudio.h"

#include "engine/cCustom.h"
#include "shell/Context.h"
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
