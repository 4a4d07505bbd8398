// The explainer: runs the game's search again with an observer that records each removal with
// the pattern behind it, and then cuts the recorded steps down (step_cutting.h).
//
// The search is the board's answer search at matrix level, phase by phase: a basic placement
// on the position itself; levels 4-6 until a forced move shows; keep off and get out on the
// position; the trials of level 9 with levels 4-6 between them. The first phase whose move is
// the answer explains it. A position that has a dead end already is not explained at all.
#include "logic/explanation.h"

#include <algorithm>

#include "logic/matrix.h"
#include "logic/step_cutting.h"
#include "logic/step_evidence.h"
#include "logic/step_recorder.h"
#include "logic/technique_observer.h"
#include "logic/units.h"

using namespace units;
using namespace step_evidence;
using namespace step_cutting;
using namespace step_recording;

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

class TChainRecorder : public TTechniqueObserver {
  public:
    void CascadePlaced(const TMatrix&, int unit, int cell, int digit) override {
        Chain.push_back({UnitAt(unit), cell, digit});
    }
    std::vector<TChainLink> Chain;
};

// Recorded eliminations that end where a basic placement shows the answer: settled, cut down,
// closed by that placement and their removals that matter marked. Nothing when they do not
// hold.
std::optional<std::vector<TStep>> Finish(const TMatrix& position, std::vector<TStep> steps,
                                         const TMove& answer) {
    TMatrix m = position;
    if (!Settle(m, steps) || !BasicPlacement(m, answer)) return std::nullopt;
    CutDown(position, steps, answer);
    m = position;
    Replay(steps, m);
    steps.push_back(*BasicPlacement(m, answer));
    MarkMatters(position, steps);
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
