// The customisable toolbar as data: the 30 buttons a user may show or hide with their
// defaults, the order of the toolbar with its tooltips, and which buttons and
// separators show. A stored choice that is not a 16-bit number counts as its row's
// default, so a damaged value never keeps the toolbar (or its window) from working.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>

class Context;

namespace mToolbar {

// One row of the button table: the command key, the name in the customise list and
// whether it shows when no choice is stored (1 shown, 0 hidden).
struct ButtonDef {
    QString Key;
    QString Text;
    std::int16_t Default = 0;
};

constexpr int kButtonCount = 30;

ButtonDef MakeButtonDef(const QString &key, const QString &text, std::int16_t def);
// Rows 1..30; any other row is empty.
ButtonDef GetButtonDef(int n);

// The toolbar left to right: a command key, or "Sep1".."Sep12" for a separator.
struct ButtonSlot {
    const char *key;
    const char *tooltip;
};
const QList<ButtonSlot> &ToolbarSlots();
bool IsSeparator(const QString &key);

// The stored choice of row n ("Toolbar" section, named by the key): the row's default
// when nothing or a damaged value is stored.
std::int16_t GetButtonVisible(Context &ctx, int n);
void SetButtonVisible(Context &ctx, const QString &key, std::int16_t value);
// Stores 1 for every row, or every row's default.
void SelectAll(Context &ctx);
void LoadDefaults(Context &ctx);

// Sets each separator of `shown` (keyed like the toolbar) from the buttons in it: a
// separator shows when a button of its group shows and some button shows after it.
void UpdateSeparators(QHash<QString, bool> &shown);
// Every key of the toolbar, buttons and separators, with whether it shows now. "Editor"
// and "Wizard" are not customisable and never show.
QHash<QString, bool> ToolbarItems(Context &ctx);
// Asks the main window to show the toolbar as ToolbarItems says.
void ApplyToolbar(Context &ctx);

} // namespace mToolbar
