// The board's model: pieces, the move rule, recording, undo and redo, and what the screen is
// told. Cells are (col, row); piece i carries digit i / 9 + 1.
#include "board/board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/board_printers.h"

namespace {

// Records what the screen is told, as short words.
class RecordingView : public TBoardView {
  public:
    std::vector<std::string> events;
    int beeps = 0;
    int status = 0;
    void PieceMoved(int index) override { events.push_back("moved " + std::to_string(index)); }
    void PieceSnappedBack(int index) override { events.push_back("snap " + std::to_string(index)); }
    void Beep() override { ++beeps; }
    void DrawStatus() override { ++status; }
};

struct BoardTest : ::testing::Test {
    TBoard board;
    RecordingView view;
    std::vector<TPlacedMove> placed;  // what OnChanged told, in order
    BoardTest() {
        board.SetView(&view);
        board.OnChanged = [this](const TPlacedMove& move) { placed.push_back(move); };
    }
    // Places the top free piece of the digit on the cell, recorded.
    bool Put(int digit, int col, int row) {
        return board.PlacePiece(board.NextFreePiece(digit), col, row, true);
    }
    // Lays out a puzzle text the way loading does: every given recorded, no events wanted.
    void Load(const std::string& text) {
        const auto saved = board.OnChanged;
        board.OnChanged = nullptr;
        for (int i = 0; i < 81; ++i)
            if (text[static_cast<std::size_t>(i)] != '0')
                Put(text[static_cast<std::size_t>(i)] - '0', i % 9, i / 9);
        board.OnChanged = saved;
    }
};

// 30 givens.
const std::string kThirty =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";

}  // namespace

TEST_F(BoardTest, FreshBoard) {
    EXPECT_EQ(board.Count(), 0);
    EXPECT_EQ(board.FixedPos(), 0);
    EXPECT_EQ(board.Histories().Floater(), -1);
    board.Undo();
    board.Redo();
    EXPECT_EQ(board.Histories().Count(), 0);
    EXPECT_EQ(board.NextFreePiece(4), 35);
    EXPECT_EQ(board.NextFreePiece(0), TBoard::kNoPiece);
    EXPECT_EQ(board.NextFreePiece(10), TBoard::kNoPiece);
    EXPECT_EQ(board.PieceAt(0, 0), TBoard::kNoPiece);
}

TEST_F(BoardTest, LoadingAndFixing) {
    Load(kThirty);
    EXPECT_EQ(board.Count(), 30);
    EXPECT_EQ(board.Histories().Count(), 30);
    EXPECT_EQ(board.Histories().Floater(), 29);
    EXPECT_TRUE(placed.empty());  // disconnected while loading, yet recorded
    board.Fix();
    EXPECT_EQ(board.FixedPos(), 30);
    EXPECT_TRUE(board.Pieces(board.PieceAt(0, 0)).Fixed);
    board.UndoAll();
    EXPECT_EQ(board.Count(), 30);
    EXPECT_EQ(board.Histories().Floater(), 29);
    board.UnFix();
    EXPECT_FALSE(board.Pieces(board.PieceAt(0, 0)).Fixed);
    EXPECT_EQ(board.FixedPos(), 30);
}

TEST_F(BoardTest, PlayerMoveUndoRedoAndReplace) {
    Load(kThirty);
    board.Fix();
    const int piece = board.NextFreePiece(4);
    ASSERT_TRUE(board.PlacePiece(piece, 2, 0, true));  // 4 fits row 0, column 2
    EXPECT_EQ(placed, (std::vector<TPlacedMove>{{piece, {2, 0, 4}, TMoveOrigin::Program}}));
    EXPECT_EQ(board.Count(), 31);
    EXPECT_EQ(board.Histories().Floater(), 30);
    const THistory& entry = board.Histories().Items(30);
    EXPECT_EQ(entry.Digit(), 4);
    EXPECT_EQ(entry.ToCol(), 2);
    EXPECT_EQ(entry.FromCol(), -1);

    board.Undo();
    EXPECT_EQ(board.Count(), 30);
    EXPECT_EQ(board.Histories().Floater(), 29);
    EXPECT_FALSE(board.Pieces(piece).OnGrid());
    board.Undo();  // the fixed floor
    EXPECT_EQ(board.Histories().Floater(), 29);
    board.Redo();
    EXPECT_EQ(board.Matrix().GetValue(2, 0), 4);
    EXPECT_EQ(board.Histories().Floater(), 30);
    board.Redo();  // nothing after the end
    EXPECT_EQ(board.Histories().Floater(), 30);
    EXPECT_EQ(placed.size(), 1u);  // undo and redo raise nothing

    board.Undo();
    ASSERT_TRUE(Put(1, 2, 0));
    EXPECT_EQ(board.Histories().Count(), 31);
    EXPECT_EQ(board.Histories().Items(30).Digit(), 1);
}

