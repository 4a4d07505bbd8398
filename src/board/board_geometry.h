// Where things lie on the board widget, in board client pixels: the grid, the cells, the piece
// stacks left of the grid and the slots of the candidate marks.
//
// Conventions: cell = (col, row), 0..8 each; piece i carries digit i / 9 + 1 and is piece
// k = i % 9 of its digit's stack. The band left of the grid, two cell widths wide, holds the
// stacks; the 20 pixels above the grid hold the column letters and the status text.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <optional>

#include "logic/cells.h"

struct TBoardGeometry {
    int GridLeft = 0;
    int GridTop = 20;
    int CellWidth = 0;
    int CellHeight = 0;

    // The layout for a board of the size: 576 x 480 and 580 x 480 both give cells of 52 x 50
    // with the grid at (104, 20).
    static TBoardGeometry ForSize(QSize board) {
        TBoardGeometry g;
        g.CellWidth = (board.width() - 4) / 11;
        g.CellHeight = (board.height() - 24) / 9;
        g.GridLeft = 2 * g.CellWidth;
        return g;
    }

    QPoint CellOrigin(int col, int row) const {
        return {GridLeft + col * CellWidth, GridTop + row * CellHeight};
    }
    // A piece covers its cell from 3 pixels inside the cell's top-left grid lines.
    QPoint PieceOnCell(int col, int row) const { return CellOrigin(col, row) + QPoint(3, 3); }
    QSize PieceSize() const { return {CellWidth - 3, CellHeight - 3}; }
    // The nine pieces of a digit overlap 4 pixels apart, in a row aligned with a grid row.
    QPoint Home(int index) const { return {4 * (index % 9), (index / 9) * CellHeight + 22}; }

    // Digit d's mark has a fixed slot of a 3 x 3 pattern of 16-pixel steps inside the cell:
    // 1 top left, 5 centre, 9 bottom right.
    QPoint MarkOrigin(TCell cell, int digit) const {
        return CellOrigin(cell.Col, cell.Row) +
               QPoint((digit - 1) % 3 * 16 + 4, (digit - 1) / 3 * 16 + 4);
    }

    // The cell a piece dropped with the pointer at p lands on, or none to send it home. The
    // strips right of and below the grid count as column 8 and row 8; left of the grid (over
    // the stacks), above it or off the board there is no cell.
    std::optional<TCell> DropCell(QPoint p, QSize board) const {
        if (p.x() < GridLeft || p.y() < GridTop || p.x() > board.width() || p.y() > board.height())
            return std::nullopt;
        return TCell{std::min(8, (p.x() - GridLeft) / CellWidth),
                     std::min(8, (p.y() - GridTop) / CellHeight)};
    }
};
