#include "shell/mMenu.h"

#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "app/Context.h"
#include "shell/MenuImages.h"
#include "shell/cGamePlay.h"
#include "platform/kMenu.h"
#include "store/mOptions.h"

namespace mMenu {

const QList<MenuDef> &Menus()
{
    static const QList<MenuDef> menus = {
        {"mFile", "&File", "mFileMain"},        {"mGame", "&Game", "mGameMain"},
        {"mReplay", "&Replay", "mReplayMain"},  {"mFav", "Favorites", "mFavMain"},
        {"mPend", "Pending List", "mPendMain"}, {"mStat", "Statistics", "mStatMain"},
        {"mCust", "Customize", "mCustMain"},    {"mTools", "&Tools", "mnuTools"},
        {"mHelp", "&Help", "mnuHelp"},
    };
    return menus;
}

const QList<MenuItemDef> &Items()
{
    static const QList<MenuItemDef> items = {
        {"mFile", 1, "&New Game", "New", true, true, "F2"},
        {"mFile", 2, "&Select Game", "Select", true, true, "F3"},
        {"mFile", 3, "&Restart Game", "Restart", true, true, ""},
        {"mFile", 4, "-", "", false, false, ""},
        {"mFile", 5, "Select a Number", "SelNum", false, false, ""},
        {"mFile", 6, "-", "", false, false, ""},
        {"mFile", 7, "Open Game", "Open", true, true, "Ctrl+O"},
        {"mFile", 8, "Save Game", "Save", true, true, "Ctrl+S"},
        {"mFile", 9, "-", "", false, false, ""},
        {"mFile", 10, "&Close Game", "Close", false, false, ""},
        {"mFile", 11, "-", "", false, false, ""},
        {"mFile", 12, "Recently Saved", "Recent", true, false, ""},
        {"mFile", 13, "Recently Opened", "Recent", true, false, ""},
        {"mFile", 14, "Recently Played", "Recent", true, false, ""},
        {"mFile", 15, "-", "", false, false, ""},
        {"mFile", 16, "E&xit", "Exit", false, false, ""},
        {"mGame", 1, "&Undo", "Undo", true, true, "Ctrl+Z"},
        {"mGame", 2, "&Redo", "Redo", true, true, "Ctrl+X"},
        {"mGame", 3, "-", "", false, false, ""},
        {"mGame", 4, "Autoplay", "AutoPlay", true, true, "F7"},
        {"mGame", 5, "-", "", false, false, ""},
        {"mGame", 6, "U&ndo All", "UndoAll", true, true, "Ctrl+C"},
        {"mGame", 7, "R&edo All", "RedoAll", true, true, "Ctrl+V"},
        {"mGame", 8, "-", "", false, false, ""},
        {"mGame", 9, "Pause Game", "Pause", true, true, "F8"},
        {"mGame", 10, "-", "", false, false, ""},
        {"mGame", 11, "View Toolbar", "ViewTool", false, false, ""},
        {"mReplay", 1, "&Forward", "Forward", true, true, "Shift+F1"},
        {"mReplay", 2, "&Back", "Back", true, true, "Shift+F2"},
        {"mReplay", 3, "-", "", false, false, ""},
        {"mReplay", 4, "Replay &All", "ReplayAll", false, false, ""},
        {"mReplay", 5, "-", "", false, false, ""},
        {"mReplay", 6, "Sto&p", "Stop", true, true, ""},
        {"mReplay", 7, "-", "", false, false, ""},
        {"mReplay", 8, "Moves Manager", "MovesMan", true, true, "Ctrl+M"},
        {"mFav", 1, "&Add to Favorites", "AddFav", true, true, "Ctrl+A"},
        {"mFav", 2, "&Organize Favorites", "OrgFav", true, true, "Ctrl+F"},
        {"mFav", 3, "-", "", false, false, ""},
        {"mPend", 1, "Move to Pending List", "AddPend", true, true, "Ctrl+P"},
        {"mPend", 2, "Organize Pending List", "OrgPend", true, true, "Ctrl+Y"},
        {"mPend", 3, "-", "", false, false, ""},
        {"mStat", 1, "&High Scores", "HighScore", true, true, "F9"},
        {"mStat", 2, "&Log Statistics", "LogStat", false, false, ""},
        {"mStat", 3, "-", "", false, false, ""},
        {"mStat", 4, "&Game Statistics", "GameStat", true, true, "F4"},
        {"mStat", 5, "-", "", false, false, ""},
        {"mStat", 6, "&Session Statistics", "SessionStat", false, false, ""},
        {"mCust", 1, "Toolbar", "Toolbar", true, false, ""},
        {"mCust", 2, "-", "", false, false, ""},
        {"mCust", 3, "Sounds", "Sounds", true, true, ""},
        {"mCust", 4, "Animation", "Animation", false, false, ""},
        {"mCust", 5, "-", "", false, false, ""},
        {"mCust", 6, "Background", "Background", true, true, "Ctrl+D"},
        {"mCust", 7, "-", "", false, false, ""},
        {"mCust", 8, "Card Deck", "Deck", false, false, ""},
        {"mTools", 1, "&Players", "Players", true, true, "Ctrl+L"},
        {"mTools", 2, "AutoSave", "AutoSave", true, true, ""},
        {"mTools", 3, "-", "", false, false, ""},
        {"mTools", 4, "Hot Games ", "Hot", true, true, ""},
        {"mTools", 5, "&Game History", "History", true, true, "Ctrl+H"},
        {"mTools", 6, "-", "", false, false, ""},
        {"mTools", 7, "Options", "Options", true, true, ""},
        {"mTools", 8, "-", "", false, false, ""},
        {"mTools", 9, "Game Editor", "Editor", true, true, ""},
        {"mTools", 10, "-", "", false, false, ""},
        {"mTools", 11, "New Game Wizard", "Wizard", true, true, ""},
        {"mHelp", 1, "Rules", "Rules", true, true, "F1"},
        {"mHelp", 2, "Contents", "Contents", true, true, ""},
        {"mHelp", 3, "-", "", false, false, ""},
        {"mHelp", 4, "About...", "About", false, false, ""},
    };
    return items;
}

QString ItemKey(const MenuItemDef &item)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(item.menu)).arg(item.index);
}

