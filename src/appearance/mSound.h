// Low-level playing of the event sounds through the context's sound player: one sound
// at a time, asynchronously. A sound that is still playing is never cut; a later
// request is dropped instead.
#pragma once

#include <QString>
#include <cstdint>

class Context;

namespace mSound {
// Starts the file playing and returns at once: non-zero when the sound started, 0 when
// it was dropped (a sound still playing) or cannot be played.
std::int32_t PlayWave(Context &ctx, const QString &path);
// StopWav, then StopMidi.
void StopAll(Context &ctx);
// The "stop wav" and "close wav" commands: stop the player; 0 for success.
std::int32_t StopWav(Context &ctx);
// The "stop midi" and "close midi" commands: stop the player; 0 for success.
std::int32_t StopMidi(Context &ctx);
} // namespace mSound
