// The board's layout and where a dropped piece lands. Cells are (col, row).
#include "board/board_geometry.h"

#include <gtest/gtest.h>

TEST(BoardGeometry, BoardsOf576And580PixelsLayOutTheSameGrid) {
    for (const int width : {576, 580}) {
        const TBoardGeometry g = TBoardGeometry::ForSize({width, 480});
        EXPECT_EQ(g.CellWidth, 52) << width;
        EXPECT_EQ(g.CellHeight, 50) << width;
        EXPECT_EQ(g.GridLeft, 104) << width;
        EXPECT_EQ(g.GridTop, 20) << width;
    }
    const TBoardGeometry g = TBoardGeometry::ForSize({580, 480});
    // 8 pixels are left over right of the grid and 10 below it.
    EXPECT_EQ(580 - (g.GridLeft + 9 * g.CellWidth), 8);
    EXPECT_EQ(480 - (g.GridTop + 9 * g.CellHeight), 10);
}

TEST(BoardGeometry, PiecesAndMarkSlots) {
    const TBoardGeometry g = TBoardGeometry::ForSize({576, 480});
    EXPECT_EQ(g.PieceSize(), QSize(49, 47));
    EXPECT_EQ(g.PieceOnCell(2, 3), QPoint(104 + 104 + 3, 20 + 150 + 3));
    // Piece k of digit d: 4 pixels right of the one before, rows aligned with the grid's.
    EXPECT_EQ(g.Home(0), QPoint(0, 22));
    EXPECT_EQ(g.Home(44), QPoint(32, 222));
    EXPECT_EQ(g.Home(80), QPoint(32, 422));
    EXPECT_EQ(g.MarkOrigin({0, 0}, 1), QPoint(108, 24));
    EXPECT_EQ(g.MarkOrigin({0, 0}, 5), QPoint(124, 40));
    EXPECT_EQ(g.MarkOrigin({8, 8}, 9), QPoint(104 + 416 + 36, 20 + 400 + 36));
}

TEST(BoardGeometry, DropCellIsUnderThePointer) {
    const TBoardGeometry g = TBoardGeometry::ForSize({576, 480});
    const QSize board(576, 480);
    struct Case {
        QPoint pointer;
        std::optional<TCell> cell;
    };
    const Case cases[] = {
        {{104, 20}, TCell{0, 0}},    // the grid's left and top edges count as the grid
        {{155, 69}, TCell{0, 0}},    // the last pixel of the first cell
        {{156, 70}, TCell{1, 1}},    //
        {{574, 245}, TCell{8, 4}},   // the strip right of the grid is column 8
        {{576, 245}, TCell{8, 4}},   // the board's right edge is still on the board
        {{300, 475}, TCell{3, 8}},   // the strip below the grid is row 8
        {{103, 245}, std::nullopt},  // over the stacks
        {{300, 19}, std::nullopt},   // above the grid
        {{577, 245}, std::nullopt},  // off the board
        {{300, 481}, std::nullopt},  //
    };
    for (const Case& c : cases) {
        const auto cell = g.DropCell(c.pointer, board);
        EXPECT_EQ(cell, c.cell) << c.pointer.x() << "," << c.pointer.y();
    }
}
