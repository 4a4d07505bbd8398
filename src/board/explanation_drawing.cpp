#include "board/explanation_drawing.h"

#include <algorithm>

#include "logic/explanation_walk.h"

namespace {

template <typename T>
bool Has(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <typename T>
void AddOnce(std::vector<T>& list, const T& item) {
    if (!Has(list, item)) list.push_back(item);
}

TUnit RowOf(int cell) {
    return {TUnitKind::Row, cell / 9};
}
TUnit ColumnOf(int cell) {
    return {TUnitKind::Column, cell % 9};
}
TUnit BoxOf(int cell) {
    return {TUnitKind::Box, cell % 9 / 3 + 3 * (cell / 27)};
}

// The drawing of one page, made up piece by piece on the candidates the page stands on.
class TDrawingBuilder {
  public:
    explicit TDrawingBuilder(const TMatrix& m) : m_(m), values_(ValuesOnly(m)) {}

    TExplanationDrawing& Drawing() { return d_; }

    // The candidate as the page has it: there, or taken away by an earlier step.
    void Look(int cell, int digit) {
        if (m_.ValueAt(cell) != 0) return;
        const TCandidate c{cell, digit};
        if (m_.CandidatesAt(cell) & (1 << (digit - 1)))
            AddOnce(d_.Candidates, c);
        else if (GoneEarlier(m_, values_, c))
            AddOnce(d_.Gone, c);
    }
    // The cell's candidates; with a digit, only that one.
    void LookCell(int cell, int only = 0) {
        for (int digit = 1; digit <= 9; ++digit) {
            if (only == 0 || digit == only) Look(cell, digit);
        }
    }
    void LookUnit(TUnit unit, int only = 0) {
        for (const int cell : CellsOf(unit))
            LookCell(cell, only);
    }

    // Why the digit has no place in those of the cells that a placed digit of `on` shuts.
    void ShowShut(const TMatrix& on, const std::vector<int>& cells, int digit) {
        const TShutCells shut = ShutCells(on, cells, digit);
        for (const int blocker : shut.Blockers)
            AddOnce(d_.Reasons, blocker);
        for (const TShutLine& line : shut.Lines)
            AddOnce(d_.ReasonLines, line);
        for (const int cell : shut.Shut)
            AddOnce(d_.Hatched, cell);
    }
    // The digits that see the cell (one for each digit but `except`), ringed.
    void ShowSeers(const TMatrix& on, int cell, int except) {
        for (int digit = 1; digit <= 9; ++digit) {
            if (digit == except) continue;
            const std::vector<int> seers = Seers(on, cell, digit);
            if (!seers.empty()) AddOnce(d_.Reasons, seers.front());
        }
    }

    void Strike(const std::vector<TCandidate>& removed, const std::vector<TCandidate>& matters) {
        for (const TCandidate& c : removed) {
            AddOnce(d_.Candidates, c);
            AddOnce(d_.Struck, c);
        }
        for (const TCandidate& c : matters)
            AddOnce(d_.Matters, c);
    }

    void ShowDeadEnd(const TMatrix& on, const TDeadEnd& end) {
        d_.DeadEnd = end;
        if (end.IsCell()) {
            d_.Outlined.push_back(end.Cell);
            ShowSeers(on, end.Cell, 0);
        } else {
            d_.Shaded.push_back(end.Unit);
            ShowShut(on, CellsOf(end.Unit), end.Digit);
        }
    }

    // The ringed cell holds its digit alone: its small digits go, those taken away earlier are
    // only named.
    void ClearRingedCell() {
        if (!d_.Circled) return;
        const int cell = d_.Circled->Cell;
        const auto inCell = [cell](const TCandidate& c) { return c.Cell == cell; };
        std::copy_if(d_.Gone.begin(), d_.Gone.end(), std::back_inserter(d_.GoneUnderRing), inCell);
        std::erase_if(d_.Gone, inCell);
        std::erase_if(d_.Candidates, inCell);
        std::erase_if(d_.Struck, inCell);
        std::erase_if(d_.Matters, inCell);
        std::erase_if(d_.Hatched, [cell](int c) { return c == cell; });
    }

    void LabelBoxes() {
        for (int box = 0; box < 9; ++box) {
            const int corner = box % 3 * 3 + box / 3 * 27;
            const int corners[4] = {corner, corner + 2, corner + 18, corner + 20};
            // A corner with nothing drawn in it, else one without small digits or a ring. A box
            // marked in every corner is the step's own (named and shaded) and needs no label;
            // any other takes its top left corner.
            const auto first = [&](auto fits) {
                const int* found = std::find_if(std::begin(corners), std::end(corners), fits);
                return found == std::end(corners) ? -1 : *found;
            };
            int chosen = first([&](int cell) { return Free(cell); });
            if (chosen < 0) {
                chosen = first([&](int cell) {
                    return !SmallDigitsIn(cell) && !Has(d_.Reasons, cell) &&
                           !(d_.Circled && d_.Circled->Cell == cell);
                });
            }
            const TUnit unit{TUnitKind::Box, box};
            if (chosen < 0 && Has(d_.Shaded, unit)) continue;
            d_.BoxLabels.push_back({box, chosen < 0 ? corners[0] : chosen});
        }
    }

  private:
    bool SmallDigitsIn(int cell) const {
        const auto inCell = [cell](const TCandidate& c) { return c.Cell == cell; };
        const auto any = [&](const std::vector<TCandidate>& list) {
            return std::any_of(list.begin(), list.end(), inCell);
        };
        return any(d_.Candidates) || any(d_.Gone) || any(d_.SupposedCandidates);
    }
    // Nothing of the drawing but shading lies in the cell.
    bool Free(int cell) const {
        const auto ends = [cell](const auto& link) { return link.From == cell || link.To == cell; };
        return !SmallDigitsIn(cell) && !Has(d_.Outlined, cell) && !Has(d_.Reasons, cell) &&
               !Has(d_.Hatched, cell) && d_.Covered != cell &&
               !(d_.Circled && d_.Circled->Cell == cell) &&
               std::none_of(d_.Arrows.begin(), d_.Arrows.end(), ends) &&
               std::none_of(d_.ReasonLines.begin(), d_.ReasonLines.end(), ends);
    }

    const TMatrix& m_;
    TMatrix values_;
    TExplanationDrawing d_;
};

std::vector<int> Except(const std::vector<int>& cells, const std::vector<int>& left) {
    std::vector<int> rest;
    std::copy_if(cells.begin(), cells.end(), std::back_inserter(rest),
                 [&](int cell) { return !Has(left, cell); });
    return rest;
}

std::vector<int> Outside(TUnit unit, TUnit crossing) {
    std::vector<int> rest;
    for (const int cell : CellsOf(unit)) {
        if (!Contains(crossing, cell)) rest.push_back(cell);
    }
    return rest;
}

void DrawStep(TDrawingBuilder& b, const TMatrix& m, const TStep& s) {
    TExplanationDrawing& d = b.Drawing();
    switch (s.Type) {
        case TStepType::LastCell:
            d.Shaded = {s.Unit};
            for (const int cell : CellsOf(s.Unit)) {
                if (m.ValueAt(cell) != 0) d.Reasons.push_back(cell);
            }
            break;
        case TStepType::LastPlace:
            d.Shaded = {s.Unit};
            b.LookUnit(s.Unit, s.Digit);
            b.ShowShut(m, Except(CellsOf(s.Unit), {s.Cell}), s.Digit);
            break;
        case TStepType::LastCandidate:
            d.Shaded = {RowOf(s.Cell), ColumnOf(s.Cell), BoxOf(s.Cell)};
            d.Units = 3;
            b.LookCell(s.Cell);
            b.ShowSeers(m, s.Cell, s.Digit);
            break;
        case TStepType::Locked:
            // The crossing's other cells lose the digit; the unit's cells off the crossing are
            // shut, which confines it.
            d.Shaded = {s.Unit, s.Other};
            d.Outlined = s.Cells;
            b.LookUnit(s.Unit, s.Digit);
            b.LookUnit(s.Other, s.Digit);
            b.ShowShut(m, Outside(s.Unit, s.Other), s.Digit);
            break;
        case TStepType::Naked:
            d.Shaded = {s.Unit};
            d.Outlined = s.Cells;
            for (const int cell : s.Cells)
                b.LookCell(cell);
            for (const int digit : s.Digits)
                b.LookUnit(s.Unit, digit);
            break;
        case TStepType::Hidden:
            d.Shaded = {s.Unit};
            d.Outlined = s.Cells;
            for (const int digit : s.Digits) {
                b.LookUnit(s.Unit, digit);
                b.ShowShut(m, Except(CellsOf(s.Unit), s.Cells), digit);
            }
            for (const int cell : s.Cells)
                b.LookCell(cell);
            break;
        case TStepType::Contradiction: {
            d.Outlined = {s.Cell};
            b.LookCell(s.Cell);
            d.SupposedCandidates.push_back({s.Cell, s.Assumed});
            // The chain as it would stand: the supposition and each digit it forces.
            TMatrix supposed = m;
            supposed.SetValue(s.Cell % 9, s.Cell / 9, s.Assumed);
            TExplanationArrow arrow{s.Cell, s.Cell, s.Assumed};
            for (const TChainLink& link : s.Chain) {
                d.Supposed.push_back({link.Cell, link.Digit});
                arrow.To = link.Cell;
                d.Arrows.push_back(arrow);
                arrow = {link.Cell, link.Cell, 0};
                supposed.SetValue(link.Cell % 9, link.Cell / 9, link.Digit);
            }
            b.ShowDeadEnd(supposed, s.Blocked);
            break;
        }
        case TStepType::Trial:
            // Its conclusion: the candidate struck, the dead end it led to. The supposition
            // itself shows once the trial is opened.
            d.Outlined = {s.Cell};
            b.LookCell(s.Cell);
            d.DeadEnd = s.Contradiction;
            if (s.Contradiction.IsCell())
                d.Outlined.push_back(s.Contradiction.Cell);
            else
                d.Shaded.push_back(s.Contradiction.Unit);
            break;
    }
}

}  // namespace

TExplanationDrawing DrawingOf(const TExplanationWalk& walk) {
    const TMatrix& m = walk.Before();
    TDrawingBuilder builder(m);
    TExplanationDrawing& d = builder.Drawing();
    const bool supposing = walk.OpenedTrial() != nullptr;
    for (int cell = 0; cell < 81; ++cell) {
        if (m.ValueAt(cell) != 0 && walk.Position().ValueAt(cell) == 0)
            d.Supposed.push_back({cell, m.ValueAt(cell)});
    }
    if (walk.Count() == 0) return d;
    const TStep& s = walk.Current();
    const TMove& answer = walk.Explanation().Answer;
    if (supposing || walk.CanForward()) d.Covered = answer.Col + 9 * answer.Row;
    if (walk.AtDeadEnd()) {
        d.Shaded.clear();
        const TDeadEnd& end = s.Contradiction;
        if (end.IsCell())
            builder.LookCell(end.Cell);
        else
            builder.LookUnit(end.Unit, end.Digit);
        builder.ShowDeadEnd(m, end);
        d.Units = 0;
    } else {
        DrawStep(builder, m, s);
        builder.Strike(s.Removed, s.Matters);
        if (s.Places()) {
            d.Circled = TCandidate{s.Cell, s.Digit};
            // Inside a supposition the digit is not on the board.
            if (supposing) d.Supposed.push_back(*d.Circled);
        }
        builder.ClearRingedCell();
    }
    builder.LabelBoxes();
    return d;
}

TExplanationDrawing DrawingOf(const TPracticeHint& hint) {
    TExplanationDrawing d;
    if (hint.Unit) d.Shaded.push_back(*hint.Unit);
    if (hint.Stage >= 2) d.Outlined = hint.Cells;
    return d;
}
