// Soundness against an exact solver: on positions cut from random solved grids, every move a
// technique reports is the grid's digit, and every elimination keeps the grid's digit as a
// candidate. The walk goes on playing what the techniques find, so they are checked on
// mid-game positions with eliminations behind them too.
#include <gtest/gtest.h>

#include <bit>
#include <optional>
#include <string>

#include "logic/matrix.h"
#include "logic/position_text.h"
#include "logic/random.h"
#include "support/grid_solver.h"
#include "support/known_positions.h"

namespace {

using testgrid::TGrid;

struct TFound {
    int moves[10] = {};         // by level; 0 = the combined search
    int eliminations[10] = {};  // calls that removed something, by level
};

class TSoundnessWalk {
  public:
    TSoundnessWalk(const TGrid& solution, TFound& found) : solution_(solution), found_(found) {}

    void CheckMove(const TMatrix& m, const std::optional<TMove>& move, int level) {
        if (!move) return;
        ++found_.moves[level];
        const int i = move->Col + 9 * move->Row;
        EXPECT_EQ(m.ValueAt(i), 0) << "level " << level << " " << PositionText(m);
        EXPECT_EQ(move->Digit, solution_[i]) << "level " << level << " at " << move->Col << ","
                                             << move->Row << " in " << PositionText(m);
    }

    // Applies an elimination to a copy and checks that the grid's digits all survive.
    template <typename Apply>
    TMatrix CheckElimination(const TMatrix& m, int level, Apply apply) {
        TMatrix copy = m;
        if (apply(copy)) ++found_.eliminations[level];
        for (int i = 0; i < 81; ++i) {
            if (copy.ValueAt(i) != 0) continue;
            EXPECT_TRUE(copy.CandidatesAt(i) & (1 << (solution_[i] - 1)))
                << "level " << level << " removed " << solution_[i] << " at " << i % 9 << ","
                << i / 9 << " in " << PositionText(m);
        }
        EXPECT_NE(copy.GetState(), msContradiction) << "level " << level;
        return copy;
    }

    void CheckEverything(const TMatrix& m) {
        CheckMove(m, m.FindJustOneEmptyCell(), 1);
        for (int d = 1; d <= 9; ++d)
            CheckMove(m, m.FindOnlyOnePlaceLeft(d), 2);
        CheckMove(m, m.FindOnlyMissingNumber(), 3);
        CheckMove(m, m.FindAnyForcedMove(), 0);
        CheckMove(m, m.FindKeepOff(), 7);
        CheckMove(m, m.FindGetOut(), 8);
        CheckElimination(m, 4, [](TMatrix& c) { return c.ApplyMyReservedSeat(); });
        for (int d = 1; d <= 9; ++d) {
            CheckElimination(m, 4, [d](TMatrix& c) { return c.ApplyMyReservedSeatOfDigit(d); });
        }
        CheckElimination(m, 5, [](TMatrix& c) { return c.ApplyYourReservedSeat(); });
        CheckElimination(m, 6, [](TMatrix& c) { return c.ApplyOurReservedSeat(); });
        const TMatrix before = m;
        const TMatrix after = CheckElimination(m, 9, [](TMatrix& c) { return c.ApplyPuzzled(); });
        int removed = 0;
        for (int i = 0; i < 81; ++i) {
            removed += std::popcount(
                static_cast<unsigned>(before.CandidatesAt(i) & ~after.CandidatesAt(i)));
        }
        EXPECT_LE(removed, 1);
    }

    // Checks the position, then plays on: eliminations, a forced move, a contradiction move or
    // one trial removal, until nothing more is found.
    void Walk(TMatrix m) {
        for (int step = 0; step < 200 && !HasFailure(); ++step) {
            CheckEverything(m);
            m = CheckElimination(m, 0, [](TMatrix& c) { return c.ApplyAllReservedSeats(); });
            std::optional<TMove> move = m.FindAnyForcedMove();
            if (!move) move = m.FindKeepOff();
            if (!move) move = m.FindGetOut();
            if (move) {
                m.Play(*move);
                continue;
            }
            const TMatrix trial =
                CheckElimination(m, 0, [](TMatrix& c) { return c.ApplyPuzzled(); });
            if (trial == m) break;
            m = trial;
        }
    }

  private:
    static bool HasFailure() { return ::testing::Test::HasFailure(); }

    const TGrid& solution_;
    TFound& found_;
};

TEST(Soundness, TechniquesAgreeWithTheSolutionOfRandomPositions) {
    TRandom random(20240611);
    TFound found;
    for (int n = 0; n < 300 && !::testing::Test::HasFailure(); ++n) {
        const TGrid solution = testgrid::RandomSolvedGrid(random);
        ASSERT_EQ(testgrid::CountSolutions(solution, 2), 1);
        const int givens = random.Between(22, 40);
        const TGrid puzzle = testgrid::KeepRandomCells(solution, givens, random);
        std::string error;
        const auto matrix = MatrixFromText(testgrid::ToText(puzzle), error);
        ASSERT_TRUE(matrix) << error;
        TSoundnessWalk(solution, found).Walk(*matrix);
    }
    // The walk must have met every technique, or it proves little.
    for (const int level : {1, 2, 3, 7, 8})
        EXPECT_GT(found.moves[level], 0) << "level " << level;
    for (const int level : {4, 5, 6, 9})
        EXPECT_GT(found.eliminations[level], 0) << "level " << level;
}

TEST(Soundness, TheReferenceSolverCountsSolutions) {
    const TGrid hard = testgrid::FromText(known::kHardPuzzle);
    TGrid solution{};
    EXPECT_EQ(testgrid::CountSolutions(hard, 2, &solution), 1);
    EXPECT_TRUE(testgrid::IsConsistent(solution));
    EXPECT_EQ(testgrid::ToText(solution).substr(0, 9), "812753649");
    EXPECT_EQ(testgrid::CountSolutions(TGrid{}, 5), 5);
    TGrid clash{};
    clash[0] = clash[1] = 3;
    EXPECT_FALSE(testgrid::IsConsistent(clash));
    EXPECT_EQ(testgrid::CountSolutions(clash, 2), 0);
}

}  // namespace
