#include "store/mOptions.h"

#include "store/mRegistry.h"

namespace {
std::int16_t get(Context &ctx, const char *name, std::int16_t defaultValue)
{
    return mRegistry::GetRegInteger(ctx, mOptions::kSection, QString::fromLatin1(name), defaultValue);
}

void set(Context &ctx, const char *name, std::int16_t value)
{
    mRegistry::SetRegInteger(ctx, mOptions::kSection, QString::fromLatin1(name), value);
}
} // namespace

namespace mOptions {

std::int16_t GetGameSave(Context &ctx)
{
    return get(ctx, "GameSave", 1);
}
void SetGameSave(Context &ctx, std::int16_t value)
{
    set(ctx, "GameSave", value);
}
std::int16_t GetEnableInc(Context &ctx)
{
    return get(ctx, "EnableInc", 1);
}
void SetEnableInc(Context &ctx, std::int16_t value)
{
    set(ctx, "EnableInc", value);
}
std::int16_t GetEnableFin(Context &ctx)
{
    return get(ctx, "EnableFin", 1);
}
void SetEnableFin(Context &ctx, std::int16_t value)
{
    set(ctx, "EnableFin", value);
}
std::int16_t GetShowTime(Context &ctx)
{
    return get(ctx, "ShowTime", 1);
}
void SetShowTime(Context &ctx, std::int16_t value)
{
    set(ctx, "ShowTime", value);
}
std::int16_t GetShowScore(Context &ctx)
{
    return get(ctx, "ShowScore", 1);
}
void SetShowScore(Context &ctx, std::int16_t value)
{
    set(ctx, "ShowScore", value);
}
std::int16_t GetShowMoves(Context &ctx)
{
    return get(ctx, "ShowMoves", 1);
}
void SetShowMoves(Context &ctx, std::int16_t value)
{
    set(ctx, "ShowMoves", value);
}
std::int16_t GetShowCardsLeft(Context &ctx)
{
    return get(ctx, "ShowCardsLeft", 1);
}
void SetShowCardsLeft(Context &ctx, std::int16_t value)
{
    set(ctx, "ShowCardsLeft", value);
}
std::int16_t GetRangeIndex(Context &ctx)
{
    return get(ctx, "RangeIndex", 6);
}
void SetRangeIndex(Context &ctx, std::int16_t value)
{
    set(ctx, "RangeIndex", value);
}
std::int16_t GetShowToolbar(Context &ctx)
{
    return get(ctx, "ShowToolbar", 1);
}
void SetShowToolbar(Context &ctx, std::int16_t value)
{
    set(ctx, "ShowToolbar", value);
}
std::int16_t GetAutoPlay(Context &ctx)
{
    return get(ctx, "AutoPlay", 1);
}
void SetAutoPlay(Context &ctx, std::int16_t value)
{
    set(ctx, "AutoPlay", value);
}

std::int64_t RangeLimit(int n)
{
    if (n < kMinRangeIndex || n > kMaxRangeIndex)
        return 0;
    std::int64_t limit = 1;
    for (int i = 0; i < n; ++i)
        limit *= 10;
    return limit - 1;
}

} // namespace mOptions
