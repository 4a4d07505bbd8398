// TPracticeSupply: practice positions made ahead on a thread of their own, a few of each
// technique (1..9) kept ready, so that taking one never waits for the maker.
//
// The worker makes the preferred technique's positions first while it has fewer than its share
// ready, else those of the technique with the fewest ready (the lowest technique among equals),
// and sleeps while every technique has its share. Its generator is its own, seeded once at
// construction: the worker never touches the program's generator, and one seed makes the same
// positions in the same order as long as nothing is taken. Destroying the supply stops the
// worker, also in the middle of a position (the maker checks the stop on its way), and waits for
// it.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "logic/practice_position.h"
#include "logic/random.h"

class TPracticeSupply final : public TPracticeSource {
  public:
    // Makes one position of the technique, or nothing when stopped; MakePracticePosition unless
    // a test puts in its own.
    using TMaker =
        std::function<std::optional<TPracticePosition>(int technique, TRandom&, std::stop_token)>;

    static constexpr int kReadyPerTechnique = 3;

    explicit TPracticeSupply(std::uint64_t seed, TMaker maker = {},
                             int readyPerTechnique = kReadyPerTechnique);
    ~TPracticeSupply() override;
    TPracticeSupply(const TPracticeSupply&) = delete;
    TPracticeSupply& operator=(const TPracticeSupply&) = delete;

    // The oldest ready position of the technique; nothing when none is ready or the technique
    // is outside 1..9. Holds the lock only to take it out.
    std::optional<TPracticePosition> Take(int technique) override;
    // From now on the technique's positions come first; outside 1..9: no technique does.
    void Prefer(int technique) override;

    int ReadyCount(int technique) const;

  private:
    void Work(std::stop_token stop);
    // The technique to make next, or 0 when every technique has its share. Under the lock.
    int NextTechnique() const;

    const TMaker maker_;
    const int share_;
    TRandom random_;  // the worker's alone
    mutable std::mutex mutex_;
    std::condition_variable_any wake_;
    std::array<std::deque<TPracticePosition>, 10> ready_;  // by technique; 0 unused
    int preferred_ = 0;
    // Last: it starts when everything above is there, and is stopped and joined first.
    std::jthread worker_;
};
