// The user options: ten on/off and range values in the settings section "Options".
// Each getter answers its default when the value was never stored and writes nothing;
// each setter stores at once. On/off values hold 1 for on and 0 for off.
#pragma once

#include <QString>
#include <cstdint>

class Context;

namespace mOptions {
// The section every option lives in.
inline const QString kSection = QStringLiteral("Options");

// Save the game in play as the unfinished game at shutdown (default 1).
std::int16_t GetGameSave(Context &ctx);
void SetGameSave(Context &ctx, std::int16_t value);
// Auto-save lost and unfinished games (default 1).
std::int16_t GetEnableInc(Context &ctx);
void SetEnableInc(Context &ctx, std::int16_t value);
// Auto-save won games (default 1).
std::int16_t GetEnableFin(Context &ctx);
void SetEnableFin(Context &ctx, std::int16_t value);
// Caption items (default 1 each).
std::int16_t GetShowTime(Context &ctx);
void SetShowTime(Context &ctx, std::int16_t value);
std::int16_t GetShowScore(Context &ctx);
void SetShowScore(Context &ctx, std::int16_t value);
std::int16_t GetShowMoves(Context &ctx);
void SetShowMoves(Context &ctx, std::int16_t value);
std::int16_t GetShowCardsLeft(Context &ctx);
void SetShowCardsLeft(Context &ctx, std::int16_t value);
// Digits of the largest random game number, 1 to 15 (default 6): the range is 10^n - 1.
std::int16_t GetRangeIndex(Context &ctx);
void SetRangeIndex(Context &ctx, std::int16_t value);
// The toolbar is shown (default 1).
std::int16_t GetShowToolbar(Context &ctx);
void SetShowToolbar(Context &ctx, std::int16_t value);
// Automatic moves to the foundations (default 1).
std::int16_t GetAutoPlay(Context &ctx);
void SetAutoPlay(Context &ctx, std::int16_t value);

// The range limits RangeIndex may name.
constexpr std::int16_t kMinRangeIndex = 1;
constexpr std::int16_t kMaxRangeIndex = 15;
// 10^n - 1, the largest random game number of range index n; 0 outside 1..15.
std::int64_t RangeLimit(int n);
} // namespace mOptions
