// Start-up and shutdown steps that do not need a window: the session's start-up steps
// and the game-keeping part of shutdown.
#pragma once

#include <QString>

class Context;

namespace m_Main {
// The start-up steps of the main window's load. The settings path is set first and its
// errors pass on; every later step runs with its errors ignored.
void InitSession(Context &ctx);
// Plays the unfinished game of the last session. When it cannot be played, the file is
// kept aside (KeepUnfinishedAside) with the reason. True when the game is on the table.
bool ResumeUnfinished(Context &ctx);
// True when the "UnFin" flag cannot be trusted: the settings file was found damaged in
// this run, or the value is not a number.
bool UnFinFlagLost(Context &ctx);
// An unfinished-game file that is not resumed is never overwritten: it is moved into the
// auto-save folder as an incomplete game (never replacing a file) and the user is told
// why and where it went. Where it cannot be moved, the session holds it for this run.
void KeepUnfinishedAside(Context &ctx, const QString &why);
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
