// Practice positions: what the techniques fill, every move and not only the first the board's
// search meets; and the positions the maker makes for each technique 1-9, read again with the
// tests' own tools (the reference solver, the template rules' reading of the basic moves, the
// board's answer search and the independent explanation checker).
//
// Cells are (col, row), index = col + 9 x row.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "board/board.h"
#include "logic/explanation.h"
#include "logic/matrix.h"
#include "logic/position_text.h"
#include "logic/practice_positions.h"
#include "logic/random.h"
#include "support/explanation_checker.h"
#include "support/grid_solver.h"
#include "support/template_rules.h"

// How a move reads in a failed expectation.
void PrintTo(const TMove& move, std::ostream* os) {
    *os << "(" << move.Col << ", " << move.Row << ") = " << move.Digit;
}

namespace {

TMatrix Load(const std::string& text) {
    std::string error;
    return MatrixFromText(text, error).value();
}

// Two cells that the technique fills far apart, found on the solving paths of made puzzles
// (level 1 made by hand): the board's search stops at one of them, FillableMoves names both.
TEST(FillableMoves, NamesEveryMoveNotOnlyTheFirst) {
    struct TCase {
        int technique;
        std::string position;
        TMove first, second;  // in cell index order
    };
    const std::string empty7(63, '0');
    const std::vector<TCase> cases = {
        {1, "123456780" + empty7 + "987654320", {8, 0, 9}, {8, 8, 1}},
        {4,
         "000009073000003800000070006549700361200100700187004000604000000090407600000806200",
         {5, 4, 5},
         {8, 7, 5}},
        {5,
         "600900007070405000009076402790540000008060971000097045832659714060730020007010000",
         {2, 0, 4},
         {6, 3, 2}},
        {6,
         "719080006253469781486317200628070000974006008135894672540008100390001800861000007",
         {6, 3, 9},
         {3, 8, 9}},
        {7,
         "516738249842965317793412800030047900480096003609301400968074530304009008000003094",
         {8, 5, 5},
         {3, 6, 1}},
        {8,
         "670010040000706031031490600760008120140600700208070060020060090916050400007000016",
         {4, 1, 8},
         {1, 8, 8}},
        {9,
         "004026130620103004003040600390050000046300205007068903089012300431080000060030000",
         {2, 1, 8},
         {2, 8, 5}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE("technique " + std::to_string(c.technique));
        const TMatrix m = Load(c.position);
        EXPECT_EQ(FillableMoves(m, c.technique), (std::vector<TMove>{c.first, c.second}));
        EXPECT_TRUE(FillableMoves(m, c.technique - 1).empty());
        const TFillable lowest = LowestFillable(m);
        EXPECT_EQ(lowest.Technique, c.technique);
        EXPECT_EQ(lowest.Moves.size(), 2u);
        // Two cells: no practice position.
        EXPECT_FALSE(CheckPracticePosition(c.position, c.technique).Answer);
        if (c.technique < 4) continue;
        // Both are the puzzle's own digits, and the board's search names one of them.
        testgrid::TGrid solution{};
        ASSERT_EQ(testgrid::CountSolutions(testgrid::FromText(c.position), 2, &solution), 1);
        for (const TMove& move : {c.first, c.second})
            EXPECT_EQ(solution[move.Col + 9 * move.Row], move.Digit);
        const std::optional<TFoundAnswer> answer = template_rules::BoardAnswer(c.position);
        ASSERT_TRUE(answer);
        EXPECT_TRUE(answer->Move == c.first || answer->Move == c.second);
        EXPECT_EQ(answer->Technique, c.technique);
    }
}

// --- The tests' own reading of "exactly one cell fillable by the techniques up to T" ---------

using TMoves = std::vector<TMove>;

TMoves MovesOf(const std::vector<template_rules::TBasicMove>& basic) {
    TMoves moves;
    for (const auto& b : basic)
        moves.push_back(b.Move);
    return moves;
}

// Levels 4..upTo to their end in the order of the board's next-move search.
TMatrix EliminatedAsTheBoardDoes(TMatrix m, int upTo) {
    for (bool changed = true; changed;) {
        changed = m.ApplyMyReservedSeat();
        if (!changed && upTo >= 5) changed = m.ApplyYourReservedSeat();
        if (!changed && upTo >= 6) changed = m.ApplyOurReservedSeat();
    }
    return m;
}

void AddOnce(TMoves& moves, const TMove& move) {
    if (std::find(moves.begin(), moves.end(), move) == moves.end()) moves.push_back(move);
}

// Levels 7 (keep off) or 8 (get out) on the position's own candidates, from every cell of two.
TMoves ContradictionMoves(const TMatrix& m, bool getOut) {
    TMoves moves;
    for (int i = 0; i < 81; ++i) {
        const std::string digits = m.CandidateText(i % 9, i / 9);
        if (m.ValueAt(i) != 0 || digits.size() != 2) continue;
        const int a = digits[0] - '0', b = digits[1] - '0';
        const TCell cell{i % 9, i / 9};
        if (m.LeadsToBlock(a, cell, getOut ? b : a)) AddOnce(moves, {cell.Col, cell.Row, b});
        if (m.LeadsToBlock(b, cell, getOut ? a : b)) AddOnce(moves, {cell.Col, cell.Row, a});
    }
    return moves;
}

// Level 9: the board's rounds of trials, the basic moves present when the first shows.
TMoves TrialMoves(TMatrix m) {
    for (bool removed = true; removed;) {
        removed = m.ApplyPuzzled();
        const auto look = [&] { return !template_rules::BasicMoves(m).empty(); };
        if ((removed && look()) || (m.ApplyMyReservedSeat() && look()) ||
            (m.ApplyYourReservedSeat() && look()) || (m.ApplyOurReservedSeat() && look()))
            return MovesOf(template_rules::BasicMoves(m));
    }
    return {};
}

// The first reason the position is no position of technique T >= 4 with this answer.
std::optional<std::string> FillableFault(const TMatrix& m, int technique, const TMove& answer) {
    const TMoves only{answer};
    for (int upTo = 4; upTo <= std::min(technique, 6); ++upTo) {
        const TMoves moves = MovesOf(template_rules::BasicMoves(EliminatedAsTheBoardDoes(m, upTo)));
        if (upTo < technique && !moves.empty()) return "level " + std::to_string(upTo) + " fills";
        if (upTo == technique && moves != only) return "the eliminations fill other cells";
    }
    if (technique >= 7) {
        const TMoves keepOff = ContradictionMoves(m, false);
        if (technique == 7 && keepOff != only) return "keep off fills other cells";
        if (technique > 7 && !keepOff.empty()) return "keep off fills";
    }
    if (technique >= 8) {
        const TMoves getOut = ContradictionMoves(m, true);
        if (technique == 8 && getOut != only) return "get out fills other cells";
        if (technique > 8 && !getOut.empty()) return "get out fills";
    }
    if (technique == 9 && TrialMoves(m) != only) return "the trials fill other cells";
    return std::nullopt;
}

// The first reason the made position breaks its rules, by the tests' own reading.
std::optional<std::string> Fault(const TPracticePosition& p, int technique) {
    if (p.Technique != technique || p.Level != technique) return "technique or level wrong";
    testgrid::TGrid solution{};
    const testgrid::TGrid grid = testgrid::FromText(p.Puzzle);
    if (testgrid::CountSolutions(grid, 2, &solution) != 1) return "not exactly one solution";
    const int cell = p.Answer.Col + 9 * p.Answer.Row;
    if (grid[cell] != 0 || solution[cell] != p.Answer.Digit) return "the answer is wrong";

    const TMatrix m = Load(p.Puzzle);
    const auto basic = template_rules::BasicMoves(m);
    if (technique >= 4) {
        if (!basic.empty()) return "a move of levels 1-3";
        if (auto fault = FillableFault(m, technique, p.Answer)) return fault;
    } else {
        if (basic.size() != 1 || !(basic[0].Move == p.Answer)) return "not one basic move";
        const bool* by = basic[0].ByLevel;
        const bool shape = technique == 1   ? by[1]
                           : technique == 2 ? by[2] && !by[1] && !by[3]
                                            : by[3] && !by[1] && !by[2];
        if (!shape) return "the basic move is not of the technique's level alone";
    }

    const std::optional<TFoundAnswer> found = template_rules::BoardAnswer(p.Puzzle);
    if (!found || !(found->Move == p.Answer)) return "FindAnswer gives another move";
    const int level = found->Technique;
    const bool levelOk = technique >= 4   ? level == technique
                         : technique == 3 ? level >= 4 && level <= 6
                                          : level == 0;
    if (!levelOk) return "FindAnswer answers at level " + std::to_string(level);

    const TExplanation explanation = Explain(m, p.Answer);
    if (explanation.Technique() != technique)
        return "the explanation names technique " + std::to_string(explanation.Technique());
    if (auto broken = explanation_check::BrokenRule(m, explanation))
        return "explanation: " + *broken;
    return std::nullopt;
}

class MadePracticePositions : public testing::TestWithParam<int> {};

// A few hundred positions per technique, from one seed each; technique 8 is the slowest to
// make (its stalls are rare), so it gets fewer.
TEST_P(MadePracticePositions, KeepTheirRules) {
    const int technique = GetParam();
    const int count = technique == 8 ? 80 : 200;
    TRandom random(1000 + static_cast<std::uint64_t>(technique));
    std::set<std::string> puzzles;
    int faults = 0;
    for (int n = 0; n < count; ++n) {
        const std::optional<TPracticePosition> made = MakePracticePosition(technique, random);
        ASSERT_TRUE(made) << "position " << n;
        if (const auto fault = Fault(*made, technique); fault && ++faults <= 5)
            ADD_FAILURE() << *fault << " in " << made->Puzzle;
        // The maker agrees with its own check, which the tool and the supply rely on.
        EXPECT_EQ(CheckPracticePosition(made->Puzzle, technique).Answer, made->Answer);
        puzzles.insert(made->Puzzle);
    }
    EXPECT_EQ(faults, 0);
    EXPECT_EQ(puzzles.size(), static_cast<std::size_t>(count)) << "positions made twice";
}

INSTANTIATE_TEST_SUITE_P(Technique, MadePracticePositions, testing::Range(1, 10),
                         [](const testing::TestParamInfo<int>& info) {
                             return "T" + std::to_string(info.param);
                         });

}  // namespace
