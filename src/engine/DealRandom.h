// The deal's own pseudo-random generator: 64 bits of state, advanced only by the deal,
// so a game name and number name the same deal on every machine and in every version.
// Its arithmetic is fixed forever; tests pin the decks it gives.
//
//   mix64(z)     the splitmix64 finalizer: z ^= z >> 30; z *= 0xBF58476D1CE4E5B9;
//                z ^= z >> 27; z *= 0x94D049BB133111EB; z ^= z >> 31 (all modulo 2^64).
//   Reset(n)     state := mix64(0x6A09E667F3BCC908 ^ u(n)), u(n) the 64-bit two's
//                complement of n. The deal resets once from -10.
//   MixIn(v)     state := mix64(state ^ mix64(u(v) + 0x9E3779B97F4A7C15)). Every bit of
//                the 64-bit value takes part, so all 15 digits of a game number matter,
//                and a number given as text mixes like the same number (the deal mixes
//                GameNumber::value()). Mixing does not restart the sequence: the same
//                number mixed before each draw still gives different draws.
//   Next()       state := state + 0x9E3779B97F4A7C15; the value is the top 53 bits of
//                mix64(state) times 2^-53, so 0 <= Next() < 1.
#pragma once

#include <cstdint>

class DealRandom {
public:
    void Reset(std::int64_t n);
    void MixIn(std::int64_t value);
    double Next();

    std::uint64_t State() const { return state_; }

private:
    std::uint64_t state_ = 0;
};
