// TMatrix: candidates kept in step with placed and cleared digits, scans, state and blocking.
#include "logic/matrix.h"

#include <gtest/gtest.h>

#include <string>

#include "logic/position_text.h"
#include "position_builder.h"
#include "support/known_positions.h"

using namespace testpos;

namespace {

constexpr const char* kSolved = known::kSolvedGrid;

bool SeesCentre(int x, int y) {
    return x == 4 || y == 4 || (x / 3 == 1 && y / 3 == 1);
}

TEST(Matrix, AFreshMatrixIsOpenWithEveryCandidate) {
    const TMatrix matrix;
    for (int i = 0; i < 81; ++i)
        ASSERT_EQ(matrix.CandidatesAt(i), 511);
    EXPECT_EQ(matrix.GetState(), msOpen);
    EXPECT_EQ(matrix.EmptyCount(), 81);
    EXPECT_EQ(matrix.CandidateText(3, 7), "123456789");
}

TEST(Matrix, PlacingAndClearingADigitUpdatesItsPeers) {
    TMatrix matrix;
    matrix.SetValue(4, 4, 5);
    EXPECT_EQ(matrix.GetValue(4, 4), 5);
    int peers = 0;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            if (x == 4 && y == 4) {
                EXPECT_EQ(matrix.GetCandidates(x, y), 0);
            } else if (SeesCentre(x, y)) {
                EXPECT_EQ(matrix.GetCandidates(x, y), 495) << x << "," << y;
                ++peers;
            } else {
                EXPECT_EQ(matrix.GetCandidates(x, y), 511) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(peers, 20);
    matrix.SetValue(4, 4, 0);
    EXPECT_EQ(matrix, TMatrix());
}

TEST(Matrix, ClearingGivesTheDigitBackWhereverNothingElseHoldsIt) {
    TMatrix matrix;
    matrix.SetValue(4, 4, 5);
    matrix.SetValue(0, 0, 5);
    matrix.RemoveCandidate(8, 8, 5);  // as a deduction would
    matrix.RemoveCandidate(7, 8, 3);
    matrix.SetValue(4, 4, 0);
    EXPECT_TRUE(matrix.HasCandidate(8, 8, 5));   // far away, deduction undone
    EXPECT_FALSE(matrix.HasCandidate(7, 8, 3));  // other digits keep their deductions
    EXPECT_TRUE(matrix.HasCandidate(4, 7, 5));   // column 4 no longer holds 5
    EXPECT_FALSE(matrix.HasCandidate(0, 4, 5));  // still sees the 5 at (0, 0)
    EXPECT_FALSE(matrix.HasCandidate(1, 1, 5));
    EXPECT_EQ(matrix.GetCandidates(4, 4), 511);
}

TEST(Matrix, ClearingACellRebuildsItsMaskFromItsPeers) {
    TMatrix matrix;
    matrix.SetValue(0, 0, 1);
    matrix.SetValue(2, 2, 7);
    matrix.SetValue(0, 8, 4);
    matrix.SetValue(0, 0, 0);
    EXPECT_EQ(matrix.CandidateText(0, 0), "1235689");  // 7 in its box, 4 in its column
    matrix.RemoveCandidate(5, 5, 2);
    matrix.SetValue(5, 5, 0);  // an empty cell: only its own mask is rebuilt
    EXPECT_TRUE(matrix.HasCandidate(5, 5, 2));
}

TEST(Matrix, ArgumentsOffTheGridReadAsNothingAndChangeNothing) {
    TMatrix matrix;
    EXPECT_EQ(matrix.GetValue(9, 0), -1);
    EXPECT_EQ(matrix.GetValue(-1, 3), -1);
    matrix.SetValue(9, 0, 5);
    matrix.SetValue(0, -1, 5);
    matrix.SetValue(0, 0, 10);
    matrix.SetValue(0, 0, -2);
    EXPECT_EQ(matrix, TMatrix());
    EXPECT_FALSE(matrix.HasCandidate(0, 0, 0));
    EXPECT_FALSE(matrix.HasCandidate(0, 0, 10));
    EXPECT_FALSE(matrix.RemoveCandidate(0, 0, 10));
    EXPECT_EQ(matrix.CandidateText(9, 9), "");
    EXPECT_EQ(matrix.GetCandidates(-1, 0), 0);
    EXPECT_FALSE(matrix.RowHas(9, 1));
}

TEST(Matrix, RemoveCandidateTouchesOnlyASetBitOfAnEmptyCell) {
    TMatrix matrix;
    matrix.SetValue(2, 2, 6);
    EXPECT_FALSE(matrix.RemoveCandidate(2, 2, 6));
    EXPECT_EQ(matrix.GetValue(2, 2), 6);
    EXPECT_TRUE(matrix.RemoveCandidate(3, 3, 1));
    EXPECT_FALSE(matrix.RemoveCandidate(3, 3, 1));
    EXPECT_EQ(matrix.CandidateText(3, 3), "23456789");
    EXPECT_EQ(matrix.CandidateCount(3, 3), 8);
}

TEST(Matrix, CandidateTextListsDigitsInAscendingOrder) {
    const TMatrix matrix = Build("", {Keep(0, 0, "931"), Keep(1, 0, "")});
    EXPECT_EQ(matrix.CandidateText(0, 0), "139");
    EXPECT_EQ(matrix.GetCandidates(0, 0), 1 + 4 + 256);
    EXPECT_EQ(matrix.CandidateText(1, 0), "");
}

TEST(Matrix, UnitQueriesAndCounts) {
    const TMatrix matrix =
        Build("205670340000000000000000000100000000000000000080000000006000000007000000008000000");
    EXPECT_TRUE(matrix.RowHas(0, 7));
    EXPECT_FALSE(matrix.RowHas(1, 7));
    EXPECT_TRUE(matrix.ColumnHas(2, 6));
    EXPECT_TRUE(matrix.BoxHas(1, 7, 8));  // (2, 8) holds 8
    EXPECT_FALSE(matrix.BoxHas(4, 4, 8));
    EXPECT_EQ(matrix.RowEmptyCount(0), 3);
    EXPECT_EQ(matrix.ColumnEmptyCount(2), 5);
    EXPECT_EQ(matrix.BoxEmptyCount(0, 2), 6);
    EXPECT_EQ(matrix.EmptyCount(), 81 - 11);
}

TEST(Matrix, StateFindsAUnitWithoutRoomAndAFullGrid) {
    EXPECT_EQ(Build(kSolved).GetState(), msSolved);
    // Row 0 misses 9, and column 8 already holds it: no room for 9 in row 0.
    EXPECT_EQ(Build("123456780000000009" + std::string(63, '0')).GetState(), msContradiction);
    // Same, but found in a box: box (0, 0) misses 1 after deductions took it away.
    EXPECT_EQ(Build("", {Remove(Box(0, 0), "1")}).GetState(), msContradiction);
    EXPECT_EQ(Build(std::string(kSolved).substr(0, 80) + "0").GetState(), msOpen);
}

TEST(Matrix, DigitBlockedWhenAUnitHasNoRoomForIt) {
    EXPECT_FALSE(TMatrix().DigitBlocked(4));
    EXPECT_TRUE(Build("", {Remove(Column(6), "4")}).DigitBlocked(4));
    EXPECT_FALSE(Build("", {Remove(Column(6), "4")}).DigitBlocked(5));
    TMatrix placed;
    placed.SetValue(3, 3, 4);  // a placed digit is not blocked in its units
    EXPECT_FALSE(placed.DigitBlocked(4));
}

TEST(Matrix, ScansReportThePlacedCellOrTheCandidateCellsInScanOrder) {
    TMatrix matrix;
    matrix.SetValue(5, 2, 8);
    TCell cell{-1, -1};
    TCellList list;
    EXPECT_TRUE(matrix.ScanRow(2, 8, cell, list));
    EXPECT_EQ(cell, (TCell{5, 2}));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Get(0), std::out_of_range);

    matrix = Build("", {Remove(Row(3).Except({{2, 3}, {7, 3}}), "4")});
    EXPECT_FALSE(matrix.ScanRow(3, 4, cell, list));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], (TCell{2, 3}));
    EXPECT_EQ(list[1], (TCell{7, 3}));

    // A box is scanned column by column: (3, 5) before (4, 3).
    matrix = Build("", {Remove(Box(1, 1).Except({{4, 3}, {3, 5}}), "6")});
    EXPECT_FALSE(matrix.ScanBox(1, 1, 6, cell, list));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], (TCell{3, 5}));
    EXPECT_EQ(list[1], (TCell{4, 3}));

    // The same cells as a pair list (X = column, Y = row), replacing what it held.
    TD2IntegerList pairs;
    pairs.Add(9, 9);
    EXPECT_FALSE(matrix.ScanBox(1, 1, 6, cell, pairs));
    ASSERT_EQ(pairs.Count(), 2);
    EXPECT_EQ(pairs.Get(0), (TD2Integer{3, 5}));
    EXPECT_EQ(pairs.Get(1), (TD2Integer{4, 3}));

    matrix = Build("", {Remove(Column(1).Except({{1, 8}, {1, 0}}), "2")});
    EXPECT_FALSE(matrix.ScanColumn(1, 2, cell, pairs));
    EXPECT_EQ(pairs.Get(0), (TD2Integer{1, 0}));
    EXPECT_EQ(pairs.Get(1), (TD2Integer{1, 8}));
}

