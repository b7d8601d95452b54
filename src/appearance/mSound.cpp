#include "appearance/mSound.h"

#include "platform/SoundPlayer.h"
#include "app/Context.h"

namespace mSound {

std::int32_t PlayWave(Context &ctx, const QString &path)
{
    ISoundPlayer &player = ctx.soundPlayer();
    // A sound still playing is never cut: the new one is dropped. The check comes before
    // the stop commands, which only clear what is left of a sound that has ended.
    if (player.isPlaying())
        return 0;
    StopAll(ctx);
    return player.play(path) ? 1 : 0;
}

void StopAll(Context &ctx)
{
    StopWav(ctx);
    StopMidi(ctx);
}

std::int32_t StopWav(Context &ctx)
{
    ctx.soundPlayer().stop();
    return 0;
}

std::int32_t StopMidi(Context &ctx)
{
    // There is one player for every kind of sound; stopping it again is harmless.
    ctx.soundPlayer().stop();
    return 0;
}

} // namespace mSound
