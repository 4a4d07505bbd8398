// The exact count of a position's solutions, and random solved grids: what the practice maker
// needs to know that a position it makes is a puzzle (exactly one solution).
//
// A grid is 81 values, index = col + 9 x row, 0 for an empty cell, 1..9 a digit. Candidate sets
// are 9-bit masks, bit d - 1 for digit d. The search keeps the placed digits of every row,
// column and box as masks, fills naked and hidden singles before it branches, and branches on
// the empty cell with the fewest candidates.
#pragma once

#include <array>
#include <cstdint>

class TMatrix;
class TRandom;

using TGridValues = std::array<std::uint8_t, 81>;

// The values of a position.
TGridValues ValuesOf(const TMatrix& position);

// The number of solutions of the grid, counting no further than `limit` (>= 1); 0 when its
// givens clash. The first solution found goes to `first` when given and one exists.
int CountSolutions(const TGridValues& grid, int limit, TGridValues* first = nullptr);

// A solved grid drawn at random (the search tries digits in a random order).
TGridValues RandomSolvedGrid(TRandom& random);
