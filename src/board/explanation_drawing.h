// What the board draws for the step an explanation walk shows: the units shaded, the key cells
// outlined, the candidates that matter in small digits (those the step removes struck out), the
// digits only supposed (inside a trial, and along a contradiction's chain: drawn as ghosts), a
// chain's arrows, the dead end of a supposition, and the placement ringed. Plain data, no Qt:
// the widget only paints it.
//
// Cells are indexes col + 9 x row; digits 1..9.
#pragma once

#include <optional>
#include <vector>

#include "logic/explanation.h"

class TExplanationWalk;

struct TExplanationArrow {
    int From = 0;
    int To = 0;

    friend bool operator==(const TExplanationArrow&, const TExplanationArrow&) = default;
};

struct TExplanationDrawing {
    // The step's own unit first (drawn stronger), then a crossing or dead unit.
    std::vector<TUnit> Shaded;
    std::vector<int> Outlined;
    // Candidates drawn small; Struck are drawn crossed out (each is also a candidate drawn): the
    // step's removals, and a contradiction's supposed digit.
    std::vector<TCandidate> Candidates;
    std::vector<TCandidate> Struck;
    // Digits that stand only in a supposition, not on the board.
    std::vector<TCandidate> Supposed;
    std::vector<TExplanationArrow> Arrows;
    // Where a supposition breaks down: a cell left without candidates or a unit without room.
    std::optional<TDeadEnd> DeadEnd;
    // The digit the step places, ringed (the answer on the explanation's last step).
    std::optional<TCandidate> Circled;
    // The answer's cell, whose piece stands on the board after the round, is drawn empty on
    // every page but the last placement that puts it there (-1: nothing covered).
    int Covered = -1;
};

TExplanationDrawing DrawingOf(const TExplanationWalk& walk);
