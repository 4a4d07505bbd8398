// An independent check of answer explanations, for tests. It keeps its own copy of the
// position (digits and candidate sets) and its own reading of the rules, and shares no code with
// the explainer beyond the step types:
//
// - there is at least one step; every step but the last removes candidates (locked, naked,
//   hidden, trial) and the last places the answer (last_cell, last_place, last_candidate,
//   contradiction);
// - each step's technique number is its pattern's (a contradiction is 7 when the blocked digit
//   is the assumed one, 8 when it is the digit placed);
// - each step's evidence holds on the position it stands on (after the steps before it), and
//   it removes only candidates that are there then, each one its pattern rules out; a lock, a
//   naked or a hidden subset removes all of them;
// - a trial removes just its assumed candidate; its own steps are of patterns 1-6 (no trial,
//   no contradiction), hold in turn with the assumed digit placed, and end in its dead end;
// - minimal: without any one removing step the rest no longer holds or no longer shows the
//   answer (by a placement no harder than the last step's); without any one step of a trial,
//   the trial's steps no longer reach a dead end; without any one link of a contradiction's
//   chain, its digit no longer runs out of room. A lock left without a step before it is
//   taken as its digit and units, with the cells the digit has then;
// - each removing step marks those of its removals that matter: enough for the steps after it
//   (and a trial's own steps for its dead end), none of them to spare.
//
// Cells are indexes col + 9 x row.
#pragma once

#include <optional>
#include <string>

#include "logic/explanation.h"
#include "logic/matrix.h"

namespace explanation_check {

// The first rule the explanation of `position` breaks, said in a few words with the step's
// number (1-based; "2.3" is the third step of the second step's trial); nothing when it keeps
// them all.
std::optional<std::string> BrokenRule(const TMatrix& position, const TExplanation& explanation);

// What is wrong with the explanation's Contradiction: a position with a dead end (an empty cell
// without candidates, or a unit without room for a digit) has one that is there and no steps,
// and cell dead ends come first; a position without one has none. Nothing when it is right.
std::optional<std::string> ContradictionFault(const TMatrix& position,
                                              const TExplanation& explanation);

}  // namespace explanation_check
