#include "board/explanation_drawing.h"

#include <algorithm>

#include "logic/explanation_walk.h"

namespace {

bool HasCandidate(const TMatrix& m, int cell, int digit) {
    return m.ValueAt(cell) == 0 && m.HasCandidate(cell % 9, cell / 9, digit);
}

void AddCandidate(TExplanationDrawing& d, TCandidate candidate) {
    if (std::find(d.Candidates.begin(), d.Candidates.end(), candidate) == d.Candidates.end())
        d.Candidates.push_back(candidate);
}

// The cell's candidates; with a digit, only that one.
void AddCell(TExplanationDrawing& d, const TMatrix& m, int cell, int only = 0) {
    for (int digit = 1; digit <= 9; ++digit) {
        if ((only == 0 || digit == only) && HasCandidate(m, cell, digit))
            AddCandidate(d, {cell, digit});
    }
}

void AddUnit(TExplanationDrawing& d, const TMatrix& m, TUnit unit, int only = 0) {
    for (const int cell : CellsOf(unit))
        AddCell(d, m, cell, only);
}

void Strike(TExplanationDrawing& d, const std::vector<TCandidate>& removed) {
    for (const TCandidate& c : removed) {
        AddCandidate(d, c);
        d.Struck.push_back(c);
    }
}

void ShowDeadEnd(TExplanationDrawing& d, const TDeadEnd& end) {
    d.DeadEnd = end;
    if (end.IsCell())
        d.Outlined.push_back(end.Cell);
    else
        d.Shaded.push_back(end.Unit);
}

}  // namespace

TExplanationDrawing DrawingOf(const TExplanationWalk& walk) {
    TExplanationDrawing d;
    const TMatrix& m = walk.Before();
    const bool supposing = walk.OpenedTrial() != nullptr;
    for (int cell = 0; cell < 81; ++cell) {
        if (m.ValueAt(cell) != 0 && walk.Position().ValueAt(cell) == 0)
            d.Supposed.push_back({cell, m.ValueAt(cell)});
    }
    if (walk.Count() == 0) return d;
    const TStep& s = walk.Current();
    const TMove& answer = walk.Explanation().Answer;
    const bool plainLast =
        !supposing && !walk.CanForward() && s.Places() && s.Type != TStepType::Contradiction;
    if (!plainLast) d.Covered = answer.Col + 9 * answer.Row;
    if (walk.AtDeadEnd()) {
        ShowDeadEnd(d, s.Contradiction);
        return d;
    }
    switch (s.Type) {
        case TStepType::LastCell:
            d.Shaded = {s.Unit};
            break;
        case TStepType::LastPlace:
            d.Shaded = {s.Unit};
            AddUnit(d, m, s.Unit, s.Digit);
            break;
        case TStepType::LastCandidate:
            d.Outlined = {s.Cell};
            AddCell(d, m, s.Cell);
            break;
        case TStepType::Locked:
            d.Shaded = {s.Unit, s.Other};
            d.Outlined = s.Cells;
            AddUnit(d, m, s.Unit, s.Digit);
            AddUnit(d, m, s.Other, s.Digit);
            break;
        case TStepType::Naked:
            d.Shaded = {s.Unit};
            d.Outlined = s.Cells;
            AddUnit(d, m, s.Unit);
            break;
        case TStepType::Hidden:
            d.Shaded = {s.Unit};
            d.Outlined = s.Cells;
            for (const int digit : s.Digits)
                AddUnit(d, m, s.Unit, digit);
            for (const int cell : s.Cells)
                AddCell(d, m, cell);
            break;
        case TStepType::Contradiction: {
            d.Outlined = {s.Cell};
            AddCell(d, m, s.Cell);
            d.Struck.push_back({s.Cell, s.Assumed});
            int from = s.Cell;
            for (const TChainLink& link : s.Chain) {
                d.Supposed.push_back({link.Cell, link.Digit});
                d.Arrows.push_back({from, link.Cell});
                from = link.Cell;
            }
            ShowDeadEnd(d, s.Blocked);
            break;
        }
        case TStepType::Trial:
            // Its conclusion: the candidate struck, the dead end it led to. The supposition
            // itself shows once the trial is opened.
            d.Outlined = {s.Cell};
            AddCell(d, m, s.Cell);
            ShowDeadEnd(d, s.Contradiction);
            break;
    }
    Strike(d, s.Removed);
    if (s.Places()) {
        d.Circled = TCandidate{s.Cell, s.Digit};
        // Inside a supposition the digit is not on the board.
        if (supposing) d.Supposed.push_back(*d.Circled);
    }
    return d;
}
