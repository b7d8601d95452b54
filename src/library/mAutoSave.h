// Automatic saves of ended games into the auto-save folder. Until they are written,
// an ended game leaves no auto-saved file.
#pragma once

class Context;

namespace mAutoSave {
// Saves the game in play as a finished (won) or an incomplete game.
void AutoSaveGame(Context &ctx, bool finished);
} // namespace mAutoSave
