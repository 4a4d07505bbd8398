// Why a position's answer is forced: a list of steps on the position's candidates, each one
// checkable on the candidates as they stand when it comes. All steps but the last remove
// candidates; the last places the answer.
//
// Cells are indexes col + 9 x row (0 is the top-left cell); digits 1..9. A unit is a row (its y),
// a column (its x) or a box (b = bx + 3 x by, so box 0 is the top left, box 2 the top right).
//
// The steps are made from the moves the game's own search makes (the eliminations of levels
// 4-6, the contradiction tests of levels 7-8, the trials of level 9), each removal recorded with
// the pattern that justifies it, and then cut down: no step is left that the answer could do
// without.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "logic/cells.h"

class TMatrix;

enum class TUnitKind { Row, Column, Box };

struct TUnit {
    TUnitKind Kind = TUnitKind::Row;
    int Number = 0;  // y of a row, x of a column, bx + 3 x by of a box

    friend bool operator==(const TUnit&, const TUnit&) = default;
};

// The nine cells of the unit, rows and columns in order, boxes row by row.
std::vector<int> CellsOf(TUnit unit);
bool Contains(TUnit unit, int cell);

// A candidate: the digit in the cell.
struct TCandidate {
    int Cell = 0;
    int Digit = 0;

    friend bool operator==(const TCandidate&, const TCandidate&) = default;
};

// A digit placed in its last place left in a unit.
struct TChainLink {
    TUnit Unit;
    int Cell = 0;
    int Digit = 0;

    friend bool operator==(const TChainLink&, const TChainLink&) = default;
};

// Where a supposition breaks down: an empty cell with no candidate left (Cell >= 0), or a unit
// with no room left for a digit (Cell < 0; Unit and Digit).
struct TDeadEnd {
    int Cell = -1;
    TUnit Unit;
    int Digit = 0;

    bool IsCell() const { return Cell >= 0; }
    friend bool operator==(const TDeadEnd&, const TDeadEnd&) = default;
};

enum class TStepType {
    LastCell,       // technique 1: a unit with one empty cell takes its missing digit
    LastPlace,      // 2: a digit with one place left in a unit
    LastCandidate,  // 3: a cell with one candidate
    Locked,         // 4: a digit confined to where a unit crosses another
    Naked,          // 5: n cells of a unit holding only n digits
    Hidden,         // 6: n digits of a unit with only n places
    Contradiction,  // 7 or 8: one of two candidates leads to a digit without room
    Trial,          // 9: a candidate that leads to a dead end
};

// The pattern name as the explain command writes it ("last_cell", ...).
std::string_view StepTypeName(TStepType type);

struct TStep {
    TStepType Type = TStepType::LastCell;
    int Technique = 1;  // 1..9, the level of the technique names table

    // Placements: the cell and the digit placed. Locked: the digit. Contradiction: the digit
    // the cell takes. Trial: the cell tried.
    int Cell = -1;
    int Digit = 0;
    // Last cell and last place: where the digit is the last one. Locked: where the digit is
    // confined. Naked, hidden: the subset's unit.
    TUnit Unit;
    // Locked: the crossing unit whose other cells lose the digit.
    TUnit Other;
    // Locked: the digit's candidate cells in Unit. Naked, hidden: the subset's cells. Ascending.
    std::vector<int> Cells;
    // Naked, hidden: the subset's digits, ascending.
    std::vector<int> Digits;
    // Contradiction, trial: the candidate supposed to be in Cell.
    int Assumed = 0;
    // Contradiction: the last places of one digit that follow from Assumed, in order, and the
    // unit left without room for that digit.
    std::vector<TChainLink> Chain;
    TDeadEnd Blocked;
    // Trial: the steps that follow from Assumed (no trial or contradiction among them) and the
    // dead end they reach.
    std::vector<TStep> Steps;
    TDeadEnd Contradiction;
    // Eliminations: the candidates removed, each there when the step comes; a lock, a naked or
    // a hidden subset removes every candidate its pattern rules out then. Empty for placements
    // and contradictions.
    std::vector<TCandidate> Removed;
    // Eliminations: those of Removed that matter, in the order of Removed: enough by themselves
    // (with only these removed, the steps after it still hold, inside a trial up to its dead
    // end), and none of them to spare. Never empty for an elimination; empty for placements
    // and contradictions.
    std::vector<TCandidate> Matters;

    bool Places() const;
};

struct TExplanation {
    TMove Answer;
    std::vector<TStep> Steps;  // empty when the answer could not be explained
    // The position's own dead end (DeadEndOf), when it has one: it has no solution, so there is
    // no answer to explain and Steps is empty.
    std::optional<TDeadEnd> Contradiction;

    bool Explained() const { return !Steps.empty(); }
    // The highest technique among the steps: the one whose name tells how hard the answer is;
    // 0 when there are no steps.
    int Technique() const;
};

// The first dead end of the position: an empty cell without candidates (in index order), else
// a unit without room for a digit (rows, columns, then boxes; the lowest digit). Nothing when
// there is none.
std::optional<TDeadEnd> DeadEndOf(const TMatrix& position);

// Explains the answer of the position (its givens placed with SetValue), the move the board's
// answer search gives for it. Follows that search phase by phase: a move of levels 1-3 on the
// position itself, levels 4-6 until a forced move shows, keep off and get out, the trials of
// level 9; the first phase that gives the answer explains it. A move that none of them gives
// is left unexplained (no steps), and so is any move on a position with a dead end, which
// gets its Contradiction.
TExplanation Explain(const TMatrix& position, const TMove& answer);
