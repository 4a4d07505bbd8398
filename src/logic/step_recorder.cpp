// The step recorder and the patterns read anew. Sets of digits are masks, bit d - 1 for d.
#include "logic/step_recorder.h"

#include <algorithm>

#include "logic/matrix.h"
#include "logic/step_evidence.h"
#include "logic/units.h"

using namespace units;
using namespace step_evidence;

namespace step_recording {

namespace {

std::vector<int> DigitList(unsigned mask) {
    std::vector<int> digits;
    for (int d = 1; d <= 9; ++d) {
        if (mask & Bit(d)) digits.push_back(d);
    }
    return digits;
}

unsigned DigitMask(const std::vector<int>& digits) {
    unsigned mask = 0;
    for (const int d : digits)
        mask |= Bit(d);
    return mask;
}

std::vector<int> SortedCells(const TUnitCellSet& set) {
    std::vector<int> cells(set.Cells.begin(), set.Cells.begin() + set.Count);
    std::sort(cells.begin(), cells.end());
    return cells;
}

TUnitCellSet CellSet(const std::vector<int>& cells) {
    TUnitCellSet set;
    for (const int cell : cells)
        set.Add(cell);
    return set;
}

bool InSet(const TUnitCellSet& set, int cell) {
    return std::find(set.Cells.begin(), set.Cells.begin() + set.Count, cell) !=
           set.Cells.begin() + set.Count;
}

// Every candidate of the digits in `digits` that the cells chosen by `take` hold, by cell.
template <typename Take>
std::vector<TCandidate> CandidatesIn(const TMatrix& m, Take take, unsigned digits) {
    std::vector<TCandidate> found;
    for (int i = 0; i < 81; ++i) {
        if (!take(i)) continue;
        for (const int d : DigitList(m.CandidatesAt(i) & digits))
            found.push_back({i, d});
    }
    return found;
}

TStep Elimination(TStepType type, int technique, int unit) {
    TStep step;
    step.Type = type;
    step.Technique = technique;
    step.Unit = UnitAt(unit);
    return step;
}

TStep Placement(TStepType type, int cell, int digit) {
    TStep step;
    step.Type = type;
    step.Technique = type == TStepType::LastPlace ? 2 : 3;
    step.Cell = cell;
    step.Digit = digit;
    return step;
}

}  // namespace

void TStepRecorder::Locked(const TMatrix& m, int digit, int unit, int other) {
    TStep step = Elimination(TStepType::Locked, 4, unit);
    step.Digit = digit;
    step.Other = UnitAt(other);
    const TUnit inside = step.Unit, crossing = step.Other;
    for (int i = 0; i < 81; ++i) {
        if (Contains(inside, i) && (m.CandidatesAt(i) & Bit(digit))) step.Cells.push_back(i);
    }
    step.Removed = CandidatesIn(
        m, [&](int i) { return Contains(crossing, i) && !Contains(inside, i); }, Bit(digit));
    Keep(std::move(step));
}

void TStepRecorder::Naked(const TMatrix& m, int unit, const TUnitCellSet& cells, unsigned digits) {
    TStep step = Elimination(TStepType::Naked, 5, unit);
    step.Cells = SortedCells(cells);
    step.Digits = DigitList(digits);
    const TUnit inside = step.Unit;
    step.Removed = CandidatesIn(
        m, [&](int i) { return Contains(inside, i) && !InSet(cells, i); }, digits);
    Keep(std::move(step));
}

void TStepRecorder::Hidden(const TMatrix& m, int unit, const TUnitCellSet& cells, unsigned digits) {
    TStep step = Elimination(TStepType::Hidden, 6, unit);
    step.Cells = SortedCells(cells);
    step.Digits = DigitList(digits);
    step.Removed = CandidatesIn(
        m, [&](int i) { return InSet(cells, i); }, kAllDigits & ~digits);
    Keep(std::move(step));
}

// Where no basic placement shows the move (only in a position already past a dead end) the
// step is kept as it is, and does not hold.
void TStepRecorder::ForcedMove(const TMatrix& m, const TMove& move) {
    if (auto step = BasicPlacement(m, move)) {
        steps_.push_back(std::move(*step));
        return;
    }
    steps_.push_back(Placement(TStepType::LastCandidate, Index(move.Col, move.Row), move.Digit));
}

// A pattern that removes nothing is no step.
void TStepRecorder::Keep(TStep step) {
    if (!step.Removed.empty()) steps_.push_back(std::move(step));
}

std::optional<TStep> Reread(const TMatrix& m, const TStep& step) {
    std::vector<TStep> read;
    TStepRecorder recorder(read);
    const int unit = UnitIndex(step.Unit);
    switch (step.Type) {
        case TStepType::Locked:
            recorder.Locked(m, step.Digit, unit, UnitIndex(step.Other));
            break;
        case TStepType::Naked:
            recorder.Naked(m, unit, CellSet(step.Cells), DigitMask(step.Digits));
            break;
        case TStepType::Hidden:
            recorder.Hidden(m, unit, CellSet(step.Cells), DigitMask(step.Digits));
            break;
        default:
            return step;
    }
    if (read.empty()) return std::nullopt;
    return read.front();
}

std::optional<TStep> PigeonholeStep(const TMatrix& m, const TStep& hidden) {
    const int unit = UnitIndex(hidden.Unit);
    const auto& cells = kUnitCells[static_cast<std::size_t>(unit)];
    auto placesOf = [&](unsigned digits) {
        unsigned places = 0;
        for (int k = 0; k < 9; ++k) {
            if (m.CandidatesAt(cells[k]) & digits) places |= 1u << k;
        }
        return places;
    };
    const unsigned all = DigitMask(hidden.Digits);
    std::optional<unsigned> fewest;
    for (unsigned h = all; h != 0; h = (h - 1) & all) {
        if (CountOf(placesOf(h)) < CountOf(h) && (!fewest || CountOf(h) < CountOf(*fewest)))
            fewest = h;
    }
    if (!fewest || CountOf(*fewest) < 2) return std::nullopt;
    const unsigned subset = *fewest & ~Bit(DigitOf(*fewest));
    TUnitCellSet places;
    for (int k = 0; k < 9; ++k) {
        if (placesOf(subset) & (1u << k)) places.Add(cells[k]);
    }
    std::vector<TStep> steps;
    TStepRecorder(steps).Hidden(m, unit, places, subset);
    if (steps.empty() || !Holds(steps.front(), m)) return std::nullopt;
    return steps.front();
}

std::optional<TStep> PlacementOf(const TStep& single) {
    if (single.Cells.size() != 1) return std::nullopt;
    const int cell = single.Cells.front();
    switch (single.Type) {
        case TStepType::Locked:
        case TStepType::Hidden: {
            const int digit =
                single.Type == TStepType::Locked ? single.Digit : single.Digits.front();
            TStep step = Placement(TStepType::LastPlace, cell, digit);
            step.Unit = single.Unit;
            return step;
        }
        case TStepType::Naked:
            return Placement(TStepType::LastCandidate, cell, single.Digits.front());
        default:
            return std::nullopt;
    }
}

}  // namespace step_recording
