#include "scores/mPlayers.h"

#include <QFile>
#include <QFileInfo>

#include "app/Context.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "library/mFavorites.h"
#include "platform/Guard.h"
#include "scores/cScore.h"
#include "store/cData.h"
#include "store/cRegistry.h"

namespace mPlayers {

namespace {

constexpr qsizetype kMaxFileNameBytes = 255;

// The slot holding the name, 0 when none does.
std::int16_t SlotOf(Context &ctx, const QString &name)
{
    for (std::int16_t slot = 1; slot <= mCustomize::kMaxPlayers; ++slot) {
        if (mCustomize::GetPlayer(ctx, slot) == name)
            return slot;
    }
    return 0;
}

void Refuse(Context &ctx, const QString &text)
{
    ctx.messages().show(text, MsgButtons::Ok, MsgIcon::Critical, ctx.data().ProdName());
}

} // namespace

QStringList PlayerList(Context &ctx)
{
    QStringList names;
    for (std::int16_t slot = 1; slot <= mCustomize::kMaxPlayers; ++slot) {
        const QString name = mCustomize::GetPlayer(ctx, slot);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

QString GetResultText(std::int16_t won)
{
    return won == 1 ? QStringLiteral("Won") : QStringLiteral("Lost");
}

void CompactPlayers(Context &ctx)
{
    const QStringList names = PlayerList(ctx);
    for (std::int16_t slot = 1; slot <= mCustomize::kMaxPlayers; ++slot) {
        const QString wanted = slot <= names.size() ? names.at(slot - 1) : QString();
        if (mCustomize::GetPlayer(ctx, slot) != wanted)
            mCustomize::SetPlayer(ctx, slot, wanted, false);
    }
}

bool IsValidName(Context &ctx, const QString &name)
{
    if (name.isEmpty() || !mFavorites::IsValidFileName(name))
        return false;
    return QFileInfo(cScore::LogPath(ctx, name)).fileName().toUtf8().size() <= kMaxFileNameBytes;
}

bool PlayerExists(Context &ctx, const QString &name)
{
    return SlotOf(ctx, name) != 0;
}

bool AddPlayer(Context &ctx, const QString &name)
{
    const std::int16_t slot = SlotOf(ctx, QString());
    if (slot == 0)
        return false;
    mCustomize::SetPlayer(ctx, slot, name, false);
    return true;
}

bool RenamePlayer(Context &ctx, const QString &oldName, const QString &newName)
{
    const std::int16_t slot = SlotOf(ctx, oldName);
    if (slot == 0)
        return false;
    const QString oldLog = cScore::LogPath(ctx, oldName);
    const QString newLog = cScore::LogPath(ctx, newName);
    // Another log under the new name would be overwritten by the move or taken over.
    if (QFileInfo::exists(newLog)) {
        Refuse(ctx, QStringLiteral("A score log of this name already exists:\n") + newLog);
        return false;
    }
    // The log moves first: a failed move leaves the player as it was, not without its log.
    const bool moved = QFileInfo::exists(oldLog);
    if (moved && !QFile::rename(oldLog, newLog))
        raiseError(err::PathFileAccess, QStringLiteral("The score log could not be renamed: ") + oldLog);
    const bool current = mCustomize::GetCurPlayer(ctx) == oldName;
    try {
        mCustomize::SetPlayer(ctx, slot, newName, false);
        try {
            if (current)
                mCustomize::SetCurPlayer(ctx, newName);
        } catch (const AppError &) {
            ignoreErrors([&] { mCustomize::SetPlayer(ctx, slot, oldName, false); });
            throw;
        }
    } catch (const AppError &e) {
        // The log follows the name the slot holds: back to the old name unless even
        // writing that back failed and the slot kept the new one.
        if (moved && mCustomize::GetPlayer(ctx, slot) == oldName && !QFile::rename(newLog, oldLog))
            raiseError(e.number(),
                       e.description() + QStringLiteral("\nThe score log stays under the new name: ") + newLog);
        throw;
    }
    return true;
}

bool DeletePlayer(Context &ctx, const QString &name)
{
    const std::int16_t slot = SlotOf(ctx, name);
    if (slot == 0 || name == mCustomize::GetCurPlayer(ctx))
        return false;
    const QString log = cScore::LogPath(ctx, name);
    if (QFileInfo::exists(log) && !QFile::remove(log))
        raiseError(err::PathFileAccess, QStringLiteral("The score log could not be deleted: ") + log);
    mCustomize::SetPlayer(ctx, slot, QString(), false);
    CompactPlayers(ctx);
    return true;
}

bool AcceptName(Context &ctx, const QString &oldName, const QString &name)
{
    if (!IsValidName(ctx, name)) {
        Refuse(ctx, QStringLiteral("Please Enter a Valid Name"));
        return false;
    }
    if (PlayerExists(ctx, name)) {
        Refuse(ctx, QStringLiteral("Player Exists !"));
        return false;
    }
    // A store that refuses the name is said so in words; the box stays for another try.
    bool accepted = false;
    ctx.registry().KeepSetting(
        [&] { accepted = oldName.isEmpty() ? AddPlayer(ctx, name) : RenamePlayer(ctx, oldName, name); },
        [&](const QString &failure) {
            Refuse(ctx, QStringLiteral("The player \"%1\" cannot be stored: %2.").arg(name, failure));
        });
    return accepted;
}

bool ShowInputDialog(Context &ctx, const QString &prompt, const QString &defaultText)
{
    const QString oldName = defaultText;
    return ctx.inputDialog().ask(prompt, defaultText,
                                 [&ctx, &oldName](const QString &name) { return AcceptName(ctx, oldName, name); });
}

} // namespace mPlayers
