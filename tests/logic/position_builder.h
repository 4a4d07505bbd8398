// Building test positions: a position text plus candidate cuts over areas of the grid, and the
// comparison of what an elimination removed against what a case expects.
//
// Cells are (col, row); a digits text such as "47" names a candidate set.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "logic/matrix.h"

namespace testpos {

// A set of cells: a row, a column, a box or single cells, less some exceptions.
struct TArea {
    std::vector<TCell> cells;

    TArea Except(std::initializer_list<TCell> excluded) const;
};

TArea Row(int y);
TArea Column(int x);
TArea Box(int bx, int by);
TArea Cells(std::initializer_list<TCell> cells);

unsigned MaskOf(std::string_view digits);
std::string DigitsOf(unsigned mask);

// One change to a position: remove digits from every cell of an area, or cut one cell's
// candidates down to digits.
struct TEdit {
    TArea area;
    std::string digits;
    bool keepOnly = false;
};

TEdit Remove(const TArea& area, std::string_view digits);
TEdit Keep(int x, int y, std::string_view digits);

// The position text ("" = empty grid) with the edits applied in order.
TMatrix Build(std::string_view text, const std::vector<TEdit>& edits = {});

// Expected loss: every cell of the area loses these digits (those it still had).
struct TLoss {
    TArea area;
    std::string digits;
};

// The candidates each cell lost between two matrices, as digit texts per index.
std::array<std::string, 81> Removed(const TMatrix& before, const TMatrix& after);
std::array<std::string, 81> Expected(const TMatrix& before, const std::vector<TLoss>& losses);

}  // namespace testpos
