// The explainer: runs the game's search again with an observer that records each removal with
// the pattern behind it, and then cuts the recorded steps down.
//
// The search is the board's answer search at matrix level, phase by phase: a basic placement
// on the position itself; levels 4-6 until a forced move shows; keep off and get out on the
// position; the trials of level 9 with levels 4-6 between them. The first phase whose move is
// the answer explains it. A position that has a dead end already is not explained at all.
//
// Cutting down drops each step in turn, last first, and keeps the drop when the rest still
// holds step by step and still ends in the answer (or, in a trial, in a dead end); passes repeat
// until one drops nothing. A trial's own steps are cut on the position the trial stands on.
#include "logic/explanation.h"

#include <algorithm>

#include "logic/matrix.h"
#include "logic/step_evidence.h"
#include "logic/technique_observer.h"
#include "logic/units.h"

using namespace units;
using namespace step_evidence;

std::vector<int> CellsOf(TUnit unit) {
    const auto& cells = kUnitCellsRowByRow[static_cast<std::size_t>(UnitIndex(unit))];
    return {cells.begin(), cells.end()};
}

bool Contains(TUnit unit, int cell) {
    const auto& cells = kUnitCells[static_cast<std::size_t>(UnitIndex(unit))];
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

std::string_view StepTypeName(TStepType type) {
    switch (type) {
        case TStepType::LastCell:
            return "last_cell";
        case TStepType::LastPlace:
            return "last_place";
        case TStepType::LastCandidate:
            return "last_candidate";
        case TStepType::Locked:
            return "locked";
        case TStepType::Naked:
            return "naked";
        case TStepType::Hidden:
            return "hidden";
        case TStepType::Contradiction:
            return "contradiction";
        case TStepType::Trial:
            break;
    }
    return "trial";
}

bool TStep::Places() const {
    return Type == TStepType::LastCell || Type == TStepType::LastPlace ||
           Type == TStepType::LastCandidate || Type == TStepType::Contradiction;
}

int TExplanation::Technique() const {
    int highest = 0;
    for (const TStep& step : Steps)
        highest = std::max(highest, step.Technique);
    return highest;
}

namespace {

std::vector<int> DigitList(unsigned mask) {
    std::vector<int> digits;
    for (int d = 1; d <= 9; ++d) {
        if (mask & Bit(d)) digits.push_back(d);
    }
    return digits;
}

std::vector<int> SortedCells(const TUnitCellSet& set) {
    std::vector<int> cells(set.Cells.begin(), set.Cells.begin() + set.Count);
    std::sort(cells.begin(), cells.end());
    return cells;
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

// Turns what the techniques report into steps, appended in the order they come.
class TStepRecorder : public TTechniqueObserver {
  public:
    explicit TStepRecorder(std::vector<TStep>& steps) : steps_(steps) {}

    void Locked(const TMatrix& m, int digit, int unit, int other) override {
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

    void Naked(const TMatrix& m, int unit, const TUnitCellSet& cells, unsigned digits) override {
        TStep step = Elimination(TStepType::Naked, 5, unit);
        step.Cells = SortedCells(cells);
        step.Digits = DigitList(digits);
        const TUnit inside = step.Unit;
        step.Removed = CandidatesIn(
            m, [&](int i) { return Contains(inside, i) && !InSet(cells, i); }, digits);
        Keep(std::move(step));
    }

    void Hidden(const TMatrix& m, int unit, const TUnitCellSet& cells, unsigned digits) override {
        TStep step = Elimination(TStepType::Hidden, 6, unit);
        step.Cells = SortedCells(cells);
        step.Digits = DigitList(digits);
        step.Removed = CandidatesIn(
            m, [&](int i) { return InSet(cells, i); }, kAllDigits & ~digits);
        Keep(std::move(step));
    }

    // A forced move of a trial: the simplest pattern that shows it. Where none does (only in a
    // position already past a dead end) the step is kept as it is, and does not hold.
    void ForcedMove(const TMatrix& m, const TMove& move) override {
        if (auto step = BasicPlacement(m, move)) {
            steps_.push_back(std::move(*step));
            return;
        }
        TStep step;
        step.Type = TStepType::LastCandidate;
        step.Technique = 3;
        step.Cell = Index(move.Col, move.Row);
        step.Digit = move.Digit;
        steps_.push_back(std::move(step));
    }

  private:
    // A pattern that removes nothing is no step.
    void Keep(TStep step) {
        if (!step.Removed.empty()) steps_.push_back(std::move(step));
    }

    std::vector<TStep>& steps_;
};

class TChainRecorder : public TTechniqueObserver {
  public:
    void CascadePlaced(const TMatrix&, int unit, int cell, int digit) override {
        Chain.push_back({UnitAt(unit), cell, digit});
    }
    std::vector<TChainLink> Chain;
};

TMatrix Supposed(const TMatrix& m, int cell, int digit) {
    TMatrix supposed = m;
    supposed.SetValue(ColOf(cell), RowOf(cell), digit);
    return supposed;
}

// Drops each step in turn, last first, while the rest still holds and `ends` accepts the
// position after it; passes repeat until one drops nothing. Whether anything was dropped.
template <typename Ends>
bool Prune(const TMatrix& start, std::vector<TStep>& steps, Ends ends) {
    bool droppedAny = false;
    for (;;) {
        // before[i]: the position step i stands on. A drop changes only what comes after it.
        std::vector<TMatrix> before;
        before.reserve(steps.size());
        TMatrix m = start;
        for (const TStep& step : steps) {
            before.push_back(m);
            Apply(step, m);
        }
        bool dropped = false;
        for (std::size_t i = steps.size(); i-- > 0;) {
            TMatrix rest = before[i];
            if (Replay(std::span(steps).subspan(i + 1), rest) && ends(rest)) {
                steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(i));
                dropped = true;
            }
        }
        if (!dropped) return droppedAny;
        droppedAny = true;
    }
}

bool ReachesDeadEnd(const TMatrix& m) {
    return FindDeadEnd(m).has_value();
}

// The dead end the trial's steps reach (they hold on `before`).
TDeadEnd DeadEndOfTrial(const TMatrix& before, const TStep& trial) {
    TMatrix m = Supposed(before, trial.Cell, trial.Assumed);
    Replay(trial.Steps, m);
    return FindDeadEnd(m).value_or(TDeadEnd{});
}

// In a unit whose places a hidden subset was read from before another cut of that unit, the
// digits may have fewer places left than there are digits. Then some fewest digits H of them
// have fewer than |H| places together, all but one of them fill those places exactly, and
// the last one has no room: that subset, as a step.
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
    unsigned all = 0;
    for (const int d : hidden.Digits)
        all |= Bit(d);
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

// Cuts a recorded trial at its first dead end, putting right a hidden subset read from stale
// places on the way. False when the steps do not hold or reach no dead end.
bool SettleTrial(const TMatrix& before, TStep& trial) {
    TMatrix m = Supposed(before, trial.Cell, trial.Assumed);
    std::vector<TStep> recorded = std::move(trial.Steps);
    trial.Steps.clear();
    for (TStep& step : recorded) {
        if (ReachesDeadEnd(m)) break;
        if (!Holds(step, m)) {
            if (step.Type != TStepType::Hidden) return false;
            auto fix = PigeonholeStep(m, step);
            if (!fix) return false;
            Apply(*fix, m);
            trial.Steps.push_back(std::move(*fix));
            continue;
        }
        Apply(step, m);
        trial.Steps.push_back(std::move(step));
    }
    const auto end = FindDeadEnd(m);
    if (!end) return false;
    trial.Contradiction = *end;
    return true;
}

// Drops what is not needed: top-level steps for the answer, trial steps for their dead end,
// until neither drops anything.
void CutDown(const TMatrix& position, std::vector<TStep>& steps, const TMove& answer) {
    for (;;) {
        bool changed = false;
        TMatrix m = position;
        for (TStep& step : steps) {
            if (step.Type == TStepType::Trial) {
                if (Prune(Supposed(m, step.Cell, step.Assumed), step.Steps, ReachesDeadEnd)) {
                    changed = true;
                    step.Contradiction = DeadEndOfTrial(m, step);
                }
            }
            Apply(step, m);
        }
        changed |= Prune(position, steps, [&](const TMatrix& end) {
            return BasicPlacement(end, answer).has_value();
        });
        if (!changed) return;
    }
}

// Recorded eliminations that end where a basic placement shows the answer: settled, checked,
// cut down and closed by that placement. Nothing when they do not hold.
std::optional<std::vector<TStep>> Finish(const TMatrix& position, std::vector<TStep> steps,
                                         const TMove& answer) {
    TMatrix m = position;
    for (TStep& step : steps) {
        if (step.Type == TStepType::Trial && !SettleTrial(m, step)) return std::nullopt;
        if (!Holds(step, m)) return std::nullopt;
        Apply(step, m);
    }
    if (!BasicPlacement(m, answer)) return std::nullopt;
    CutDown(position, steps, answer);
    m = position;
    Replay(steps, m);
    steps.push_back(*BasicPlacement(m, answer));
    return steps;
}

// Levels 4-6 as the next-move search runs them: one elimination that changes something, the
// lowest level first, then a look for a forced move.
std::optional<std::vector<TStep>> ByReservedSeats(const TMatrix& position, const TMove& answer) {
    TMatrix copy = position;
    std::vector<TStep> steps;
    TStepRecorder recorder(steps);
    while (copy.ApplyMyReservedSeat(&recorder) || copy.ApplyYourReservedSeat(&recorder) ||
           copy.ApplyOurReservedSeat(&recorder)) {
        if (const auto move = copy.FindAnyForcedMove()) {
            if (*move != answer) return std::nullopt;
            return Finish(position, std::move(steps), answer);
        }
    }
    return std::nullopt;
}

// The one chain link after another that still leaves the digit without room, cut down.
void PruneChain(const TMatrix& position, TStep& step) {
    auto holdsWithout = [&](std::size_t i) {
        TStep shorter = step;
        shorter.Chain.erase(shorter.Chain.begin() + static_cast<std::ptrdiff_t>(i));
        return Holds(shorter, position);
    };
    for (bool dropped = true; dropped;) {
        dropped = false;
        for (std::size_t i = step.Chain.size(); i-- > 0;) {
            if (holdsWithout(i)) {
                step.Chain.erase(step.Chain.begin() + static_cast<std::ptrdiff_t>(i));
                dropped = true;
            }
        }
    }
}

// Levels 7 and 8: the answer's cell has two candidates; placing the other one starts a
// cascade of last places of one digit (keep off: that same digit; get out: the answer's) that
// leaves the digit without room.
std::optional<TStep> ByContradiction(const TMatrix& position, const TMove& answer) {
    if (answer.Col < 0 || answer.Col > 8 || answer.Row < 0 || answer.Row > 8) return std::nullopt;
    const int cell = Index(answer.Col, answer.Row);
    const unsigned mask = position.CandidatesAt(cell);
    if (position.ValueAt(cell) != 0 || CountOf(mask) != 2 || !(mask & Bit(answer.Digit)))
        return std::nullopt;
    const int other = DigitOf(mask & ~Bit(answer.Digit));
    for (const int follow : {other, answer.Digit}) {
        TChainRecorder recorder;
        if (!position.LeadsToBlock(other, answer.Cell(), follow, &recorder)) continue;
        TStep step;
        step.Type = TStepType::Contradiction;
        step.Technique = follow == other ? 7 : 8;
        step.Cell = cell;
        step.Digit = answer.Digit;
        step.Assumed = other;
        step.Chain = std::move(recorder.Chain);
        TMatrix end = Supposed(position, cell, other);
        for (const TChainLink& link : step.Chain)
            end.SetValue(ColOf(link.Cell), RowOf(link.Cell), link.Digit);
        for (int unit = 0; unit < 27 && step.Blocked.Digit == 0; ++unit) {
            const TDeadEnd blocked{-1, UnitAt(unit), follow};
            if (DeadEndHolds(blocked, end)) step.Blocked = blocked;
        }
        if (!Holds(step, position)) continue;
        PruneChain(position, step);
        return step;
    }
    return std::nullopt;
}

// The one candidate that differs between two positions.
TCandidate RemovedCandidate(const TMatrix& before, const TMatrix& after) {
    for (int i = 0; i < 81; ++i) {
        if (const unsigned gone = before.CandidatesAt(i) & ~after.CandidatesAt(i))
            return {i, LowestDigitOf(gone)};
    }
    return {};
}

// The trial of level 9 that removed the candidate, with the steps it followed.
TStep Trial(const TMatrix& before, TCandidate removed) {
    TStep step;
    step.Type = TStepType::Trial;
    step.Technique = 9;
    step.Cell = removed.Cell;
    step.Assumed = removed.Digit;
    step.Removed = {removed};
    TStepRecorder recorder(step.Steps);
    before.TryCandidate(ColOf(removed.Cell), RowOf(removed.Cell), removed.Digit, &recorder);
    return step;
}

// Level 9 as the next-move search runs it: a trial, a look for a forced move, and each of levels
// 4-6 that changes something followed by a look, while trials remove something.
std::optional<std::vector<TStep>> ByTrials(const TMatrix& position, const TMove& answer) {
    TMatrix copy = position;
    std::vector<TStep> steps;
    TStepRecorder recorder(steps);
    std::optional<TMove> found;
    for (bool removed = true; removed && !found;) {
        const TMatrix before = copy;
        removed = copy.ApplyPuzzled();
        if (removed) {
            steps.push_back(Trial(before, RemovedCandidate(before, copy)));
            found = copy.FindAnyForcedMove();
        }
        if (!found && copy.ApplyMyReservedSeat(&recorder)) found = copy.FindAnyForcedMove();
        if (!found && copy.ApplyYourReservedSeat(&recorder)) found = copy.FindAnyForcedMove();
        if (!found && copy.ApplyOurReservedSeat(&recorder)) found = copy.FindAnyForcedMove();
    }
    if (!found || *found != answer) return std::nullopt;
    return Finish(position, std::move(steps), answer);
}

}  // namespace

std::optional<TDeadEnd> DeadEndOf(const TMatrix& position) {
    return FindDeadEnd(position);
}

TExplanation Explain(const TMatrix& position, const TMove& answer) {
    TExplanation explanation{answer, {}, DeadEndOf(position)};
    if (explanation.Contradiction) return explanation;
    if (auto step = BasicPlacement(position, answer)) {
        explanation.Steps.push_back(std::move(*step));
    } else if (auto steps = ByReservedSeats(position, answer)) {
        explanation.Steps = std::move(*steps);
    } else if (auto contradiction = ByContradiction(position, answer)) {
        explanation.Steps.push_back(std::move(*contradiction));
    } else if (auto trials = ByTrials(position, answer)) {
        explanation.Steps = std::move(*trials);
    }
    return explanation;
}
