// How the board's values read in a failed expectation.
#pragma once

#include <ostream>

#include "board/board.h"

inline void PrintTo(const TPlacedMove& placed, std::ostream* os) {
    *os << "piece " << placed.Piece << " -> (" << placed.Move.Col << ", " << placed.Move.Row
        << ") = " << placed.Move.Digit << " by "
        << (placed.Origin == TMoveOrigin::Player ? "player" : "program");
}
