// The unfinished-game flag, the title of a file and the win check (the name tables
// shown in lists and editors are in engine/mGenNames.h). Plain functions: nothing is
// kept between calls.
#pragma once

#include <QString>
#include <cstdint>

#include "engine/mGenNames.h"

class Context;

namespace mGen {
// "General" / "UnFin": 1 when the last session left its game in the unfinished-game file.
// A damaged value (anything but 0 or 1: text, a number out of range) reads as 0 and sets *damaged, so the next
// setting of the flag writes the right value over it.
std::int16_t GetUnFinFlag(Context &ctx, bool *damaged = nullptr);
void SetUnFinFlag(Context &ctx, std::int16_t value);

// Stops the main window's forward and backward replay.
void StopReplay(Context &ctx);

// The win check after a move: true when a game is being played, not yet marked won,
// and every card of its layout is on the foundations. The session marks the win; the
// main window opens the win dialog once the winning move has returned.
bool CheckGameWon(Context &ctx);

// The name of the existing file at the path without its last four characters (its
// extension with the dot): ".../Bouquet-617.qx1" gives "Bouquet-617". Raises the
// file-not-found error when no file is there.
QString GetFileTitle(const QString &path);
} // namespace mGen
