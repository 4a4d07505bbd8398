// What the board draws for the step an explanation walk shows: the units shaded, the key cells
// outlined, the candidates that matter in small digits (those the step removes struck out, those
// earlier steps took away struck faintly), the step's reasons (the placed digits that shut cells,
// ringed thinly, with lines to the cells they shut, which are hatched), the digits only supposed
// (drawn as ghosts), a chain's arrows, the dead end of a supposition, the placement ringed, and
// each box's name. Plain data, no Qt: the widget only paints it.
//
// Cells are indexes col + 9 x row; digits 1..9.
#pragma once

#include <optional>
#include <vector>

#include "board/explanation_reasons.h"
#include "logic/explanation.h"
#include "logic/practice_position.h"

class TExplanationWalk;

struct TExplanationArrow {
    int From = 0;
    int To = 0;
    // 0: from the cell's centre; else from that digit's small slot in the cell.
    int FromDigit = 0;

    friend bool operator==(const TExplanationArrow&, const TExplanationArrow&) = default;
};

// A box's name ("ブロック1" over "box 1"), written in one of its cells.
struct TBoxLabel {
    int Box = 0;  // bx + 3 x by
    int Cell = 0;

    friend bool operator==(const TBoxLabel&, const TBoxLabel&) = default;
};

struct TExplanationDrawing {
    // The step's own units first (drawn in the unit colour), then a crossing unit, then a dead
    // one. Units is how many of Shaded are the step's own.
    std::vector<TUnit> Shaded;
    int Units = 1;
    std::vector<int> Outlined;
    // Candidates drawn small; Struck are drawn crossed out (each is also a candidate drawn): the
    // step's removals. Of those, Matters are the ones the later steps need, drawn stronger.
    std::vector<TCandidate> Candidates;
    std::vector<TCandidate> Struck;
    std::vector<TCandidate> Matters;
    // Candidates the step looks at that earlier steps took away: drawn faint and struck.
    std::vector<TCandidate> Gone;
    // Taken away earlier from the ringed cell, which shows its digit alone: not drawn, named
    // beside the board.
    std::vector<TCandidate> GoneUnderRing;
    // The step's reasons: placed digits ringed thinly, lines to the cells they shut, and those
    // cells hatched.
    std::vector<int> Reasons;
    std::vector<TShutLine> ReasonLines;
    std::vector<int> Hatched;
    // Digits that stand only in a supposition, not on the board: drawn large as ghosts.
    std::vector<TCandidate> Supposed;
    // A contradiction's supposed candidate: a small ghost in its slot, where its arrow starts.
    std::vector<TCandidate> SupposedCandidates;
    std::vector<TExplanationArrow> Arrows;
    // Where a supposition breaks down: a cell left without candidates or a unit without room.
    std::optional<TDeadEnd> DeadEnd;
    // The digit the step places, ringed (the answer on the explanation's last step); its cell
    // shows no small digits.
    std::optional<TCandidate> Circled;
    // The answer's cell, whose piece stands on the board after the round, is drawn empty on
    // every page but the explanation's last (-1: nothing covered).
    int Covered = -1;
    // One per box, in the box's order, but for a shaded box whose every corner is marked.
    std::vector<TBoxLabel> BoxLabels;
};

TExplanationDrawing DrawingOf(const TExplanationWalk& walk);

// What a practice hint shows on the board: its unit shaded and, from the second hint on, its
// key cells outlined. Nothing is covered or struck; the hint's text names the unit.
TExplanationDrawing DrawingOf(const TPracticeHint& hint);
