// The menu bar as data: every static item of the nine menus with its caption, command
// key, icon, toolbar button and shortcut; the menu image list's keys; and the enabled
// and checked states that the window's 100 ms refresh applies, computed from the
// session, the move record and the options. Keys are compared exactly.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

class Context;

namespace mMenu {

struct MenuItemDef {
    const char *menu;     // "mFile" .. "mHelp"
    int index;            // 1-based within its menu
    const char *caption;  // "-" for a separator
    const char *key;      // "" for a separator
    bool icon;            // shows the key's image
    bool button;          // its toolbar button takes the key's image
    const char *shortcut; // "" for none
};

struct MenuDef {
    const char *name;    // "mFile"
    const char *caption; // "&File"
    const char *topName; // "mFileMain"
};

// The nine menus in menu-bar order, and every item of them in order.
const QList<MenuDef> &Menus();
const QList<MenuItemDef> &Items();
// The item's key as the menu-icon control names it: "mFile(12)".
QString ItemKey(const MenuItemDef &item);

// The keys of the menu image list, in order; GetMenuImageIndex is 1-based, 0 unknown.
const QStringList &ImageKeys();
std::int16_t GetMenuImageIndex(const QString &key);

// Gives the menu-icon control its image list and every item of the table its icon (the
// toolbar buttons share their item's action, and so its image). The window registers its
// items with the control first; an unregistered item ends it with an error.
void InitMenuItems(Context &ctx);

// Commands whose window is not part of the program yet: shown, but never enabled
// (none at present).
bool CommandAvailable(const QString &key);

// The states of one refresh.
struct MenuState {
    QHash<QString, bool> enabled; // by command key; keys not listed are enabled
    bool autoPlayChecked = false;
    bool pauseChecked = false;
    bool viewToolbarChecked = false;
};
// replayRunning: either replay timer is on; stopEnabled: the Stop item's own state,
// which the replay sets and the refresh only copies.
MenuState UpdateMenuState(Context &ctx, bool replayRunning, bool stopEnabled);

} // namespace mMenu
