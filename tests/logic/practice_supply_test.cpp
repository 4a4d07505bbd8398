// The practice supply: taking never waits for the maker, what is taken is made again, the
// preferred technique comes first, and the supply goes promptly when destroyed, also in the
// middle of a slow position. Most cases hold the maker at a gate of the test's own, so what the
// worker does next is known; two run the real maker.
//
// No case measures speed: waits have generous bounds and only guard against a hang.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

#include "logic/practice_positions.h"
#include "logic/practice_supply.h"
#include "logic/random.h"

namespace {

using namespace std::chrono_literals;

// Far longer than anything here takes: reaching it means a hang.
constexpr auto kHang = 60s;

// Polls until the condition holds or the bound passes; whether it held.
template <typename Condition>
bool Eventually(Condition condition) {
    const auto end = std::chrono::steady_clock::now() + kHang;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A maker that waits at a gate for each position: the test lets positions through one by one
// and sees which techniques were asked for. A stop lets it go empty-handed.
class TGate {
  public:
    TPracticeSupply::TMaker Maker() {
        return [this](int technique, TRandom&, std::stop_token stop) {
            std::unique_lock lock(mutex_);
            asked_.push_back(technique);
            changed_.notify_all();
            if (!changed_.wait(lock, stop, [&] { return open_ > 0; })) return NoPosition();
            --open_;
            return std::optional(TPracticePosition{technique, std::string(81, '0'), {}, technique});
        };
    }
    void Let(int positions) {
        const std::lock_guard lock(mutex_);
        open_ += positions;
        changed_.notify_all();
    }
    // The techniques asked for so far, once `count` have been asked for.
    std::vector<int> Asked(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kHang, [&] { return asked_.size() >= count; });
        return asked_;
    }

  private:
    static std::optional<TPracticePosition> NoPosition() { return std::nullopt; }

    std::mutex mutex_;
    std::condition_variable_any changed_;
    int open_ = 0;
    std::vector<int> asked_;
};

// The supply is destroyed on another thread, so that a hang fails the case instead of
// stopping the run.
void ExpectPromptDestruction(std::unique_ptr<TPracticeSupply> supply) {
    auto destroyed =
        std::async(std::launch::async, [supply = std::move(supply)]() mutable { supply.reset(); });
    EXPECT_EQ(destroyed.wait_for(kHang), std::future_status::ready);
}

TEST(PracticeSupply, TakeDoesNotWaitForTheMakerAndWhatIsTakenIsMadeAgain) {
    TGate gate;
    auto supply = std::make_unique<TPracticeSupply>(1, gate.Maker(), 2);
    // The worker is held making the first position: taking answers at once, with nothing.
    ASSERT_EQ(gate.Asked(1), std::vector<int>{1});
    auto taken = std::async(std::launch::async, [&] { return supply->Take(1); });
    ASSERT_EQ(taken.wait_for(kHang), std::future_status::ready);
    EXPECT_FALSE(taken.get());

    // Two of each, the technique with the fewest first, then the worker rests.
    gate.Let(18);
    ASSERT_TRUE(Eventually([&] { return supply->ReadyCount(9) == 2; }));
    const std::vector<int> firstRound = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<int> expected = firstRound;
    expected.insert(expected.end(), firstRound.begin(), firstRound.end());
    EXPECT_EQ(gate.Asked(18), expected);
    for (int t = 1; t <= 9; ++t)
        EXPECT_EQ(supply->ReadyCount(t), 2) << "technique " << t;

    // Taking one makes the worker ask for that technique again.
    const std::optional<TPracticePosition> five = supply->Take(5);
    ASSERT_TRUE(five);
    EXPECT_EQ(five->Technique, 5);
    EXPECT_EQ(gate.Asked(19).back(), 5);
    EXPECT_FALSE(supply->Take(0));
    EXPECT_FALSE(supply->Take(10));
    // It goes while the worker rests, too.
    gate.Let(1);
    ASSERT_TRUE(Eventually([&] { return supply->ReadyCount(5) == 2; }));
    ExpectPromptDestruction(std::move(supply));
}

TEST(PracticeSupply, ThePreferredTechniqueIsMadeFirst) {
    TGate gate;
    TPracticeSupply supply(1, gate.Maker(), 3);
    ASSERT_EQ(gate.Asked(1), std::vector<int>{1});
    supply.Prefer(7);
    gate.Let(4);
    // The position under way is finished, then technique 7 until it has its share.
    EXPECT_EQ(gate.Asked(5), (std::vector<int>{1, 7, 7, 7, 2}));
    // Without a preference the fewest go first again.
    supply.Prefer(0);
    gate.Let(1);
    EXPECT_EQ(gate.Asked(6), (std::vector<int>{1, 7, 7, 7, 2, 3}));
}

TEST(PracticeSupply, GoesWhileTheMakerWaits) {
    TGate gate;
    auto supply = std::make_unique<TPracticeSupply>(1, gate.Maker());
    ASSERT_EQ(gate.Asked(1).size(), 1u);
    ExpectPromptDestruction(std::move(supply));
}

// The real maker, in the middle of technique 8 (the slowest): the stop ends its tries.
TEST(PracticeSupply, GoesInTheMiddleOfASlowPosition) {
    std::promise<void> started;
    auto startedOnce = std::make_shared<std::once_flag>();
    TPracticeSupply::TMaker maker = [&started, startedOnce](int technique, TRandom& random,
                                                            std::stop_token stop) {
        if (technique == 8) std::call_once(*startedOnce, [&] { started.set_value(); });
        return MakePracticePosition(technique, random, stop);
    };
    auto supply = std::make_unique<TPracticeSupply>(3, maker);
    supply->Prefer(8);
    ASSERT_EQ(started.get_future().wait_for(kHang), std::future_status::ready);
    ExpectPromptDestruction(std::move(supply));
}

// With the real maker: positions of the technique asked for, which keep its rules, made again
// once taken; one seed makes the same positions.
TEST(PracticeSupply, MakesRealPositionsAgainOnceTaken) {
    // One of each, in technique order, until something is taken.
    TPracticeSupply supply(11, {}, 1), twin(11, {}, 1);
    std::optional<TPracticePosition> first, again, twins;
    ASSERT_TRUE(Eventually([&] { return (first = supply.Take(4)).has_value(); }));
    ASSERT_TRUE(Eventually([&] { return (twins = twin.Take(4)).has_value(); }));
    EXPECT_EQ(first, twins);
    EXPECT_EQ(CheckPracticePosition(first->Puzzle, 4).Answer, first->Answer);
    ASSERT_TRUE(Eventually([&] { return (again = supply.Take(4)).has_value(); }));
    EXPECT_NE(again->Puzzle, first->Puzzle);
    EXPECT_EQ(CheckPracticePosition(again->Puzzle, 4).Answer, again->Answer);
}

}  // namespace
