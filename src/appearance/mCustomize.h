// The user's customising settings: players (section "Players"), animation speeds
// (section "Animation"), the card back, and the table background. The background is
// painted by the table window; until it can be changed, the background operations
// keep the stored one.
#pragma once

#include <QString>
#include <cstdint>

class Context;

namespace mCustomize {
// Players: slots 1..20 of names and the current player.
constexpr std::int16_t kMaxPlayers = 20;
std::int16_t GetPlayerCount(Context &ctx);
QString GetPlayer(Context &ctx, std::int16_t slot);
void SetPlayer(Context &ctx, std::int16_t slot, const QString &name, bool makeCurrent);
QString GetCurPlayer(Context &ctx);
void SetCurPlayer(Context &ctx, const QString &name);

// Animation speeds: the steps of a card's move (0 places it at once).
std::int16_t GetCardSpeed(Context &ctx);
std::int16_t GetUndoSpeed(Context &ctx);
std::int16_t GetUndoallSpeed(Context &ctx);
std::int16_t GetReplaySpeed(Context &ctx);
void SetCardSpeed(Context &ctx, std::int16_t speed);
void SetUndoSpeed(Context &ctx, std::int16_t speed);
void SetUndoallSpeed(Context &ctx, std::int16_t speed);
void SetReplaySpeed(Context &ctx, std::int16_t speed);
// The slowest speed the dialog offers; a card move never takes more steps than this.
constexpr int kMaxSpeed = 50;

// Card back design, 1..ArtLibrary::DeckCount; anything else stored reads as 7.
constexpr std::int16_t kDefaultDeck = 7;
std::int16_t GetDeckIndex(Context &ctx);
void SetDeckIndex(Context &ctx, std::int16_t index);

// Background: paints the stored one, picks a new one, arms the change timer.
void ApplyBackground(Context &ctx);
void ChangeBackground(Context &ctx);
void SetWallpaperTimer(Context &ctx);
// "WPTimerValue": how often the background changes (4 every game, 5 every session).
std::int16_t GetWPTimerValue(Context &ctx);
} // namespace mCustomize
