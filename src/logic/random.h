// The program's one random number generator.
//
// Every draw of the game (templates, shuffles, kinds, checkpoints, sound choices) comes from
// ProgramRandom(). The game seeds it from the clock once at start-up; tests and tools seed it
// with a fixed number so that what they make can be made again.
#pragma once

#include <cstdint>

class TRandom {
  public:
    explicit TRandom(std::uint64_t seed = 0) { Seed(seed); }

    void Seed(std::uint64_t seed);

    // A uniform integer from 0 to n - 1; 0 when n <= 1.
    int Below(int n);

    // A uniform integer from lo to hi, both included.
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }

    std::uint64_t Next();

  private:
    std::uint64_t state_[4]{};
};

// The generator of the program.
TRandom& ProgramRandom();

// Seeds the program's generator; with no argument, from the clock.
void SeedProgramRandom(std::uint64_t seed);
void SeedProgramRandomFromClock();
