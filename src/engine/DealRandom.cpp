#include "engine/DealRandom.h"

namespace {
constexpr std::uint64_t kResetBase = 0x6A09E667F3BCC908ULL;
constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

std::uint64_t mix64(std::uint64_t z)
{
    z ^= z >> 30;
    z *= 0xBF58476D1CE4E5B9ULL;
    z ^= z >> 27;
    z *= 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return z;
}
} // namespace

void DealRandom::Reset(std::int64_t n)
{
    state_ = mix64(kResetBase ^ static_cast<std::uint64_t>(n));
}

void DealRandom::MixIn(std::int64_t value)
{
    state_ = mix64(state_ ^ mix64(static_cast<std::uint64_t>(value) + kGolden));
}

double DealRandom::Next()
{
    state_ += kGolden;
    return static_cast<double>(mix64(state_) >> 11) * 0x1.0p-53;
}
