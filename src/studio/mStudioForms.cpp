#include "studio/mStudioForms.h"

#include <algorithm>

#include "app/Context.h"
#include "core/Numbers.h"
#include "engine/mGenNames.h"
#include "engine/mStudio.h"

namespace mStudioForms {

namespace {
QString num(std::int64_t v)
{
    return QString::number(v);
}

QList<ListItem> range(int from, int to, bool picture, QString (*name)(int))
{
    QList<ListItem> items;
    for (int v = from; v <= to; ++v)
        items.append({static_cast<std::int16_t>(v), name ? name(v) : num(v), picture});
    return items;
}

QString baseName(int v)
{
    return mGen::GetBaseCardName(static_cast<std::int16_t>(v));
}

QString spaceName(int v)
{
    return mGen::GetSpaceCardName(static_cast<std::int16_t>(v));
}

QString orderName(int v)
{
    return mStudio::GetOrderName(v);
}
} // namespace

RulesLabels RulesText(const GameDefinition &d)
{
    RulesLabels r;
    r.lbGame = d.GameName;
    r.lbFound = QStringLiteral("(4 Piles, ") + num(d.GCards) + QStringLiteral(" Cards, ") +
                mGen::GetBaseCardName(d.GBase) + QStringLiteral(" Base)");
    // The deck's 52 cards less those dealt elsewhere, kept to 16 bits like the stored values.
    const std::int16_t tableau = toInt16(toInt16(52 - static_cast<std::int64_t>(d.RCards)) - std::int64_t{d.GCards});
    r.lbTab =
        QStringLiteral("(") + num(d.HPiles) + QStringLiteral(" Piles, ") + num(tableau) + QStringLiteral(" Cards)");
    r.lbRes =
        QStringLiteral("(") + num(d.RPiles) + QStringLiteral(" Piles, ") + num(d.RCards) + QStringLiteral(" Cards)");
    r.lbGOrder = mStudio::GetOrderName(d.GOrder);
    r.lbHOrder = mStudio::GetOrderName(d.HOrder);
    r.lbSpace = mGen::GetSpaceCardName(d.HSpace);
    r.lbMulti = d.HMulti == 1 ? QStringLiteral("A group of cards can be moved to another tableau column if they are in "
                                               "sequence and there is enough space where the cards could be moved "
                                               "individually.")
                              : QStringLiteral("Only one card can be moved at a time.");
    r.lbHAK = d.HAK == 1 ? QStringLiteral("Continuous") : QStringLiteral("Not Continuous");
    return r;
}

QStringList GameDetails(const GameDefinition &d)
{
    return {
        QStringLiteral("Tableau Card Arranging Order : ") + mStudio::GetOrderName(d.HOrder),
        QStringLiteral("Number of Tableau Piles : ") + num(d.HPiles),
        QStringLiteral("Tableau Space Filling Card : ") + mGen::GetSpaceCardName(d.HSpace),
        QStringLiteral("Ace-King Wrapping in Tableau : ") + mGen::GetBoolName(d.HAK),
        QStringLiteral("Multi Move in Tableau : ") + mGen::GetBoolName(d.HMulti),
        QStringLiteral("Foundation Card Arraning Order : ") + mStudio::GetOrderName(d.GOrder),
        QStringLiteral("Foundation Base Card : ") + mGen::GetBaseCardName(d.GBase),
        QStringLiteral("Initial Cards in Foundation : ") + num(d.GCards),
        QStringLiteral("Number of Free Cells : ") + num(d.RPiles),
        QStringLiteral("Cards in Free Cells : ") + num(d.RCards),
    };
}

QList<ListItem> ListItems(StudioList list, const GameDefinition &d)
{
    switch (list) {
    case StudioList::GBase: return range(0, 12, true, baseName);
    case StudioList::GOrder: return range(0, 8, true, orderName);
    case StudioList::GCards: return range(0, 4, false, nullptr);
    case StudioList::HPiles: return range(4, 10, false, nullptr);
    case StudioList::HSpace: return range(0, 13, true, spaceName);
    case StudioList::HOrder: return range(0, 15, true, orderName);
    case StudioList::Suits: return {{1, mGen::GetSuitsName(1), false}, {2, mGen::GetSuitsName(2), false}};
    case StudioList::RPiles: return range(0, 4, false, nullptr);
    case StudioList::RCards: return range(0, std::clamp<int>(d.RPiles, 0, 4), false, nullptr);
    }
    return {};
}

std::int16_t ListValue(StudioList list, const GameDefinition &d)
{
    switch (list) {
    case StudioList::GBase: return d.GBase;
    case StudioList::GOrder: return d.GOrder;
    case StudioList::GCards: return d.GCards;
    case StudioList::HPiles: return d.HPiles;
    case StudioList::HSpace: return d.HSpace;
    case StudioList::HOrder: return d.HOrder;
    case StudioList::Suits: return d.Suits;
    case StudioList::RPiles: return d.RPiles;
    case StudioList::RCards: return d.RCards;
    }
    return 0;
}

void SetListValue(StudioList list, GameDefinition &d, std::int16_t value)
{
    switch (list) {
    case StudioList::GBase: d.GBase = value; break;
    case StudioList::GOrder: d.GOrder = value; break;
    case StudioList::GCards: d.GCards = value; break;
    case StudioList::HPiles: d.HPiles = value; break;
    case StudioList::HSpace: d.HSpace = value; break;
    case StudioList::HOrder: d.HOrder = value; break;
    case StudioList::Suits: d.Suits = value; break;
    case StudioList::RPiles:
        // A new number of free cells starts them empty.
        d.RPiles = value;
        d.RCards = 0;
        break;
    case StudioList::RCards: d.RCards = value; break;
    }
}

int IndexOfValue(const QList<ListItem> &items, std::int16_t value)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].value == value)
            return i;
    }
    return -1;
}

bool IsGameInPlay(Context &ctx, const QString &name)
{
    const ISessionInfo &session = ctx.session();
    return session.Game_Running() && session.GameName() == name;
}

} // namespace mStudioForms
