// A practice source of the tests' own: the worked example of each technique, disguised anew for
// every position taken (so the next position differs), each one checked as the position maker's
// would be: the board's answer search names its answer and the explanation needs the technique.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

#include "board/board.h"
#include "logic/explanation.h"
#include "logic/practice_position.h"
#include "logic/random.h"
#include "logic/technique_examples.h"
#include "logic/templates.h"

// The example of the technique in its n-th disguise (n = 0: as stored), or nothing when that
// disguise lets the answer search name another move than one needing the technique.
inline std::optional<TPracticePosition> ExamplePosition(int technique, int n = 0) {
    std::string puzzle = WorkedExample(technique).Position;
    if (n > 0) {
        TRandom random(static_cast<std::uint64_t>(1000 * technique + n));
        DisguisePuzzleText(puzzle, [&random](int below) { return random.Below(below); });
    }
    TBoard board;
    board.LayOutPuzzle(puzzle);
    const std::optional<TFoundAnswer> found = board.FindAnswer();
    if (!found || Explain(board.Matrix(), found->Move).Technique() != technique)
        return std::nullopt;
    return TPracticePosition{technique, puzzle, found->Move, found->Technique};
}

class TFakePracticeSource final : public TPracticeSource {
  public:
    // Handed out first, whatever the technique asked for.
    std::deque<TPracticePosition> Queued;
    // Without it, nothing but the queued positions is ready.
    bool Ready = true;
    std::vector<int> Taken;
    std::vector<int> Preferred;

    std::optional<TPracticePosition> Take(int technique) override {
        Taken.push_back(technique);
        if (!Queued.empty()) {
            TPracticePosition position = Queued.front();
            Queued.pop_front();
            return position;
        }
        if (!Ready) return std::nullopt;
        // The next honest disguise.
        for (int tries = 0; tries < 50; ++tries)
            if (std::optional<TPracticePosition> position = ExamplePosition(technique, ++made_))
                return position;
        ADD_FAILURE() << "no honest disguise of the example of technique " << technique;
        return std::nullopt;
    }
    void Prefer(int technique) override { Preferred.push_back(technique); }

  private:
    int made_ = 0;
};