const QStringList &ImageKeys()
{
    static const QStringList keys = {
        QStringLiteral("FOLDER"),   QStringLiteral("FILE"),       QStringLiteral("Q1"),
        QStringLiteral("New"),      QStringLiteral("Select"),     QStringLiteral("Restart"),
        QStringLiteral("Open"),     QStringLiteral("Save"),       QStringLiteral("UndoAll"),
        QStringLiteral("Undo"),     QStringLiteral("Redo"),       QStringLiteral("RedoAll"),
        QStringLiteral("AutoPlay"), QStringLiteral("Pause"),      QStringLiteral("Back"),
        QStringLiteral("Stop"),     QStringLiteral("Forward"),    QStringLiteral("MovesMan"),
        QStringLiteral("AddFav"),   QStringLiteral("OrgFav"),     QStringLiteral("AddPend"),
        QStringLiteral("OrgPend"),  QStringLiteral("HighScore"),  QStringLiteral("GameStat"),
        QStringLiteral("Sounds"),   QStringLiteral("Background"), QStringLiteral("Players"),
        QStringLiteral("AutoSave"), QStringLiteral("Hot"),        QStringLiteral("History"),
        QStringLiteral("Options"),  QStringLiteral("Rules"),      QStringLiteral("Contents"),
        QStringLiteral("Recent"),   QStringLiteral("Toolbar"),    QStringLiteral("Wizard"),
        QStringLiteral("Editor"),
    };
    return keys;
}

std::int16_t GetMenuImageIndex(const QString &key)
{
    return static_cast<std::int16_t>(ImageKeys().indexOf(key) + 1);
}

void InitMenuItems(Context &ctx)
{
    kMenu &menu = ctx.menu();
    menu.setImageList(MenuImages::ImageList(), ImageKeys());
    for (const MenuItemDef &item : Items()) {
        if (item.icon)
            menu.setItemIcon(ItemKey(item), GetMenuImageIndex(QLatin1String(item.key)) - 1);
    }
}

bool CommandAvailable(const QString &key)
{
    static const QStringList later;
    return !later.contains(key);
}

MenuState UpdateMenuState(Context &ctx, bool replayRunning, bool stopEnabled)
{
    const cGamePlay &session = ctx.gamePlay();
    const cEngine &engine = ctx.engine();
    const bool p = session.Game_Status() == cGamePlay::Playing;
    const bool g = session.Game_Status() != cGamePlay::NoGame;
    const bool r = !replayRunning;
    const bool u = engine.UndoPossible();
    const bool d = engine.RedoPossible();
    const bool m = engine.MoveStarted();

    MenuState s;
    s.enabled.insert(QStringLiteral("Restart"), p);
    s.enabled.insert(QStringLiteral("Save"), p);
    s.enabled.insert(QStringLiteral("Pause"), p);
    s.enabled.insert(QStringLiteral("Close"), g);
    s.enabled.insert(QStringLiteral("Undo"), u && r && g);
    s.enabled.insert(QStringLiteral("Redo"), d && r && g);
    s.enabled.insert(QStringLiteral("UndoAll"), u && r && g);
    s.enabled.insert(QStringLiteral("RedoAll"), d && r && g);
    s.enabled.insert(QStringLiteral("Forward"), d && r && g);
    s.enabled.insert(QStringLiteral("Back"), u && r && g);
    s.enabled.insert(QStringLiteral("ReplayAll"), m && r && g);
    s.enabled.insert(QStringLiteral("MovesMan"), m && r && g);
    s.enabled.insert(QStringLiteral("Stop"), stopEnabled);
    s.enabled.insert(QStringLiteral("AddFav"), g);
    s.enabled.insert(QStringLiteral("AddPend"), p);
    s.enabled.insert(QStringLiteral("History"), m && r && g);
    s.enabled.insert(QStringLiteral("AutoPlay"), !ctx.games().DisAutoPlay());
    s.autoPlayChecked = mOptions::GetAutoPlay(ctx) != 0;
    s.viewToolbarChecked = mOptions::GetShowToolbar(ctx) != 0;
    // The pause mark follows the session, which a new game or a cleared table unpauses.
    s.pauseChecked = session.PauseStatus();
    for (const MenuItemDef &item : Items()) {
        const QString key = QLatin1String(item.key);
        if (!key.isEmpty() && !CommandAvailable(key))
            s.enabled.insert(key, false);
    }
    return s;
}

} // namespace mMenu
