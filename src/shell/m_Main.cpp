#include "shell/m_Main.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "appearance/mCustomize.h"
#include "appearance/cSound.h"
#include "core/AppError.h"
#include "engine/cPlay.h"
#include "library/mAutoSave.h"
#include "library/mFavorites.h"
#include "library/mPending.h"
#include "library/mRecent.h"
#include "platform/Guard.h"
#include "app/Context.h"
#include "shell/cGamePlay.h"
#include "shell/mGen.h"
#include "store/cData.h"
#include "store/mReg.h"
#include "store/mFile.h"
#include "store/cRegistry.h"
#include "store/mOptions.h"
#include "store/mRegistry.h"

namespace m_Main {

void InitSession(Context &ctx)
{
    mRegistry::InitRegPath(ctx);
    ignoreErrors([&] { ctx.data().RemoveLeftoverWrites(); });
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
    ignoreErrors([&] {
        // A test that fails with an error counts as "not registered".
        bool registered = false;
        ignoreErrors([&] {
            const cData &data = ctx.data();
            registered = !mReg::GetClassDefault(ctx, data.IncExt()).isEmpty() &&
                         !mReg::GetClassDefault(ctx, data.FinExt()).isEmpty();
        });
        if (!registered)
            mReg::RegisterFileTypes(ctx);
    });
}

bool ResumeUnfinished(Context &ctx)
{
    cGamePlay &session = ctx.gamePlay();
    QString why;
    try {
        session.PlayFile(ctx.data().UnFinFile(), false);
    } catch (const AppError &e) {
        why = e.description();
    } catch (const std::exception &e) {
        why = QString::fromLocal8Bit(e.what());
    }
    if (why.isEmpty() && session.Game_Status() != cGamePlay::NoGame)
        return true;
    KeepUnfinishedAside(ctx, why.isEmpty() ? QStringLiteral("no game reached the table") : why);
    return false;
}

bool UnFinFlagLost(Context &ctx)
{
    bool damaged = false;
    ignoreErrors([&] { mGen::GetUnFinFlag(ctx, &damaged); });
    bool unreadable = false;
    ignoreErrors(
        [&] { unreadable = mRegistry::RegValueDamaged(ctx, QStringLiteral("General"), QStringLiteral("UnFin")); });
    return damaged || unreadable || ctx.registry().SettingsLost();
}

void KeepUnfinishedAside(Context &ctx, const QString &why)
{
    const QString file = ctx.data().UnFinFile();
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink())
        return;
    QString text = QStringLiteral("The unfinished game of the last session could not be resumed: %1").arg(why);
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    // A FIFO, a folder or a dangling link holds no game to keep: the user hears that the
    // game is gone before the next save takes its place.
    if (!info.isFile()) {
        text += QStringLiteral("\r\n\"%1\" is not a regular file, so no game could be kept from it.")
                    .arg(QDir::toNativeSeparators(file));
        if (!info.isDir())
            text += QStringLiteral(" The game of this session is saved in its place.");
        ctx.messages().show(text, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    try {
        const QString kept = mAutoSave::KeepAsIncomplete(ctx, file);
        text += QStringLiteral("\r\nIt has been kept as \"%1\".").arg(QDir::toNativeSeparators(kept));
        ignoreErrors([&] { mGen::SetUnFinFlag(ctx, 0); });
    } catch (const AppError &e) {
        // Left where it is, it must outlive this session: nothing is saved over it.
        ctx.gamePlay().HoldUnfinishedFile();
        text += QStringLiteral("\r\nIt stays as \"%1\" and no game is saved over it in this session (%2).")
                    .arg(QDir::toNativeSeparators(file), e.description());
    }
    ctx.messages().show(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

void TogglePause(Context &ctx)
{
    cGamePlay &session = ctx.gamePlay();
    session.PauseGame(!session.PauseStatus());
    ctx.sound().PauseGame();
}

// A toggle whose setting cannot be written is reported once; the command itself goes on.
void ToggleAutoPlay(Context &ctx)
{
    const bool wasOn = mOptions::GetAutoPlay(ctx) == 1;
    ctx.registry().KeepSetting([&] { mOptions::SetAutoPlay(ctx, wasOn ? 0 : 1); });
    if (!wasOn)
        ctx.play().AutoMoveCheck();
}

void ToggleToolbar(Context &ctx)
{
    ctx.registry().KeepSetting([&] { mOptions::SetShowToolbar(ctx, mOptions::GetShowToolbar(ctx) == 1 ? 0 : 1); });
}

void ShowGameRules(Context &ctx)
{
    const cGamePlay &session = ctx.gamePlay();
    // The rules of the board on the table, even when its name no longer loads (a saved
    // game whose studio game was deleted) or names another definition by now.
    if (session.Game_Running()) {
        if (const std::optional<GameDefinition> definition = session.BoardDefinition())
            ctx.data().ShowRules(*definition, 0);
        else
            ctx.data().ShowRules(session.GameName(), 0);
    } else
        ctx.data().ShowContents();
}

void ShutDown(Context &ctx)
{
    ctx.gamePlay().Unload();
    ctx.help().closeAll();
}

} // namespace m_Main
