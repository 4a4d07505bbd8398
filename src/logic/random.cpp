// xoshiro256** with splitmix64 seeding: small, fast and the same on every platform, so a seed
// given to a tool makes the same puzzles everywhere.
#include "logic/random.h"

#include <chrono>

namespace {

std::uint64_t SplitMix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t RotateLeft(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

void TRandom::Seed(std::uint64_t seed) {
    for (auto& word : state_)
        word = SplitMix64(seed);
}

std::uint64_t TRandom::Next() {
    const std::uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = RotateLeft(state_[3], 45);
    return result;
}

int TRandom::Below(int n) {
    if (n <= 1) return 0;
    // Rejection keeps every value equally likely.
    const std::uint64_t range = static_cast<std::uint64_t>(n);
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    std::uint64_t x;
    do {
        x = Next();
    } while (x >= limit);
    return static_cast<int>(x % range);
}

TRandom& ProgramRandom() {
    static TRandom generator(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    return generator;
}

void SeedProgramRandom(std::uint64_t seed) {
    ProgramRandom().Seed(seed);
}

void SeedProgramRandomFromClock() {
    SeedProgramRandom(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}
