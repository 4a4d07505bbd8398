// Every answer the game asks for gets an explanation that keeps the rules (the independent
// checker: each step holds and removes all its pattern rules out, none is to spare), and it
// explains the very move the board's answer search gives: the puzzles a round makes of every
// kind, positions cut from full solutions, and the positions met while playing random puzzles on
// answer by answer.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "board/board.h"
#include "logic/explanation.h"
#include "logic/position_text.h"
#include "logic/random.h"
#include "logic/templates.h"
#include "support/explanation_checker.h"
#include "support/grid_solver.h"

namespace {

struct TTally {
    int explained = 0;
    int byTechnique[10] = {};         // by the explanation's highest technique
    std::vector<std::string> broken;  // the rule broken, with the position
};

// Inside a trial a lock, a naked or a hidden subset of one cell is told as the placement it
// amounts to.
bool PatternOfOneCellInATrial(const TExplanation& explanation) {
    for (const TStep& step : explanation.Steps) {
        for (const TStep& own : step.Steps) {
            if (!own.Places() && own.Cells.size() == 1) return true;
        }
    }
    return false;
}

// Explains and checks the board's answer; the answer, or nothing when there is none.
std::optional<TMove> CheckBoardAnswer(const TBoard& board, TTally& tally) {
    const std::optional<TFoundAnswer> found = board.FindAnswer();
    if (!found) return std::nullopt;
    const TMove answer = found->Move;
    const TMatrix& position = board.Matrix();
    const TExplanation explanation = Explain(position, answer);
    if (!explanation.Explained()) {
        tally.broken.push_back("no explanation for " + PositionText(position));
        return answer;
    }
    if (const auto broken = explanation_check::BrokenRule(position, explanation))
        tally.broken.push_back(*broken + " in " + PositionText(position));
    if (PatternOfOneCellInATrial(explanation))
        tally.broken.push_back("a trial removes what it could place in " + PositionText(position));
    ++tally.explained;
    ++tally.byTechnique[explanation.Technique()];
    return answer;
}

void ExpectNoneBroken(const TTally& tally) {
    EXPECT_EQ(tally.broken.size(), 0u) << "of " << tally.explained << " explained";
    for (std::size_t i = 0; i < tally.broken.size() && i < 5; ++i)
        ADD_FAILURE() << tally.broken[i];
}

TEST(ExplanationProperty, MadePuzzlesOfEveryKind) {
    SeedProgramRandom(15);
    TTally tally;
    TBoard board;
    constexpr int kPuzzles = 1200;
    for (int n = 0; n < kPuzzles; ++n) {
        const int kind = n % 6 + 1;
        std::string text = DrawTemplate(kind, ProgramRandom()).Text;
        board.MakePuzzle(text);
        board.Fix();
        EXPECT_TRUE(CheckBoardAnswer(board, tally)) << text;
    }
    ExpectNoneBroken(tally);
    EXPECT_EQ(tally.explained, kPuzzles);
    // A puzzle of kind k needs technique k.
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ(tally.byTechnique[kind], kPuzzles / 6) << "kind " << kind;
}

// 22-60 givens of a random full grid, laid out as a puzzle: the position has a solution, often
// many.
TEST(ExplanationProperty, PositionsCutFromFullSolutions) {
    TRandom random(2238);
    TTally tally;
    TBoard board;
    int answered = 0;
    for (int n = 0; n < 2500; ++n) {
        const auto solution = testgrid::RandomSolvedGrid(random);
        board.LayOutPuzzle(
            testgrid::ToText(testgrid::KeepRandomCells(solution, random.Between(22, 60), random)));
        board.Fix();
        answered += CheckBoardAnswer(board, tally).has_value();
    }
    ExpectNoneBroken(tally);
    EXPECT_EQ(tally.explained, answered);
    EXPECT_GT(answered, 2000);
    // So many givens leave an answer of levels 1-4 nearly always.
    for (int technique = 1; technique <= 4; ++technique)
        EXPECT_GT(tally.byTechnique[technique], 100) << "technique " << technique;
}

// A digit that is not the solution's put into a random empty cell that has it as a candidate;
// nothing when the cell has no other candidate.
void PlaceAWrongDigit(testgrid::TGrid& grid, const testgrid::TGrid& solution, TRandom& random) {
    int i = random.Below(81);
    while (grid[static_cast<std::size_t>(i)] != 0)
        i = (i + 1) % 81;
    std::string error;
    const TMatrix m = *MatrixFromText(testgrid::ToText(grid), error);
    std::vector<int> wrong;
    for (int d = 1; d <= 9; ++d) {
        if (d != solution[static_cast<std::size_t>(i)] && m.HasCandidate(i % 9, i / 9, d))
            wrong.push_back(d);
    }
    if (!wrong.empty())
        grid[static_cast<std::size_t>(i)] =
            wrong[static_cast<std::size_t>(random.Below(static_cast<int>(wrong.size())))];
}

// Positions cut from full solutions with one to three wrong digits among their givens: those
// that show a dead end get it named and no steps, the others no dead end.
TEST(ExplanationProperty, PositionsWithWrongDigitsNameTheirDeadEnd) {
    TRandom random(909);
    int deadEnds = 0, others = 0;
    TBoard board;
    for (int n = 0; n < 1500; ++n) {
        const auto solution = testgrid::RandomSolvedGrid(random);
        auto grid = testgrid::KeepRandomCells(solution, random.Between(22, 60), random);
        for (int wrong = random.Between(1, 3); wrong > 0; --wrong)
            PlaceAWrongDigit(grid, solution, random);
        board.LayOutPuzzle(testgrid::ToText(grid));
        board.Fix();
        const TMatrix& position = board.Matrix();
        const std::optional<TFoundAnswer> found = board.FindAnswer();
        const TExplanation explanation = Explain(position, found ? found->Move : TMove{});
        const auto fault = explanation_check::ContradictionFault(position, explanation);
        EXPECT_FALSE(fault) << *fault << " in " << PositionText(position);
        ++(explanation.Contradiction ? deadEnds : others);
    }
    EXPECT_GT(deadEnds, 100);
    EXPECT_GT(others, 100);
}

// Random puzzles played on with their answers. Where the game finds no answer, a digit of the
// solution is filled in at random and play goes on, a few times per puzzle: the positions just
// past such a gap are where the hard techniques are needed.
TEST(ExplanationProperty, PositionsPlayedOnFromRandomPuzzles) {
    TRandom random(1515);
    TTally tally;
    TBoard board;
    for (int n = 0; n < 150; ++n) {
        const auto solution = testgrid::RandomSolvedGrid(random);
        board.LayOutPuzzle(
            testgrid::ToText(testgrid::KeepRandomCells(solution, random.Between(20, 34), random)));
        board.Fix();
        for (int gaps = 0; gaps <= 3 && board.Matrix().EmptyCount() > 0;) {
            TMove move;
            if (const auto answer = CheckBoardAnswer(board, tally)) {
                move = *answer;
            } else {
                ++gaps;
                int i = random.Below(81);
                while (board.Matrix().ValueAt(i) != 0)
                    i = (i + 1) % 81;
                move = {i % 9, i / 9, solution[static_cast<std::size_t>(i)]};
            }
            board.PlacePiece(board.NextFreePiece(move.Digit), move.Col, move.Row, true);
        }
    }
    ExpectNoneBroken(tally);
    EXPECT_GT(tally.explained, 3000);
    for (int technique = 1; technique <= 9; ++technique)
        EXPECT_GT(tally.byTechnique[technique], 0) << "technique " << technique;
}

}  // namespace
