// A board widget destroyed before its model: the model goes on working and nothing it raises
// afterwards reaches the dead widget; a new widget can take the model over. The sanitized build
// of this test instruments the model's own code, where a call into the freed widget is made.
#include <gtest/gtest.h>

#include <memory>

#include "board/board.h"
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "support/known_positions.h"

namespace {

void LayOut(TSudoku& widget) {
    widget.resize(576, 480);
    widget.SetPaced(false);
    widget.Start();
}

}  // namespace

TEST(BoardWidgetLifetime, TheModelOutlivesItsWidget) {
    TBoard model;
    int told = 0;
    auto widget = std::make_unique<TSudoku>(model);
    LayOut(*widget);
    widget->OnChanged = [&told](TSudoku*, const TPlacedMove&) { ++told; };
    ASSERT_TRUE(model.PlacePiece(model.NextFreePiece(5), 2, 3, true));
    ASSERT_EQ(told, 1);
    widget.reset();
    EXPECT_FALSE(model.OnChanged);

    // Each of these tells the view something: pieces moved, a beep and a snap back, the status,
    // the layers wiped, the solver's pauses.
    EXPECT_TRUE(model.PlacePiece(model.NextFreePiece(7), 4, 4, true));
    EXPECT_FALSE(model.PlacePiece(model.NextFreePiece(7), 5, 4, true));
    model.Undo();
    model.Redo();
    model.LayOutPuzzle(known::kEasyPuzzle);
    model.Fix();
    EXPECT_TRUE(model.PlayForcedMoves(true));
    EXPECT_EQ(model.Matrix().GetState(), msSolved);
    EXPECT_EQ(told, 1);

    // A new widget shows the pieces where the model has them.
    TSudoku again(model);
    LayOut(again);
    const int given = model.PieceAt(2, 0);
    ASSERT_NE(given, TBoard::kNoPiece);
    EXPECT_EQ(again.NumberPiece(given)->pos(), again.Geometry().PieceOnCell(2, 0));
    EXPECT_TRUE(again.NumberPiece(given)->Fixed());
}
