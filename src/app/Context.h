// The one place the shared objects live. Start-up creates them in a fixed order and
// they are destroyed in reverse; objects reach each other only through the context,
// and every test builds its own context with fakes where it needs them.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Clock.h"
#include "platform/DesktopTools.h"
#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"
#include "platform/InputDialog.h"
#include "platform/MessageBox.h"
#include "platform/ShellFolders.h"
#include "platform/SoundPlayer.h"
#include "app/Seams.h"

class cData;
class cGames;
class cRegistry;
class ArtLibrary;
class cFunc;
class cSound;
class cCustom;
class cEngine;
class cPlay;
class cScore;
class cGamePlay;
class CardSurface;
class DisplayList;
class kMenu;
class SavedHeaders;

// The outside services a context is given; none of them is owned by it.
struct Services {
    IMessageBox *messages = nullptr;
    IShellFolders *shellFolders = nullptr;
    IHelpViewer *help = nullptr;
    IRulesWindow *rulesWindow = nullptr;
    ISessionInfo *session = nullptr;
    IBoardInfo *board = nullptr;
    ISoundPlayer *soundPlayer = nullptr;
    // The file dialogs; without them every dialog is cancelled.
    IFileDialog *fileDialogs = nullptr;
    // The desktop's database tools; without them none is run.
    IDesktopTools *desktopTools = nullptr;
    // The board's pictures; without one the context keeps its own display list.
    CardSurface *surface = nullptr;
    // The clock; without one the system clock.
    IClock *clock = nullptr;
    // The one-line input box; without one every box is cancelled.
    IInputDialog *inputDialog = nullptr;
};

class Context {
public:
    explicit Context(const Services &services);
    ~Context();
    Context(const Context &) = delete;
    Context &operator=(const Context &) = delete;

    IMessageBox &messages() const { return *services_.messages; }
    IShellFolders &shellFolders() const { return *services_.shellFolders; }
    IHelpViewer &help() const { return *services_.help; }
    IRulesWindow &rulesWindow() const { return *services_.rulesWindow; }
    // The session: the one given in the services, else gGamePlay once it exists, else a
    // session without a game.
    ISessionInfo &session() const;
    // The main window as the session sees it; a window that only keeps states until the
    // real one is set.
    IMainWindow &mainWindow() const { return *mainWindow_; }
    void setMainWindow(IMainWindow *window) { mainWindow_ = window ? window : &nullWindow_; }
    // The menu-icon control of the main window: its dynamic items live here.
    kMenu &menu() const { return *menu_; }
    // The board as the layout reads it: the board given in the services, else gPlay
    // once it exists, else a board without face-down cards.
    IBoardInfo &board() const;
    ISoundPlayer &soundPlayer() const { return *services_.soundPlayer; }
    IFileDialog &fileDialogs() const { return services_.fileDialogs ? *services_.fileDialogs : nullFileDialogs_; }
    CardSurface &surface() const { return *services_.surface; }
    IDesktopTools &desktopTools() const { return services_.desktopTools ? *services_.desktopTools : nullTools_; }
    IInputDialog &inputDialog() const { return services_.inputDialog ? *services_.inputDialog : nullInput_; }
    const IClock &clock() const
    {
        return services_.clock ? *services_.clock : static_cast<const IClock &>(systemClock_);
    }

    // Creates every shared object that is not created yet, in start-up order.
    void createSharedObjects();

    // The shared objects, declared in start-up order so that they are destroyed in reverse.
    std::unique_ptr<cData> gData;
    std::unique_ptr<cGames> gGames;
    std::unique_ptr<cScore> gScore;
    std::unique_ptr<cEngine> gEngine;
    std::unique_ptr<cRegistry> gRegistry;
    std::unique_ptr<ArtLibrary> gArtLibrary;
    std::unique_ptr<cFunc> gFunc;
    std::unique_ptr<cGamePlay> gGamePlay;
    std::unique_ptr<cSound> gSound;
    std::unique_ptr<cCustom> gCustom;
    std::unique_ptr<cPlay> gPlay;

    // The game selection's last choice, kept for the run: category key, game name, entry key.
    QString gSelectCategory;
    QString gSelectGameName;
    QString gSelectNodeKey;

    // The screen's size in twips, taken once at start-up.
    std::int32_t gScreenWidth = 0;
    std::int32_t gScreenHeight = 0;

    cData &data() const { return *gData; }
    cGames &games() const { return *gGames; }
    cScore &score() const { return *gScore; }
    cGamePlay &gamePlay() const { return *gGamePlay; }
    cEngine &engine() const { return *gEngine; }
    cRegistry &registry() const { return *gRegistry; }
    ArtLibrary &art() const { return *gArtLibrary; }
    cFunc &func() const { return *gFunc; }
    cSound &sound() const { return *gSound; }
    cCustom &custom() const { return *gCustom; }
    cPlay &play() const { return *gPlay; }
    // The saved-game headers read in this run, made on first use.
    SavedHeaders &savedHeaders() const;

private:
    Services services_;
    NullHelpViewer nullHelp_;
    NullRulesWindow nullRules_;
    mutable NullSessionInfo nullSession_;
    NullBoardInfo nullBoard_;
    NullMainWindow nullWindow_;
    IMainWindow *mainWindow_ = &nullWindow_;
    SilentSoundPlayer silentPlayer_;
    SystemClock systemClock_;
    mutable NullFileDialog nullFileDialogs_;
    mutable NullDesktopTools nullTools_;
    mutable NullInputDialog nullInput_;
    std::unique_ptr<DisplayList> ownSurface_;
    std::unique_ptr<kMenu> menu_;
    mutable std::unique_ptr<SavedHeaders> savedHeaders_;
};
