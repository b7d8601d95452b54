#include "shell/m_Main.h"

#include <QDateTime>

#include "appearance/mCustomize.h"
#include "library/mPending.h"
#include "library/mRecent.h"
#include "platform/Guard.h"
#include "shell/Context.h"
#include "shell/cGamePlay.h"
#include "store/cData.h"
#include "store/mFile.h"
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
    ignoreErrors([&] { mRecent::RefreshRecentMenus(ctx); });
    ignoreErrors([&] { mPending::BuildPendMenu(ctx); });
    ignoreErrors([&] { mCustomize::SetWallpaperTimer(ctx); });
    ignoreErrors([&] {
        std::int16_t mode = 5;
        ignoreErrors([&] { mode = mCustomize::GetWPTimerValue(ctx); });
        if (mode == 5)
            mCustomize::ChangeBackground(ctx);
    });
}

void ShutDown(Context &ctx)
{
    ctx.gamePlay().Unload();
    ctx.help().closeAll();
}

} // namespace m_Main
