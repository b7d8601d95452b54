#include "shell/mToolbar.h"

#include "app/Context.h"
#include "core/AppError.h"
#include "store/mRegistry.h"

namespace {
const QString kSection = QStringLiteral("Toolbar");

struct SeparatorGroup {
    const char *separator;
    QList<const char *> keys;
};

// The buttons each separator stands for.
const QList<SeparatorGroup> &Groups()
{
    static const QList<SeparatorGroup> groups = {
        {"Sep1", {"New", "Select", "Restart"}},
        {"Sep2", {"Open", "Save"}},
        {"Sep3", {"UndoAll", "Undo", "Redo", "RedoAll"}},
        {"Sep4", {"AutoPlay"}},
        {"Sep5", {"Pause"}},
        {"Sep6", {"Back", "Stop", "Forward"}},
        {"Sep7", {"MovesMan"}},
        {"Sep8", {"AddFav", "OrgFav"}},
        {"Sep9", {"AddPend", "OrgPend"}},
        {"Sep10", {"HighScore", "GameStat"}},
        {"Sep11", {"Sounds", "Background"}},
        {"Sep12", {"Players", "AutoSave", "Hot", "History", "Options"}},
    };
    return groups;
}
} // namespace

namespace mToolbar {

ButtonDef MakeButtonDef(const QString &key, const QString &text, std::int16_t def)
{
    return {key, text, def};
}

ButtonDef GetButtonDef(int n)
{
    struct Row {
        const char *key;
        const char *text;
        std::int16_t def;
    };
    static const Row rows[kButtonCount] = {
        {"New", "New Game", 1},
        {"Select", "Select Game", 1},
        {"Restart", "Restart Game", 1},
        {"Open", "Open Game", 1},
        {"Save", "Save Game", 1},
        {"UndoAll", "Undo All", 0},
        {"Undo", "Undo", 1},
        {"Redo", "Redo", 1},
        {"RedoAll", "Redo All", 0},
        {"AutoPlay", "AutoPlay", 1},
        {"Pause", "PauseGame", 1},
        {"Back", "Replay Back", 1},
        {"Stop", "Replay Stop", 1},
        {"Forward", "Replay Forward", 1},
        {"MovesMan", "Moves Manager", 1},
        {"AddFav", "Add to Favorites", 1},
        {"OrgFav", "Organize Favorites", 0},
        {"AddPend", "Move to Pending List", 1},
        {"OrgPend", "Organize Pending List", 0},
        {"HighScore", "High Score", 0},
        {"GameStat", "Game Statistics", 1},
        {"Sounds", "Customize Sounds", 0},
        {"Background", "Customize Backgrounds", 1},
        {"Players", "Players", 0},
        {"AutoSave", "AutoSave", 0},
        {"Hot", "Hot Games", 0},
        {"History", "Game History", 0},
        {"Options", "Options", 1},
        {"Rules", "Rules", 1},
        {"Contents", "Help Contents", 0},
    };
    if (n < 1 || n > kButtonCount)
        return {};
    const Row &r = rows[n - 1];
    return MakeButtonDef(QString::fromLatin1(r.key), QString::fromLatin1(r.text), r.def);
}

const QList<ButtonSlot> &ToolbarSlots()
{
    static const QList<ButtonSlot> buttons = {
        {"New", "New Game"},
        {"Select", "Select Game"},
        {"Restart", "Restart Game"},
        {"Sep1", ""},
        {"Open", "Open a Saved Game"},
        {"Save", "Save Game"},
        {"Sep2", ""},
        {"UndoAll", "Undo All"},
        {"Undo", "Undo"},
        {"Redo", "Redo"},
        {"RedoAll", "Redo All"},
        {"Sep3", ""},
        {"AutoPlay", "AutoPlay"},
        {"Sep4", ""},
        {"Pause", "Pause Game"},
        {"Sep5", ""},
        {"Back", "Replay Back"},
        {"Stop", "Replay Stop"},
        {"Forward", "Replay Forward"},
        {"Sep6", ""},
        {"MovesMan", "Moves Manager"},
        {"Sep7", ""},
        {"AddFav", "Add to Favorites"},
        {"OrgFav", "Organize Favorites"},
        {"Sep8", ""},
        {"AddPend", "Move to Pending List"},
        {"OrgPend", "Organize Pending List"},
        {"Sep9", ""},
        {"HighScore", "High Score"},
        {"GameStat", "Game Statistics"},
        {"Sep10", ""},
        {"Sounds", "Customize Sounds"},
        {"Background", "Customize Background"},
        {"Sep11", ""},
        {"Players", "Players"},
        {"AutoSave", "AutoSave"},
        {"Hot", "Hot Games"},
        {"History", "Game History"},
        {"Options", "Options"},
        {"Editor", "Game Editor"},
        {"Wizard", "Add New Game Wizard"},
        {"Sep12", ""},
        {"Rules", "Rules"},
        {"Contents", "Help Contents"},
    };
    return buttons;
}

bool IsSeparator(const QString &key)
{
    return key.startsWith(QLatin1String("Sep"));
}

std::int16_t GetButtonVisible(Context &ctx, int n)
{
    const ButtonDef def = GetButtonDef(n);
    if (def.Key.isEmpty())
        return 0;
    // Text or a number beyond 16 bits: the row shows as by default until a choice is
    // stored over it.
    return mRegistry::GetRegInteger(ctx, kSection, def.Key, def.Default);
}

void SetButtonVisible(Context &ctx, const QString &key, std::int16_t value)
{
    mRegistry::SetRegInteger(ctx, kSection, key, value);
}

void SelectAll(Context &ctx)
{
    for (int n = 1; n <= kButtonCount; ++n)
        SetButtonVisible(ctx, GetButtonDef(n).Key, 1);
}

void LoadDefaults(Context &ctx)
{
    for (int n = 1; n <= kButtonCount; ++n) {
        const ButtonDef def = GetButtonDef(n);
        SetButtonVisible(ctx, def.Key, def.Default);
    }
}

void UpdateSeparators(QHash<QString, bool> &shown)
{
    for (const SeparatorGroup &group : Groups()) {
        bool any = false;
        for (const char *key : group.keys)
            any = any || shown.value(QLatin1String(key));
        shown.insert(QLatin1String(group.separator), any);
    }
    // A separator at the end of the toolbar divides nothing: it goes when no button
    // shows after it.
    bool buttonAfter = false;
    const QList<ButtonSlot> &order = ToolbarSlots();
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        const QString key = QLatin1String(it->key);
        if (!IsSeparator(key))
            buttonAfter = buttonAfter || shown.value(key);
        else if (!buttonAfter)
            shown.insert(key, false);
    }
}

QHash<QString, bool> ToolbarItems(Context &ctx)
{
    QHash<QString, bool> shown;
    for (const ButtonSlot &slot : ToolbarSlots())
        shown.insert(QLatin1String(slot.key), false);
    for (int n = 1; n <= kButtonCount; ++n)
        shown.insert(GetButtonDef(n).Key, GetButtonVisible(ctx, n) != 0);
    UpdateSeparators(shown);
    return shown;
}

void ApplyToolbar(Context &ctx)
{
    ctx.mainWindow().ApplyToolbar();
}

} // namespace mToolbar
