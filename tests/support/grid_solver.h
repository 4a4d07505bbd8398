// An exact solver and a generator of solved grids, for tests: the reference that the logical
// techniques are checked against. Independent of TMatrix on purpose.
//
// A grid is 81 values, index = col + 9 x row, 0 for an empty cell.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "logic/random.h"

namespace testgrid {

using TGrid = std::array<int, 81>;

TGrid FromText(std::string_view text);
std::string ToText(const TGrid& grid);

// Whether no digit stands twice in a row, column or box.
bool IsConsistent(const TGrid& grid);

// The number of solutions of `puzzle`, counting no further than `limit`; the first one found
// goes to `first` when given.
int CountSolutions(const TGrid& puzzle, int limit, TGrid* first = nullptr);

// A random solved grid.
TGrid RandomSolvedGrid(TRandom& random);

// `solution` with all but `givens` cells emptied, chosen at random.
TGrid KeepRandomCells(const TGrid& solution, int givens, TRandom& random);

}  // namespace testgrid
