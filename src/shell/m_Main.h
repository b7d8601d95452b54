// Start-up and shutdown steps that do not need a window: the session's start-up steps
// and the game-keeping part of shutdown.
#pragma once

class Context;

namespace m_Main {
// The start-up steps of the main window's load. The settings path is set first and its
// errors pass on; every later step runs with its errors ignored.
void InitSession(Context &ctx);
// The commands behind "Pause", "AutoPlay", "ViewTool" and "Rules".
void TogglePause(Context &ctx);
// Turning automatic moves on plays at once the moves the board allows.
void ToggleAutoPlay(Context &ctx);
void ToggleToolbar(Context &ctx);
// The rules of the game in play; without a running game, the help contents.
void ShowGameRules(Context &ctx);
// Keeps or ends the game of the session, then closes the help windows. The game is
// kept even when a later step fails.
void ShutDown(Context &ctx);
} // namespace m_Main
