// Cutting an explanation down: the steps recorded from the game's search read anew where they
// stand, left out where the answer (or a trial's dead end) can do without them, and their
// removals that matter marked. Internal to the puzzle logic.
//
// A step is read anew whenever a step before it is left out: a lock's cells and every step's
// removals are taken from the position it then stands on, so each lock, naked and hidden subset
// always removes everything its pattern rules out there; one that would remove nothing is left
// out too. Inside a trial a pattern of one cell is told as the placement it amounts to, where
// the trial still reaches a dead end so.
#pragma once

#include <vector>

#include "logic/explanation.h"
#include "logic/matrix.h"

namespace step_cutting {

// Reads the recorded eliminations (trials among them) anew from m on, each where it then stands;
// a trial's own steps end at their first dead end. m ends after the last step. False when some
// step no longer holds or a trial reaches no dead end.
bool Settle(TMatrix& m, std::vector<TStep>& steps);

// Leaves out each settled step that the answer can do without, and each step of a trial that
// its dead end can do without, until none is left to spare. The steps must end where a basic
// placement shows the answer; they still do after.
void CutDown(const TMatrix& position, std::vector<TStep>& steps, const TMove& answer);

// Sets Matters of every elimination, a trial's own steps among them (see TStep::Matters). The
// steps are the whole explanation, the answer's placement last.
void MarkMatters(const TMatrix& position, std::vector<TStep>& steps);

}  // namespace step_cutting
