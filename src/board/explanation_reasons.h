// Why a digit cannot stand in a cell, as the explanation's pictures show it: a digit placed in
// the cell's row, column or box shuts it, or an earlier step took the candidate away. Plain
// data, no Qt.
//
// Cells are indexes col + 9 x row; digits 1..9. "Placed" means a value of the matrix given: on
// a page inside a supposition the supposed digits count as placed.
#pragma once

#include <vector>

#include "logic/explanation.h"
#include "logic/matrix.h"

// A link from a digit that shuts cells to a cell it shuts (for a row or column, the farthest one
// along that line: the line passes through the nearer ones).
struct TShutLine {
    int From = 0;
    int To = 0;

    friend bool operator==(const TShutLine&, const TShutLine&) = default;
};

struct TShutCells {
    // The cells whose placed digit shuts some of the cells, each needed.
    std::vector<int> Blockers;
    std::vector<TShutLine> Lines;
    // The cells shut, in the order asked.
    std::vector<int> Shut;
};

// The matrix with m's values alone: every candidate the values leave, none taken by a step.
TMatrix ValuesOnly(const TMatrix& m);
// Whether the candidate was there by the values alone but is gone from m: an earlier step took
// it away.
bool GoneEarlier(const TMatrix& m, const TMatrix& valuesOnly, TCandidate c);
// The cells holding the digit in the cell's row, then its column, then its box, in that order.
std::vector<int> Seers(const TMatrix& m, int cell, int digit);
// Of the empty cells given, those that a placed digit shuts for the digit, with few blockers:
// each time the one that shuts the most cells not yet covered (the lowest index among equals).
TShutCells ShutCells(const TMatrix& m, const std::vector<int>& cells, int digit);
