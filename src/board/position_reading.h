// Small readings of a position that the board's solver and answer search share.
#pragma once

#include "logic/cells.h"
#include "logic/matrix.h"

namespace position_reading {

// The digit of a one-bit mask, or 0 when the mask has no bit or several.
inline int DigitOfSingle(int mask) {
    if (mask == 0 || (mask & (mask - 1)) != 0) return 0;
    int digit = 1;
    while ((mask >> (digit - 1)) != 1)
        ++digit;
    return digit;
}

// The digits placed in the cell's row, column and box, bit d - 1 for digit d.
inline int DigitsSeen(const TMatrix& m, TCell c) {
    int seen = 0;
    for (int d = 1; d <= 9; ++d)
        if (m.RowHas(c.Row, d) || m.ColumnHas(c.Col, d) || m.BoxHas(c.Col, c.Row, d))
            seen |= 1 << (d - 1);
    return seen;
}

// The one digit that the cell's row, column and box do not hold, or 0.
inline int OnlyMissingDigit(const TMatrix& m, TCell c) {
    return DigitOfSingle(511 & ~DigitsSeen(m, c));
}

}  // namespace position_reading