TEST_F(BoardTest, MoveFromCellToCell) {
    ASSERT_TRUE(Put(7, 0, 0));
    const int piece = board.PieceAt(0, 0);
    board.LiftPiece(piece);  // what a drag does first
    EXPECT_EQ(board.Matrix().GetValue(0, 0), 0);
    ASSERT_TRUE(board.PlacePiece(piece, 4, 4, true, TMoveOrigin::Player));
    EXPECT_EQ(placed.back(), (TPlacedMove{piece, {4, 4, 7}, TMoveOrigin::Player}));
    const THistory& entry = board.Histories().Items(1);
    EXPECT_EQ(entry.FromCol(), 0);
    EXPECT_EQ(entry.FromRow(), 0);
    EXPECT_EQ(entry.ToCol(), 4);
    board.Undo();
    EXPECT_EQ(board.Matrix().GetValue(4, 4), 0);
    EXPECT_EQ(board.Matrix().GetValue(0, 0), 7);
    EXPECT_EQ(board.PieceAt(0, 0), piece);
}

TEST_F(BoardTest, RefusedDropChangesNothingRecorded) {
    ASSERT_TRUE(Put(5, 0, 3));
    const std::size_t before = placed.size();
    const int piece = board.NextFreePiece(5);
    view.events.clear();
    EXPECT_FALSE(board.PlacePiece(piece, 8, 3, true));  // row 3 holds a 5
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(view.events, std::vector<std::string>{"snap " + std::to_string(piece)});
    EXPECT_EQ(board.Count(), 1);
    EXPECT_EQ(board.Histories().Count(), 1);
    EXPECT_EQ(placed.size(), before);
    EXPECT_FALSE(board.Pieces(piece).OnGrid());
}

TEST_F(BoardTest, RefusedDropOfACellPieceWritesItsDigitBack) {
    ASSERT_TRUE(Put(6, 1, 0));
    ASSERT_TRUE(Put(6, 4, 1));
    const int six = board.PieceAt(1, 0);
    board.LiftPiece(six);
    EXPECT_EQ(board.Matrix().GetValue(1, 0), 0);
    EXPECT_FALSE(board.PlacePiece(six, 5, 1, true));  // row 1 holds a 6
    EXPECT_EQ(board.Matrix().GetValue(1, 0), 6);
    EXPECT_EQ(board.PieceAt(1, 0), six);
    EXPECT_EQ(board.Histories().Count(), 2);
}

TEST_F(BoardTest, DropOnATakenCellSendsThePieceBackUnrecorded) {
    ASSERT_TRUE(Put(5, 0, 0));
    ASSERT_TRUE(Put(6, 4, 4));
    const int six = board.PieceAt(4, 4);
    board.LiftPiece(six);
    EXPECT_FALSE(board.PlacePiece(six, 0, 0, true));
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(board.PieceAt(4, 4), six);
    EXPECT_EQ(board.Matrix().GetValue(4, 4), 6);
    EXPECT_EQ(board.Histories().Count(), 2);

    // Dropping a piece onto the cell it stands on does nothing.
    EXPECT_FALSE(board.PlacePiece(six, 4, 4, true));
    EXPECT_EQ(view.beeps, 1);
}

TEST_F(BoardTest, DropBackOnItsOwnCellIsPlacedAgainWithoutEntry) {
    ASSERT_TRUE(Put(5, 2, 2));
    const int piece = board.PieceAt(2, 2);
    const std::size_t before = placed.size();
    board.LiftPiece(piece);
    EXPECT_TRUE(board.PlacePiece(piece, 2, 2, true));
    EXPECT_EQ(board.Histories().Count(), 1);
    ASSERT_EQ(placed.size(), before + 1);
    EXPECT_EQ(placed.back(), (TPlacedMove{piece, {2, 2, 5}, TMoveOrigin::Program}));
}

