#include "appearance/mCustomize.h"

#include "app/Context.h"
#include "core/AppError.h"
#include "platform/ArtLibrary.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"

namespace mCustomize {
namespace {
const QString kPlayers = QStringLiteral("Players");
const QString kAnimation = QStringLiteral("Animation");
const QString kBackGround = QStringLiteral("BackGround");
} // namespace

std::int16_t GetPlayerCount(Context &ctx)
{
    std::int16_t count = 0;
    for (std::int16_t slot = 1; slot <= kMaxPlayers; ++slot) {
        if (!GetPlayer(ctx, slot).isEmpty())
            ++count;
    }
    return count;
}

QString GetPlayer(Context &ctx, std::int16_t slot)
{
    return mRegistry::GetRegString(ctx, kPlayers, QString::number(slot), QString());
}

void SetPlayer(Context &ctx, std::int16_t slot, const QString &name, bool makeCurrent)
{
    if (slot < 1 || slot > kMaxPlayers)
        raiseError(err::Subscript);
    mRegistry::SetRegString(ctx, kPlayers, QString::number(slot), name);
    if (makeCurrent)
        SetCurPlayer(ctx, name);
}

QString GetCurPlayer(Context &ctx)
{
    return mRegistry::GetRegString(ctx, kPlayers, QStringLiteral("CurPlayer"), QString());
}

void SetCurPlayer(Context &ctx, const QString &name)
{
    mRegistry::SetRegString(ctx, kPlayers, QStringLiteral("CurPlayer"), name);
}

bool MakeCurrentOrSay(Context &ctx, const QString &name)
{
    return ctx.registry().KeepSetting(
        [&] { SetCurPlayer(ctx, name); },
        [&](const QString &failure) {
            ctx.messages().show(QStringLiteral("The player \"%1\" cannot be made current: %2.").arg(name, failure),
                                MsgButtons::Ok, MsgIcon::Exclamation);
        });
}

std::int16_t GetCardSpeed(Context &ctx)
{
    return mRegistry::GetRegInteger(ctx, kAnimation, QStringLiteral("CardSpeed"), 5);
}

std::int16_t GetUndoSpeed(Context &ctx)
{
    return mRegistry::GetRegInteger(ctx, kAnimation, QStringLiteral("UndoSpeed"), 5);
}

std::int16_t GetUndoallSpeed(Context &ctx)
{
    return mRegistry::GetRegInteger(ctx, kAnimation, QStringLiteral("UndoallSpeed"), 2);
}

std::int16_t GetReplaySpeed(Context &ctx)
{
    return mRegistry::GetRegInteger(ctx, kAnimation, QStringLiteral("ReplaySpeed"), 7);
}

void SetCardSpeed(Context &ctx, std::int16_t speed)
{
    mRegistry::SetRegInteger(ctx, kAnimation, QStringLiteral("CardSpeed"), speed);
}

void SetUndoSpeed(Context &ctx, std::int16_t speed)
{
    mRegistry::SetRegInteger(ctx, kAnimation, QStringLiteral("UndoSpeed"), speed);
}

void SetUndoallSpeed(Context &ctx, std::int16_t speed)
{
    mRegistry::SetRegInteger(ctx, kAnimation, QStringLiteral("UndoallSpeed"), speed);
}

void SetReplaySpeed(Context &ctx, std::int16_t speed)
{
    mRegistry::SetRegInteger(ctx, kAnimation, QStringLiteral("ReplaySpeed"), speed);
}

std::int16_t GetDeckIndex(Context &ctx)
{
    const std::int16_t index = mRegistry::GetRegInteger(ctx, kBackGround, QStringLiteral("DeckIndex"), kDefaultDeck);
    if (index < 1 || index > ctx.art().DeckCount())
        return kDefaultDeck;
    return index;
}

void SetDeckIndex(Context &ctx, std::int16_t index)
{
    mRegistry::SetRegInteger(ctx, kBackGround, QStringLiteral("DeckIndex"), index);
}

} // namespace mCustomize
