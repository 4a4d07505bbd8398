// The candidate marks of one digit: where it can still go, and where it is nearly forced.
//
// Conventions: cell = (col, row); digit 1..9. The marks come in drawing order; a later mark of
// the same cell is drawn over an earlier one, so its colour is the one the player sees.
#pragma once

#include <vector>

#include "logic/cells.h"
#include "logic/matrix.h"

enum class TMarkColour {
    Blue,    // a candidate
    Maroon,  // one of two places left in its box
    Green,   // one of three places left in its box
    Red,     // the only place left in a box, row or column, or the cell's only candidate
};

struct TCandidateMark {
    TCell Cell;
    TMarkColour Colour = TMarkColour::Blue;
    friend bool operator==(const TCandidateMark&, const TCandidateMark&) = default;
};

// Every empty cell with candidate d in blue (rows outer, columns inner); then, over them, the
// boxes without d that have one, two or three candidate cells (box rows outer), the rows and
// the columns without d that have one, and the cells whose only candidate is d. Nothing for a
// digit outside 1-9.
std::vector<TCandidateMark> CandidateMarks(const TMatrix& matrix, int d);
