// The context is put together here, in the shell: creating the shared objects needs every
// one of their classes, the game session among them, which only the shell may include.
#include "app/Context.h"

#include "appearance/cSound.h"
#include "engine/DisplayList.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "scores/cScore.h"
#include "shell/cGamePlay.h"
#include "platform/kMenu.h"
#include "store/cRegistry.h"
#include "platform/ArtLibrary.h"
#include "store/cData.h"
#include "store/SavedHeaders.h"
#include "store/cFunc.h"

Context::Context(const Services &services) : services_(services), menu_(std::make_unique<kMenu>())
{
    if (!services_.help)
        services_.help = &nullHelp_;
    if (!services_.rulesWindow)
        services_.rulesWindow = &nullRules_;
    if (!services_.board)
        services_.board = &nullBoard_;
    if (!services_.soundPlayer)
        services_.soundPlayer = &silentPlayer_;
    if (!services_.surface) {
        ownSurface_ = std::make_unique<DisplayList>();
        services_.surface = ownSurface_.get();
    }
}

Context::~Context()
{
    // Reverse of start-up order.
    gPlay.reset();
    gCustom.reset();
    gSound.reset();
    gGamePlay.reset();
    gFunc.reset();
    gArtLibrary.reset();
    gRegistry.reset();
    gEngine.reset();
    gScore.reset();
    gGames.reset();
    gData.reset();
}

void Context::createSharedObjects()
{
    if (!gData)
        gData = std::make_unique<cData>(*this);
    if (!gGames)
        gGames = std::make_unique<cGames>(*this);
    if (!gScore)
        gScore = std::make_unique<cScore>(*this);
    if (!gEngine)
        gEngine = std::make_unique<cEngine>(*this);
    if (!gRegistry)
        gRegistry = std::make_unique<cRegistry>(*this);
    if (!gArtLibrary)
        gArtLibrary = std::make_unique<ArtLibrary>();
    if (!gFunc)
        gFunc = std::make_unique<cFunc>(*this);
    if (!gGamePlay)
        gGamePlay = std::make_unique<cGamePlay>(*this);
    if (!gSound)
        gSound = std::make_unique<cSound>(*this);
    if (!gCustom)
        gCustom = std::make_unique<cCustom>(*this);
    if (!gPlay)
        gPlay = std::make_unique<cPlay>(*this);
}

IBoardInfo &Context::board() const
{
    if (services_.board != &nullBoard_)
        return *services_.board;
    if (gPlay)
        return *gPlay;
    return *services_.board;
}

SavedHeaders &Context::savedHeaders() const
{
    if (!savedHeaders_)
        savedHeaders_ = std::make_unique<SavedHeaders>();
    return *savedHeaders_;
}

ISessionInfo &Context::session() const
{
    if (services_.session)
        return *services_.session;
    if (gGamePlay)
        return *gGamePlay;
    return nullSession_;
}
