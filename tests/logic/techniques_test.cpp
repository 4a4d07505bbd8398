// The nine techniques, one line per case: a position (text plus candidate cuts), the technique,
// and the move it must find (or nothing), or the candidates it must remove.
//
// Positions cut from this solved grid (rows top to bottom):
//   123456789 456789123 789123456 214365897 365897214 897214365 531642978 642978531 978531642
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "logic/matrix.h"
#include "position_builder.h"
#include "support/known_positions.h"

using namespace testpos;

void PrintTo(const TMove& move, std::ostream* os) {
    *os << "(" << move.Col << ", " << move.Row << ") = " << move.Digit;
}

namespace {

constexpr const char* kEmpty = "";
// Row 5 but (0, 5), and column 8 but (8, 0): two units with one empty cell.
constexpr const char* kRowAndColumnGaps =
    "000000000000000003000000006000000007000000004097214365000000008000000001000000002";
// Box (0, 1) but (2, 5) and box (1, 0) but (4, 1).
constexpr const char* kTwoBoxGaps =
    "000456000000709000000123000214000000365000000890000000000000000000000000000000000";
// The same, and column 7 but (7, 8).
constexpr const char* kTwoBoxAndColumnGaps =
    "000456080000709020000123050214000090365000010890000060000000070000000030000000000";
constexpr const char* kKind4First = known::kKind4FirstTemplate;

// A technique under test, with the name that failures show.
template <typename Run>
struct TTechnique {
    const char* name;
    Run run;
};

// One line of a table: what it shows, the position, the technique, what it must give.
template <typename Technique, typename Expected>
struct TCase {
    const char* what;
    const char* position;
    std::vector<TEdit> edits;
    Technique technique;
    Expected expected;
};

using TDetector = TTechnique<std::function<std::optional<TMove>(const TMatrix&)>>;

const TDetector L1{"L1", [](const TMatrix& m) { return m.FindJustOneEmptyCell(); }};
TDetector L2(int d) {
    return {"L2", [d](const TMatrix& m) { return m.FindOnlyOnePlaceLeft(d); }};
}
const TDetector L3{"L3", [](const TMatrix& m) { return m.FindOnlyMissingNumber(); }};
const TDetector Any{"any", [](const TMatrix& m) { return m.FindAnyForcedMove(); }};
const TDetector L7{"L7", [](const TMatrix& m) { return m.FindKeepOff(); }};
const TDetector L8{"L8", [](const TMatrix& m) { return m.FindGetOut(); }};

// Expected nothing: must find nothing.
using TDetectorCase = TCase<TDetector, std::optional<TMove>>;

const std::optional<TMove> kNothing;

TEST(Techniques, DetectorsFindTheFirstMoveInTheirOrder) {
    const std::vector<TDetectorCase> cases = {
        {"L1: rows before columns", kRowAndColumnGaps, {}, L1, TMove{0, 5, 8}},
        {"L1: boxes column by column", kTwoBoxGaps, {}, L1, TMove{2, 5, 7}},
        {"L1: columns before boxes", kTwoBoxAndColumnGaps, {}, L1, TMove{7, 8, 4}},
        {"L1: none", kEmpty, {}, L1, kNothing},

        {"L2: row before column",
         kEmpty,
         {Remove(Row(3).Except({{6, 3}}), "5"), Remove(Column(0).Except({{0, 7}}), "5")},
         L2(5),
         TMove{6, 3, 5}},
        {"L2: boxes row by row",
         kEmpty,
         {Remove(Box(0, 1).Except({{1, 4}}), "5"), Remove(Box(1, 0).Except({{4, 1}}), "5")},
         L2(5),
         TMove{4, 1, 5}},
        {"L2: another digit", kEmpty, {Remove(Box(1, 0).Except({{4, 1}}), "5")}, L2(6), kNothing},

        {"L3: lowest index", kEmpty, {Keep(2, 5, "7"), Keep(5, 2, "3")}, L3, TMove{5, 2, 3}},
        {"L3: a cell without candidates is no move", kEmpty, {Keep(1, 1, "")}, L3, kNothing},

        {"any: level 3 before level 1", kRowAndColumnGaps, {}, Any, TMove{8, 0, 9}},
        {"any: level 3 before an earlier unit's level 1",
         kRowAndColumnGaps,
         {Keep(8, 0, ""), Keep(4, 2, "3")},
         Any,
         TMove{4, 2, 3}},
        {"any: level 1 when level 3 has nothing",
         kRowAndColumnGaps,
         {Keep(8, 0, ""), Keep(0, 5, "")},
         Any,
         TMove{0, 5, 8}},
        {"any: level 2 by digit before unit",
         kEmpty,
         {Remove(Row(0).Except({{8, 0}}), "7"), Remove(Row(1).Except({{0, 1}}), "3")},
         Any,
         TMove{0, 1, 3}},
        {"any: none on the kind 4 template", kKind4First, {}, Any, kNothing},

        {"L7: the cascade of a blocks a, so b",
         kEmpty,
         {Keep(0, 0, "12"), Remove(Box(1, 0).Except({{3, 0}, {3, 1}}), "1"),
          Remove(Box(2, 0).Except({{6, 0}, {7, 1}}), "1")},
         L7,
         TMove{0, 0, 2}},
        {"L7: a block without a hidden single proves nothing",
         kEmpty,
         {Keep(0, 0, "12"), Remove(Box(1, 0).Except({{3, 0}, {4, 0}, {5, 0}}), "1")},
         L7,
         kNothing},
        {"L7: only the placed digit's cascade counts",
         kEmpty,
         {Keep(0, 0, "12"), Remove(Row(0).Except({{0, 0}, {4, 0}}), "2"),
          Remove(Box(1, 1).Except({{4, 3}, {4, 4}}), "2")},
         L7,
         kNothing},
        {"L7: none", kEmpty, {}, L7, kNothing},

        {"L8: placing a leaves b a single that blocks b",
         kEmpty,
         {Keep(0, 0, "12"), Remove(Row(0).Except({{0, 0}, {4, 0}}), "2"),
          Remove(Box(1, 1).Except({{4, 3}, {4, 4}}), "2")},
         L8,
         TMove{0, 0, 2}},
        {"L8: none", kEmpty, {Keep(0, 0, "12")}, L8, kNothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TMatrix matrix = Build(c.position, c.edits);
        const TMatrix before = matrix;
        EXPECT_EQ(c.technique.run(matrix), c.expected) << c.technique.name;
        EXPECT_EQ(matrix, before) << "a detector must not change the matrix";
    }
}

// --- Eliminations --------------------------------------------------------------------------

using TEliminator = TTechnique<std::function<bool(TMatrix&)>>;

const TEliminator L4{"L4", [](TMatrix& m) { return m.ApplyMyReservedSeat(); }};
TEliminator L4d(int d) {
    return {"L4d", [d](TMatrix& m) { return m.ApplyMyReservedSeatOfDigit(d); }};
}
const TEliminator L5{"L5", [](TMatrix& m) { return m.ApplyYourReservedSeat(); }};
const TEliminator L6{"L6", [](TMatrix& m) { return m.ApplyOurReservedSeat(); }};
const TEliminator L9{"L9", [](TMatrix& m) { return m.ApplyPuzzled(); }};

// Expected empty: must remove nothing.
using TEliminationCase = TCase<TEliminator, std::vector<TLoss>>;

TEST(Techniques, EliminationsRemoveExactlyTheseCandidates) {
    const std::vector<TEliminationCase> cases = {
        {"L4: a box's digit in one row leaves the rest of the row",
         kEmpty,
         {Remove(Box(0, 0).Except({{0, 0}, {1, 0}, {2, 0}}), "5")},
         L4,
         {{Row(0).Except({{0, 0}, {1, 0}, {2, 0}}), "5"}}},
        {"L4: a row's digit in one box leaves the rest of the box",
         kEmpty,
         {Remove(Row(4).Except({{3, 4}, {4, 4}, {5, 4}}), "5")},
         L4,
         {{Box(1, 1).Except({{3, 4}, {4, 4}, {5, 4}}), "5"}}},
        {"L4: columns too",
         kEmpty,
         {Remove(Box(2, 2).Except({{8, 6}, {8, 7}, {8, 8}}), "9")},
         L4,
         {{Column(8).Except({{8, 6}, {8, 7}, {8, 8}}), "9"}}},
        {"L4: none", kEmpty, {}, L4, {}},

        {"L4d: row pass, column pass, row pass, each made possible by the one before",
         kEmpty,
         {Remove(Box(0, 0).Except({{0, 0}, {1, 0}, {2, 0}}), "5"),
          Remove(Cells({{4, 1}, {5, 1}, {4, 2}, {5, 2}, {4, 3}, {5, 3}, {4, 5}, {5, 5}}), "5")},
         L4d(5),
         {{Row(0).Except({{0, 0}, {1, 0}, {2, 0}}), "5"},
          {Column(3).Except({{3, 0}, {3, 1}, {3, 2}}), "5"},
          {Row(4).Except({{3, 4}, {4, 4}, {5, 4}}), "5"}}},
        {"L4d: a row's candidates in one box",
         kEmpty,
         {Remove(Row(4).Except({{3, 4}, {4, 4}}), "7")},
         L4d(7),
         {{Box(1, 1).Except({{3, 4}, {4, 4}, {5, 4}}), "7"}}},
        {"L4d: other digits untouched",
         kEmpty,
         {Remove(Box(0, 0).Except({{0, 0}, {1, 0}, {2, 0}}), "5")},
         L4d(6),
         {}},

        {"L5: two identical pairs in a row",
         kEmpty,
         {Keep(0, 0, "47"), Keep(3, 0, "47")},
         L5,
         {{Row(0).Except({{0, 0}, {3, 0}}), "47"}}},
        {"L5: a triple of different pairs is not a subset",
         kEmpty,
         {Keep(0, 0, "47"), Keep(3, 0, "49"), Keep(6, 0, "79")},
         L5,
         {}},
        {"L5: three identical pairs: the last two empty the first",
         kEmpty,
         {Keep(0, 0, "47"), Keep(3, 0, "47"), Keep(6, 0, "47")},
         L5,
         {{Row(0).Except({{3, 0}, {6, 0}}), "47"}}},
        {"L5: a box is walked row by row: (7, 3) comes first and is emptied",
         kEmpty,
         {Keep(7, 3, "18"), Keep(6, 4, "18"), Keep(6, 5, "18")},
         L5,
         {{Column(6).Except({{6, 4}, {6, 5}}), "18"}, {Box(2, 1).Except({{6, 4}, {6, 5}}), "18"}}},

        {"L6: two digits with the same two places in a box",
         kEmpty,
         {Remove(Box(1, 1).Except({{3, 3}, {5, 5}}), "26")},
         L6,
         {{Cells({{3, 3}, {5, 5}}), "1345789"}}},
        {"L6: one place left: the cell keeps that digit, its peers then lose it",
         kEmpty,
         {Remove(Row(2).Except({{4, 2}}), "5")},
         L6,
         {{Cells({{4, 2}}), "12346789"},
          {Column(4).Except({{4, 2}}), "5"},
          {Box(1, 0).Except({{4, 2}}), "5"}}},
        {"L6: two digits on one place: the larger takes the cell",
         kEmpty,
         {Remove(Row(2).Except({{4, 2}}), "38")},
         L6,
         {{Cells({{4, 2}}), "12345679"}, {Column(4).Except({{4, 2}}), "8"}}},
        {"L6: same places for three digits in two cells: only the larger two group",
         kEmpty,
         {Remove(Box(0, 0).Except({{0, 0}, {1, 1}}), "269")},
         L6,
         {{Cells({{0, 0}, {1, 1}}), "1234578"}}},
        {"L6: none", kEmpty, {}, L6, {}},

        {"L9: none on an empty grid", kEmpty, {}, L9, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TMatrix before = Build(c.position, c.edits);
        TMatrix after = before;
        const bool changed = c.technique.run(after);
        const auto expected = Expected(before, c.expected);
        EXPECT_EQ(Removed(before, after), expected) << c.technique.name;
        EXPECT_EQ(Removed(after, before), (std::array<std::string, 81>{})) << "no candidate added";
        bool anyExpected = false;
        for (const auto& digits : expected)
            anyExpected |= !digits.empty();
        EXPECT_EQ(changed, anyExpected);
    }
}

TEST(Techniques, AllReservedSeatsRunsToAFixedPointAndReportsTrue) {
    TMatrix matrix = Build(kEmpty);
    EXPECT_TRUE(matrix.ApplyAllReservedSeats());
    EXPECT_EQ(matrix, Build(kEmpty));

    matrix = Build(kKind4First);
    matrix.ApplyAllReservedSeats();
    TMatrix again = matrix;
    EXPECT_FALSE(again.ApplyMyReservedSeat());
    EXPECT_FALSE(again.ApplyYourReservedSeat());
    EXPECT_FALSE(again.ApplyOurReservedSeat());
}

TEST(Techniques, KindFourTemplateNeedsOneRoundOfReservedSeats) {
    TMatrix matrix = Build(kKind4First);
    EXPECT_FALSE(matrix.FindJustOneEmptyCell());
    for (int d = 1; d <= 9; ++d)
        EXPECT_FALSE(matrix.FindOnlyOnePlaceLeft(d)) << d;
    EXPECT_FALSE(matrix.FindOnlyMissingNumber());
    EXPECT_TRUE(matrix.ApplyMyReservedSeat());
    EXPECT_EQ(matrix.FindAnyForcedMove(), (TMove{1, 0, 9}));
}

TEST(Techniques, LeadsToBlockNeedsAHiddenSingleFirst) {
    // Row 0 holds 5 only at (0, 0): putting 3 there blocks 5 in row 0 at once, but no hidden
    // single of 5 follows, so the test proves nothing.
    const TMatrix matrix = Build(kEmpty, {Keep(0, 0, "35"), Remove(Row(0).Except({{0, 0}}), "5")});
    EXPECT_FALSE(matrix.LeadsToBlock(3, {0, 0}, 5));
    TMatrix placed = matrix;
    placed.SetValue(0, 0, 3);
    EXPECT_TRUE(placed.DigitBlocked(5));

    // With a single that the placement forces, the block counts.
    const TMatrix forced =
        Build(kEmpty, {Keep(0, 0, "12"), Remove(Box(1, 0).Except({{3, 0}, {3, 1}}), "1"),
                       Remove(Box(2, 0).Except({{6, 0}, {7, 1}}), "1")});
    EXPECT_TRUE(forced.LeadsToBlock(1, {0, 0}, 1));
    EXPECT_FALSE(forced.LeadsToBlock(2, {0, 0}, 2));
}

TEST(Techniques, TryCandidateEndsInTheRightState) {
    const std::string kSolvedButOne = std::string(known::kSolvedGrid).substr(0, 80) + "0";
    // Row 0 needs 9 at (8, 0), which column 8 already holds.
    constexpr const char* kContradictory =
        "123456780000000009000000000000000000000000000000000000000000000000000000000000000";
    constexpr const char* kEasy = known::kEasyPuzzle;

    EXPECT_EQ(Build(kContradictory).TryCandidate(0, 8, 1), msContradiction);
    EXPECT_EQ(Build(kEmpty).TryCandidate(0, 0, 1), msStuck);
    EXPECT_EQ(Build(kSolvedButOne).TryCandidate(8, 8, 2), msSolved);
    EXPECT_EQ(Build(kSolvedButOne).TryCandidate(8, 8, 5), msContradiction);
    // Eliminations empty box (1, 0) of 5 and leave no forced move: still a contradiction.
    const TMatrix blockedByEliminations =
        Build(kEmpty, {Remove(Box(0, 0).Except({{0, 0}, {1, 0}, {2, 0}}), "5"),
                       Remove(Box(1, 0).Except({{3, 0}, {4, 0}, {5, 0}}), "5")});
    EXPECT_EQ(blockedByEliminations.TryCandidate(8, 8, 1), msContradiction);
    EXPECT_EQ(Build(kEasy).TryCandidate(0, 0, 4), msSolved);  // (0, 0) is 4 in the solution
    EXPECT_EQ(Build(kEasy).TryCandidate(0, 0, 5), msContradiction);

    // The trial works on a copy.
    const TMatrix easy = Build(kEasy);
    TMatrix copy = easy;
    copy.TryCandidate(0, 0, 4);
    EXPECT_EQ(copy, easy);
}

void CheckFirstTrialRemoval(const char* position);

TEST(Techniques, ApplyPuzzledRemovesOneCandidateProvedWrong) {
    // Cells of two candidates come first: the first wrong one found is removed, and only it.
    // The second has wrong candidates in cells of two, three and four candidates alike; in the
    // third the first cell with a wrong candidate has four candidates, three of them wrong.
    for (const char* position :
         {known::kHardPuzzle,
          "000000000008241070001680002680014305104320000000000004000092530900000080000060040",
          "000000096000800003300006085000100000031507900000009040600050004004013000003600000"}) {
        SCOPED_TRACE(position);
        CheckFirstTrialRemoval(position);
    }
}

void CheckFirstTrialRemoval(const char* position) {
    TMatrix matrix = Build(position);
    matrix.ApplyAllReservedSeats();
    const TMatrix before = matrix;
    ASSERT_TRUE(matrix.ApplyPuzzled());
    int lost = 0, at = -1, digit = 0;
    for (int i = 0; i < 81; ++i) {
        const unsigned removed =
            static_cast<unsigned>(before.CandidatesAt(i) & ~matrix.CandidatesAt(i));
        lost += std::popcount(removed);
        if (removed) {
            at = i;
            digit = std::bit_width(removed);
        }
    }
    ASSERT_EQ(lost, 1);
    EXPECT_EQ(before.TryCandidate(at % 9, at / 9, digit), msContradiction);
    // Trials run by candidate count, then index, then digit: none before this one failed.
    auto trialOrder = [&](int i, int d) {
        return std::tuple(std::popcount(static_cast<unsigned>(before.CandidatesAt(i))), i, d);
    };
    for (int i = 0; i < 81; ++i) {
        const int count = std::popcount(static_cast<unsigned>(before.CandidatesAt(i)));
        if (count < 2) continue;
        for (int d = 1; d <= 9; ++d) {
            if ((before.CandidatesAt(i) & (1 << (d - 1))) &&
                trialOrder(i, d) < trialOrder(at, digit)) {
                EXPECT_NE(before.TryCandidate(i % 9, i / 9, d), msContradiction) << i << " " << d;
            }
        }
    }
}

}  // namespace
