// What the studio windows and the rules window show of a game definition: the rules
// sheet's labels, the studio's detail lines and the items each studio list offers,
// plus the one test that keeps the studio away from the game in play. Plain functions
// of a definition value, so what a window shows never depends on what gCustom held last.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "engine/GameDefinition.h"

class Context;

namespace mStudioForms {

// The nine labels the rules window fills from a definition.
struct RulesLabels {
    QString lbGame, lbFound, lbTab, lbRes, lbGOrder, lbHOrder, lbSpace, lbMulti, lbHAK;
};
RulesLabels RulesText(const GameDefinition &d);

// The ten rule lines of the studio's "Game Details" list, caption and value each.
QStringList GameDetails(const GameDefinition &d);

// The studio's lists, in the order they are filled.
enum class StudioList { GBase, GOrder, GCards, HPiles, HSpace, HOrder, Suits, RPiles, RCards };

struct ListItem {
    std::int16_t value = 0;
    QString text;
    // Rank and order items show the rule picture beside their text.
    bool picture = false;
};

// The items a list offers in ascending value order. The free-cell cards run from 0 to
// the number of free cells, kept within 0..4 so a hand-edited file still gets a list.
QList<ListItem> ListItems(StudioList list, const GameDefinition &d);
// The definition value a list shows, and the definition with a value put into it.
std::int16_t ListValue(StudioList list, const GameDefinition &d);
void SetListValue(StudioList list, GameDefinition &d, std::int16_t value);
// The index of the item holding the value, -1 when the list does not offer it.
int IndexOfValue(const QList<ListItem> &items, std::int16_t value);

// True when the name is the game running on the table: that game's definition may not
// be edited, deleted or written over, since its board and its kept game rely on it.
bool IsGameInPlay(Context &ctx, const QString &name);

} // namespace mStudioForms
