// The evidence of explanation steps, read on a position: whether a step holds where it stands,
// what it does to the position, and the patterns the explainer looks for (a basic placement of
// a given move, a dead end). Internal to the puzzle logic; the explainer cuts its step lists down
// with these.
//
// Cells are indexes col + 9 x row; unit indexes are those of units.h (0..8 rows, 9..17 columns,
// 18..26 boxes).
#pragma once

#include <optional>
#include <span>

#include "logic/explanation.h"
#include "logic/matrix.h"

namespace step_evidence {

int UnitIndex(TUnit unit);
TUnit UnitAt(int index);

// Whether the step's evidence holds on m: its pattern is there, its removals are candidates of
// m that the pattern rules out, and for a trial its steps reach its dead end.
bool Holds(const TStep& step, const TMatrix& m);
// Plays the step on m: removes its candidates or places its digit.
void Apply(const TStep& step, TMatrix& m);
// Each step holds in turn, played as it comes; m ends after the last. False at the first that
// does not hold (m then stands before it).
bool Replay(std::span<const TStep> steps, TMatrix& m);

// m with the digit placed in the cell, as a supposition.
TMatrix Supposed(const TMatrix& m, int cell, int digit);

bool DeadEndHolds(const TDeadEnd& end, const TMatrix& m);
// The first dead end of m: an empty cell without candidates in index order, else a digit
// without room in rows, columns, then boxes (digits 1..9 within each unit).
std::optional<TDeadEnd> FindDeadEnd(const TMatrix& m);

// The simplest step that places the move on m: its cell the last empty one of a unit, its digit's
// last place in a unit (rows, columns, boxes), or its cell's one candidate.
std::optional<TStep> BasicPlacement(const TMatrix& m, const TMove& move);

}  // namespace step_evidence
