// The board's cell cursor for keyboard play: one cell, moved by the arrow keys (wrapping round
// at the grid's edges within its row or column) and by Home and End (the row's first and last
// cell). It starts a round on the first empty cell in index order.
//
// Conventions: cell = (col, row), index = col + 9 * row.
#pragma once

#include "logic/cells.h"
#include "logic/matrix.h"

class TCellCursor {
  public:
    TCell Cell() const { return cell_; }
    int Index() const { return cell_.Col + 9 * cell_.Row; }

    // dx, dy of -1, 0 or 1: one cell on, wrapping round within the row or column.
    void Move(int dx, int dy) {
        cell_.Col = (cell_.Col + dx + 9) % 9;
        cell_.Row = (cell_.Row + dy + 9) % 9;
    }
    void Home() { cell_.Col = 0; }
    void End() { cell_.Col = 8; }

    // The first empty cell in index order; (0, 0) on a full grid.
    void ToFirstEmpty(const TMatrix& matrix) {
        for (int i = 0; i < 81; ++i) {
            if (matrix.ValueAt(i) != 0) continue;
            cell_ = {i % 9, i / 9};
            return;
        }
        cell_ = {0, 0};
    }

  private:
    TCell cell_{0, 0};
};