TEST(Matrix, ACopyIsIndependent) {
    TMatrix original;
    original.SetValue(1, 1, 1);
    TMatrix copy;
    copy.CopyFrom(original);
    EXPECT_EQ(copy, original);
    copy.SetValue(2, 2, 2);
    EXPECT_EQ(original.GetValue(2, 2), 0);
    EXPECT_TRUE(original.HasCandidate(0, 0, 2));
    copy.Reset();
    EXPECT_EQ(copy, TMatrix());
}

TEST(PositionText, ReadsGivensInIndexOrderAndRefusesBadText) {
    std::string error;
    const auto matrix = MatrixFromText(kSolved, error);
    ASSERT_TRUE(matrix);
    EXPECT_EQ(PositionText(*matrix), kSolved);
    EXPECT_EQ(matrix->GetValue(8, 0), 9);
    EXPECT_EQ(matrix->GetValue(0, 8), 9);

    // Characters are counted as UTF-8 reads them ("\xEF\xBC\x91" is the full-width 1), a byte
    // outside any well-formed sequence as one of its own.
    const std::string zeros4(4, '0'), zeros76(76, '0'), zeros80(80, '0');
    const struct {
        std::string text;
        const char* error;
    } bad[] = {
        {zeros80, "expected 81 characters, got 80"},
        {zeros80 + "00", "expected 81 characters, got 82"},
        {zeros80 + "\xEF\xBC\x91\xEF\xBC\x91", "expected 81 characters, got 82"},
        {zeros4 + "x" + zeros76, "character 5 is 'x', not a digit 0-9"},
        {zeros4 + "\xEF\xBC\x91" + zeros76, "character 5 is U+FF11, not a digit 0-9"},
        {zeros4 + "\xF0\x9F\x98\x80" + zeros76, "character 5 is U+1F600, not a digit 0-9"},
        {zeros80 + "\xE3", "character 81 is byte 0xE3, not a digit 0-9"},
        {zeros4 + "\xC0\xB1" + zeros76, "expected 81 characters, got 82"},  // an overlong "1"
        {zeros4 + "\xED\xA0\x80" + zeros76.substr(2), "character 5 is byte 0xED, not a digit 0-9"},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(MatrixFromText(b.text, error)) << b.error;
        EXPECT_EQ(error, b.error);
    }
}

}  // namespace
