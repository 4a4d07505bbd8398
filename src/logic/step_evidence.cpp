// The evidence of explanation steps on a position. Sets of cells are bitsets over the 81 cell
// indexes; sets of digits are masks, bit d - 1 for d.
#include "logic/step_evidence.h"

#include <bitset>

#include "logic/units.h"

using namespace units;

namespace step_evidence {

namespace {

using TCells = std::bitset<81>;

bool IsCell(int cell) {
    return cell >= 0 && cell < 81;
}
bool IsDigit(int digit) {
    return digit >= 1 && digit <= 9;
}
bool IsUnit(TUnit unit) {
    return unit.Number >= 0 && unit.Number < 9;
}

TCells CellsOfUnit(int unit) {
    TCells cells;
    for (const int j : kUnitCells[unit])
        cells.set(static_cast<std::size_t>(j));
    return cells;
}

bool PlacedIn(const TMatrix& m, int unit, int digit) {
    for (const int j : kUnitCells[unit]) {
        if (m.ValueAt(j) == digit) return true;
    }
    return false;
}

// The cells of the unit with the digit as a candidate.
TCells PlacesIn(const TMatrix& m, int unit, int digit) {
    TCells places;
    for (const int j : kUnitCells[unit]) {
        if (m.CandidatesAt(j) & Bit(digit)) places.set(static_cast<std::size_t>(j));
    }
    return places;
}

bool IsEmptyCandidate(const TMatrix& m, int cell, int digit) {
    return IsCell(cell) && IsDigit(digit) && m.ValueAt(cell) == 0 &&
           (m.CandidatesAt(cell) & Bit(digit)) != 0;
}

// A strictly ascending list of cells as a set.
std::optional<TCells> CellSet(const std::vector<int>& cells) {
    TCells set;
    int last = -1;
    for (const int cell : cells) {
        if (!IsCell(cell) || cell <= last) return std::nullopt;
        set.set(static_cast<std::size_t>(cell));
        last = cell;
    }
    return set;
}

// A strictly ascending list of digits as a mask.
std::optional<unsigned> DigitSet(const std::vector<int>& digits) {
    unsigned set = 0;
    int last = 0;
    for (const int digit : digits) {
        if (!IsDigit(digit) || digit <= last) return std::nullopt;
        set |= Bit(digit);
        last = digit;
    }
    return set;
}

// The removals are distinct candidates of m, each one the pattern rules out.
template <typename RuledOut>
bool RemovalsHold(const TStep& step, const TMatrix& m, RuledOut ruledOut) {
    if (step.Removed.empty()) return false;
    std::bitset<81 * 9> seen;
    for (const TCandidate& c : step.Removed) {
        if (!IsEmptyCandidate(m, c.Cell, c.Digit) || !ruledOut(c)) return false;
        const auto key = static_cast<std::size_t>(9 * c.Cell + c.Digit - 1);
        if (seen[key]) return false;
        seen.set(key);
    }
    return true;
}

bool IsLastPlace(const TMatrix& m, int unit, int cell, int digit) {
    if (!IsEmptyCandidate(m, cell, digit) || PlacedIn(m, unit, digit)) return false;
    TCells only;
    only.set(static_cast<std::size_t>(cell));
    return PlacesIn(m, unit, digit) == only;
}

// The digit need not be a candidate of the cell: where the cell's other units hold it already,
// the position has no solution, but the unit's count still says what the cell must take.
bool IsLastCell(const TMatrix& m, int unit, int cell, int digit) {
    if (!IsCell(cell) || !IsDigit(digit) || m.ValueAt(cell) != 0) return false;
    unsigned placed = 0;
    for (const int j : kUnitCells[unit]) {
        if (j == cell) continue;
        if (m.ValueAt(j) == 0) return false;
        placed |= Bit(m.ValueAt(j));
    }
    return CountOf(placed) == 8 && (placed & Bit(digit)) == 0;
}

bool HasTechnique(const TStep& step) {
    switch (step.Type) {
        case TStepType::LastCell:
            return step.Technique == 1;
        case TStepType::LastPlace:
            return step.Technique == 2;
        case TStepType::LastCandidate:
            return step.Technique == 3;
        case TStepType::Locked:
            return step.Technique == 4;
        case TStepType::Naked:
            return step.Technique == 5;
        case TStepType::Hidden:
            return step.Technique == 6;
        case TStepType::Contradiction:
            return step.Technique == (step.Blocked.Digit == step.Assumed ? 7 : 8);
        case TStepType::Trial:
            return step.Technique == 9;
    }
    return false;
}

bool PlacementHolds(const TStep& step, const TMatrix& m) {
    if (!step.Removed.empty()) return false;
    if (step.Type == TStepType::LastCandidate) {
        return IsEmptyCandidate(m, step.Cell, step.Digit) &&
               m.CandidatesAt(step.Cell) == Bit(step.Digit);
    }
    if (!IsUnit(step.Unit) || !IsCell(step.Cell)) return false;
    const int unit = UnitIndex(step.Unit);
    if (!CellsOfUnit(unit)[static_cast<std::size_t>(step.Cell)]) return false;
    return step.Type == TStepType::LastCell ? IsLastCell(m, unit, step.Cell, step.Digit)
                                            : IsLastPlace(m, unit, step.Cell, step.Digit);
}

bool LockedHolds(const TStep& step, const TMatrix& m) {
    if (!IsUnit(step.Unit) || !IsUnit(step.Other) || !IsDigit(step.Digit)) return false;
    const bool unitIsBox = step.Unit.Kind == TUnitKind::Box;
    if (unitIsBox == (step.Other.Kind == TUnitKind::Box)) return false;
    const int unit = UnitIndex(step.Unit), other = UnitIndex(step.Other);
    const TCells unitCells = CellsOfUnit(unit), otherCells = CellsOfUnit(other);
    if ((unitCells & otherCells).count() != 3 || PlacedIn(m, unit, step.Digit)) return false;
    const TCells places = PlacesIn(m, unit, step.Digit);
    const auto cells = CellSet(step.Cells);
    if (!cells || *cells != places || places.none() || (places & ~otherCells).any()) return false;
    return RemovalsHold(step, m, [&](const TCandidate& c) {
        const auto i = static_cast<std::size_t>(c.Cell);
        return c.Digit == step.Digit && otherCells[i] && !unitCells[i];
    });
}

bool NakedHolds(const TStep& step, const TMatrix& m) {
    const auto cells = CellSet(step.Cells);
    const auto digits = DigitSet(step.Digits);
    if (!IsUnit(step.Unit) || !cells || !digits || cells->none()) return false;
    const TCells unitCells = CellsOfUnit(UnitIndex(step.Unit));
    if ((*cells & ~unitCells).any() || static_cast<int>(cells->count()) != CountOf(*digits))
        return false;
    unsigned together = 0;
    for (const int cell : step.Cells) {
        if (m.ValueAt(cell) != 0) return false;
        together |= m.CandidatesAt(cell);
    }
    if (together != *digits) return false;
    return RemovalsHold(step, m, [&](const TCandidate& c) {
        const auto i = static_cast<std::size_t>(c.Cell);
        return unitCells[i] && !(*cells)[i] && (*digits & Bit(c.Digit));
    });
}

bool HiddenHolds(const TStep& step, const TMatrix& m) {
    const auto cells = CellSet(step.Cells);
    const auto digits = DigitSet(step.Digits);
    if (!IsUnit(step.Unit) || !cells || !digits || *digits == 0) return false;
    const int unit = UnitIndex(step.Unit);
    TCells places;
    for (const int digit : step.Digits) {
        if (PlacedIn(m, unit, digit)) return false;
        places |= PlacesIn(m, unit, digit);
    }
    if (places != *cells || static_cast<int>(places.count()) != CountOf(*digits)) return false;
    return RemovalsHold(step, m, [&](const TCandidate& c) {
        return (*cells)[static_cast<std::size_t>(c.Cell)] && !(*digits & Bit(c.Digit));
    });
}

bool TrialHolds(const TStep& step, const TMatrix& m) {
    if (!IsEmptyCandidate(m, step.Cell, step.Assumed)) return false;
    if (step.Removed != std::vector<TCandidate>{{step.Cell, step.Assumed}}) return false;
    TMatrix supposed = Supposed(m, step.Cell, step.Assumed);
    for (const TStep& sub : step.Steps) {
        if (sub.Type == TStepType::Trial || sub.Type == TStepType::Contradiction) return false;
    }
    return Replay(step.Steps, supposed) && DeadEndHolds(step.Contradiction, supposed);
}

bool ContradictionHolds(const TStep& step, const TMatrix& m) {
    if (!step.Removed.empty() || step.Blocked.IsCell() || step.Assumed == step.Digit) return false;
    if (!IsEmptyCandidate(m, step.Cell, step.Assumed) ||
        m.CandidatesAt(step.Cell) != (Bit(step.Assumed) | Bit(step.Digit)))
        return false;
    const int w = step.Blocked.Digit;
    if (w != step.Assumed && w != step.Digit) return false;
    TMatrix supposed = Supposed(m, step.Cell, step.Assumed);
    for (const TChainLink& link : step.Chain) {
        if (link.Digit != w || !IsUnit(link.Unit) ||
            !IsLastPlace(supposed, UnitIndex(link.Unit), link.Cell, w))
            return false;
        supposed.SetValue(ColOf(link.Cell), RowOf(link.Cell), w);
    }
    return DeadEndHolds(step.Blocked, supposed);
}

}  // namespace

int UnitIndex(TUnit unit) {
    switch (unit.Kind) {
        case TUnitKind::Row:
            return unit.Number;
        case TUnitKind::Column:
            return kFirstColumn + unit.Number;
        case TUnitKind::Box:
            break;
    }
    return kFirstBox + unit.Number;
}

TUnit UnitAt(int index) {
    if (index < kFirstColumn) return {TUnitKind::Row, index};
    if (index < kFirstBox) return {TUnitKind::Column, index - kFirstColumn};
    return {TUnitKind::Box, index - kFirstBox};
}

bool Holds(const TStep& step, const TMatrix& m) {
    if (!HasTechnique(step)) return false;
    switch (step.Type) {
        case TStepType::LastCell:
        case TStepType::LastPlace:
        case TStepType::LastCandidate:
            return PlacementHolds(step, m);
        case TStepType::Locked:
            return LockedHolds(step, m);
        case TStepType::Naked:
            return NakedHolds(step, m);
        case TStepType::Hidden:
            return HiddenHolds(step, m);
        case TStepType::Contradiction:
            return ContradictionHolds(step, m);
        case TStepType::Trial:
            return TrialHolds(step, m);
    }
    return false;
}

void Apply(const TStep& step, TMatrix& m) {
    if (step.Places()) {
        m.SetValue(ColOf(step.Cell), RowOf(step.Cell), step.Digit);
        return;
    }
    for (const TCandidate& c : step.Removed)
        m.RemoveCandidate(ColOf(c.Cell), RowOf(c.Cell), c.Digit);
}

bool Replay(std::span<const TStep> steps, TMatrix& m) {
    for (const TStep& step : steps) {
        if (!Holds(step, m)) return false;
        Apply(step, m);
    }
    return true;
}

TMatrix Supposed(const TMatrix& m, int cell, int digit) {
    TMatrix supposed = m;
    supposed.SetValue(ColOf(cell), RowOf(cell), digit);
    return supposed;
}

bool DeadEndHolds(const TDeadEnd& end, const TMatrix& m) {
    if (end.IsCell())
        return IsCell(end.Cell) && m.ValueAt(end.Cell) == 0 && m.CandidatesAt(end.Cell) == 0;
    if (!IsUnit(end.Unit) || !IsDigit(end.Digit)) return false;
    const int unit = UnitIndex(end.Unit);
    return !PlacedIn(m, unit, end.Digit) && PlacesIn(m, unit, end.Digit).none();
}

std::optional<TDeadEnd> FindDeadEnd(const TMatrix& m) {
    for (int i = 0; i < 81; ++i) {
        if (m.ValueAt(i) == 0 && m.CandidatesAt(i) == 0) return TDeadEnd{i, {}, 0};
    }
    for (int unit = 0; unit < 27; ++unit) {
        unsigned covered = 0;
        for (const int j : kUnitCells[unit])
            covered |= m.ValueAt(j) != 0 ? Bit(m.ValueAt(j)) : m.CandidatesAt(j);
        if (covered != kAllDigits)
            return TDeadEnd{-1, UnitAt(unit), LowestDigitOf(kAllDigits & ~covered)};
    }
    return std::nullopt;
}

std::optional<TStep> BasicPlacement(const TMatrix& m, const TMove& move) {
    if (move.Col < 0 || move.Col > 8 || move.Row < 0 || move.Row > 8) return std::nullopt;
    const int cell = Index(move.Col, move.Row);
    if (!IsDigit(move.Digit) || m.ValueAt(cell) != 0) return std::nullopt;
    const int units[3] = {move.Row, kFirstColumn + move.Col, BoxUnit(move.Col / 3, move.Row / 3)};
    TStep step;
    step.Cell = cell;
    step.Digit = move.Digit;
    for (const int unit : units) {
        if (IsLastCell(m, unit, cell, move.Digit)) {
            step.Type = TStepType::LastCell;
            step.Technique = 1;
            step.Unit = UnitAt(unit);
            return step;
        }
    }
    for (const int unit : units) {
        if (IsLastPlace(m, unit, cell, move.Digit)) {
            step.Type = TStepType::LastPlace;
            step.Technique = 2;
            step.Unit = UnitAt(unit);
            return step;
        }
    }
    if (m.CandidatesAt(cell) == Bit(move.Digit)) {
        step.Type = TStepType::LastCandidate;
        step.Technique = 3;
        return step;
    }
    return std::nullopt;
}

}  // namespace step_evidence