TEST_F(BoardTest, ReturningAStackPieceRecordsNothing) {
    const int piece = board.NextFreePiece(3);
    EXPECT_TRUE(board.PlacePiece(piece, -1, -1, true));
    EXPECT_EQ(board.Histories().Count(), 0);
    EXPECT_TRUE(placed.empty());
    EXPECT_FALSE(board.PlacePiece(piece, 9, 0, true));
    EXPECT_FALSE(board.PlacePiece(piece, 0, -2, true));

    ASSERT_TRUE(Put(3, 1, 1));
    board.ReturnPiece(board.PieceAt(1, 1), true);
    EXPECT_EQ(board.Histories().Count(), 2);
    EXPECT_EQ(board.Histories().Items(1).ToCol(), -1);
    EXPECT_EQ(board.Count(), 0);
    EXPECT_EQ(placed.size(), 1u);  // returning never raises the event
}

TEST_F(BoardTest, UndoAllAndRedoAllStopAtTheFloorAndTheEnd) {
    struct HintView : RecordingView {
        int hintClears = 0;
        void ClearHintLayer() override { ++hintClears; }
    } hints;
    board.SetView(&hints);
    Load(kThirty);
    board.Fix();
    ASSERT_TRUE(Put(4, 2, 0));
    ASSERT_TRUE(Put(2, 1, 1));
    ASSERT_TRUE(Put(7, 2, 1));
    const TMatrix played = board.Matrix();
    board.UndoAll();
    EXPECT_EQ(hints.hintClears, 1);
    EXPECT_EQ(board.Count(), 30);
    EXPECT_EQ(board.Histories().Floater(), 29);
    EXPECT_EQ(board.Histories().Count(), 33);
    board.RedoAll();
    EXPECT_EQ(hints.hintClears, 2);
    EXPECT_EQ(board.Histories().Floater(), 32);
    EXPECT_TRUE(board.Matrix() == played);
    EXPECT_EQ(placed.size(), 3u);  // the three moves; undo and redo raise nothing
}

TEST_F(BoardTest, ClearEmptiesEverything) {
    Load(kThirty);
    board.Fix();
    Put(4, 2, 0);
    board.Clear();
    EXPECT_EQ(board.Count(), 0);
    EXPECT_EQ(board.FixedPos(), 0);
    EXPECT_EQ(board.Histories().Floater(), -1);
    EXPECT_EQ(board.Histories().Count(), 0);
    for (int i = 0; i < TBoard::kPieceCount; ++i) {
        EXPECT_FALSE(board.Pieces(i).OnGrid());
        EXPECT_FALSE(board.Pieces(i).Fixed);
    }
    EXPECT_EQ(board.Matrix().GetCandidates(0, 0), 511);
}

TEST_F(BoardTest, CountFollowsTheStatus) {
    view.status = 0;
    Put(1, 0, 0);
    Put(2, 1, 0);
    EXPECT_EQ(view.status, 2);  // each move of the cursor redraws the count
    board.Undo();
    EXPECT_EQ(view.status, 3);
    EXPECT_EQ(board.Count(), 1);
}

TEST_F(BoardTest, ATenthCopyOfADigitFindsNoPieceAndPlacesNothing) {
    // Nine 1s that keep the rule, and a tenth in row 0: all nine pieces of 1 stand on cells.
    std::string text(81, '0');
    for (int row = 0; row < 9; ++row)
        text[static_cast<std::size_t>((3 * row + row / 3) % 9 + 9 * row)] = '1';
    text[4] = '1';
    board.LayOutPuzzle(text);
    EXPECT_EQ(board.Count(), 9);
    EXPECT_EQ(board.Histories().Count(), 9);
    EXPECT_EQ(board.NextFreePiece(1), TBoard::kNoPiece);
    EXPECT_FALSE(board.PlacePiece(TBoard::kNoPiece, 4, 4, true));
    board.ReturnPiece(TBoard::kNoPiece, true);
    EXPECT_EQ(board.Histories().Count(), 9);
}

TEST_F(BoardTest, RedoThatBreaksTheRuleBeepsYetMovesTheCursor) {
    ASSERT_TRUE(Put(4, 2, 0));
    const int four = board.PieceAt(2, 0);
    board.Undo();
    // Another 4 enters row 0 without a record, so the redo tail survives.
    ASSERT_EQ(board.NextFreePiece(4), four);
    ASSERT_TRUE(board.PlacePiece(four - 1, 7, 0, false));
    board.Redo();
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(board.Histories().Floater(), 0);
    EXPECT_FALSE(board.Pieces(four).OnGrid());
    EXPECT_EQ(board.Matrix().GetValue(2, 0), 0);
    EXPECT_EQ(board.Count(), 1);
}
