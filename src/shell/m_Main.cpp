#include "shell/m_Main.h"

#include <QDateTime>

#include "appearance/mCustomize.h"
#include "appearance/cSound.h"
#include "engine/cPlay.h"
#include "library/mFavorites.h"
#include "library/mPending.h"
#include "library/mRecent.h"
#include "platform/Guard.h"
#include "app/Context.h"
#include "shell/cGamePlay.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "store/mOptions.h"
#include "store/mRegistry.h"

namespace m_Main {

void InitSession(Context &ctx)
{
    mRegistry::InitRegPath(ctx);
    ignoreErrors([&] { mCustomize::ApplyBackground(ctx); });
    ignoreErrors([&] { ctx.data().setSesStartTime(mFile::FormatDate(QDateTime::currentDateTime())); });
    ignoreErrors([&] {
        // A failing count is taken as "no player", so a first player still exists.
        std::int16_t count = 0;
        ignoreErrors([&] { count = mCustomize::GetPlayerCount(ctx); });
        if (count == 0)
            mCustomize::SetPlayer(ctx, 1, QStringLiteral("Player1"), true);
    });
    ignoreErrors([&] { mFavorites::BuildFavMenu(ctx); });
    ignoreErrors([&] { mRecent::RefreshRecentMenus(ctx); });
    ignoreErrors([&] { mPending::BuildPendMenu(ctx); });
    ignoreErrors([&] { ctx.mainWindow().InitMenuItems(); });
    ignoreErrors([&] { ctx.mainWindow().ApplyToolbar(); });
    ignoreErrors([&] { mCustomize::SetWallpaperTimer(ctx); });
    ignoreErrors([&] {
        std::int16_t mode = 5;
        ignoreErrors([&] { mode = mCustomize::GetWPTimerValue(ctx); });
        if (mode == 5)
            mCustomize::ChangeBackground(ctx);
    });
}

void TogglePause(Context &ctx)
{
    cGamePlay &session = ctx.gamePlay();
    session.PauseGame(!session.PauseStatus());
    ctx.sound().PauseGame();
}

void ToggleAutoPlay(Context &ctx)
{
    if (mOptions::GetAutoPlay(ctx) == 1) {
        mOptions::SetAutoPlay(ctx, 0);
        return;
    }
    mOptions::SetAutoPlay(ctx, 1);
    ctx.play().AutoMoveCheck();
}

void ToggleToolbar(Context &ctx)
{
    mOptions::SetShowToolbar(ctx, mOptions::GetShowToolbar(ctx) == 1 ? 0 : 1);
}

void ShowGameRules(Context &ctx)
{
    const cGamePlay &session = ctx.gamePlay();
    if (session.Game_Running())
        ctx.data().ShowRules(session.GameName(), 0);
    else
        ctx.data().ShowContents();
}

void ShutDown(Context &ctx)
{
    ctx.gamePlay().Unload();
    ctx.help().closeAll();
}

} // namespace m_Main
