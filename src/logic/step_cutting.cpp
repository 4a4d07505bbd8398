// Settling, cutting down and marking what matters. A trial's own steps are read, cut and marked
// on the position of its supposition: the position it stands on with its assumed digit placed.
#include "logic/step_cutting.h"

#include <span>

#include "logic/step_evidence.h"
#include "logic/step_recorder.h"
#include "logic/units.h"

using namespace step_evidence;
using namespace step_recording;

namespace step_cutting {

namespace {

// Top-level steps, or a trial's own steps with patterns of one cell placed or as they are read.
enum class TFit { Answer, TrialPlacingSingles, Trial };

enum class TReading { Holds, Spare, Broken };

bool RefitTrial(const TMatrix& before, TStep& trial);

bool ReachesDeadEnd(const TMatrix& m) {
    return FindDeadEnd(m).has_value();
}

TMatrix SupposedFor(const TMatrix& before, const TStep& trial) {
    return Supposed(before, trial.Cell, trial.Assumed);
}

// The step read anew on m, where it now stands: Spare when it removes nothing there, Broken
// when it no longer holds. A hidden subset read from stale places is put right.
TReading ReadAnew(const TMatrix& m, TStep& step, TFit fit) {
    std::optional<TStep> read = Reread(m, step);
    if (!read) return TReading::Spare;
    if (read->Type == TStepType::Trial && !RefitTrial(m, *read)) return TReading::Broken;
    if (!Holds(*read, m)) {
        if (read->Type != TStepType::Hidden) return TReading::Broken;
        read = PigeonholeStep(m, *read);
        if (!read) return TReading::Broken;
    }
    if (fit == TFit::TrialPlacingSingles) {
        if (auto placed = PlacementOf(*read); placed && Holds(*placed, m)) read = placed;
    }
    step = std::move(*read);
    return TReading::Holds;
}

// Reads the steps anew from m on, spare ones left out; m ends after the last. Inside a trial
// they end at the first dead end, and must reach one. False when a step no longer holds.
bool Refit(TMatrix& m, std::vector<TStep>& steps, TFit fit) {
    const bool inTrial = fit != TFit::Answer;
    std::vector<TStep> fitted;
    for (TStep step : steps) {
        if (inTrial && ReachesDeadEnd(m)) break;
        const TReading reading = ReadAnew(m, step, fit);
        if (reading == TReading::Broken) return false;
        if (reading == TReading::Spare) continue;
        Apply(step, m);
        fitted.push_back(std::move(step));
    }
    if (inTrial && !ReachesDeadEnd(m)) return false;
    steps = std::move(fitted);
    return true;
}

// A trial's own steps read anew from its supposition m: with patterns of one cell placed where
// they still reach a dead end so, else as they are read. m ends at the dead end.
bool RefitTrialSteps(TMatrix& m, std::vector<TStep>& steps) {
    for (const TFit fit : {TFit::TrialPlacingSingles, TFit::Trial}) {
        TMatrix end = m;
        std::vector<TStep> fitted = steps;
        if (Refit(end, fitted, fit)) {
            m = end;
            steps = std::move(fitted);
            return true;
        }
    }
    return false;
}

bool RefitTrial(const TMatrix& before, TStep& trial) {
    TMatrix m = SupposedFor(before, trial);
    if (!RefitTrialSteps(m, trial.Steps)) return false;
    trial.Contradiction = *FindDeadEnd(m);
    return true;
}

bool RefitAnswerSteps(TMatrix& m, std::vector<TStep>& steps) {
    return Refit(m, steps, TFit::Answer);
}

// before[i]: the position step i stands on.
std::vector<TMatrix> PositionsBefore(const TMatrix& start, std::span<const TStep> steps) {
    std::vector<TMatrix> before;
    before.reserve(steps.size());
    TMatrix m = start;
    for (const TStep& step : steps) {
        before.push_back(m);
        Apply(step, m);
    }
    return before;
}

// Leaves out each step in turn, last first, where the steps after it, read anew by `refit`,
// still hold and `ends` accepts where they end; passes repeat until one leaves out nothing.
// A step left out changes only the steps after it. Whether any was left out.
template <typename Refits, typename Ends>
bool Prune(const TMatrix& start, std::vector<TStep>& steps, Refits refit, Ends ends) {
    bool droppedAny = false;
    for (bool dropped = true; dropped;) {
        dropped = false;
        const std::vector<TMatrix> before = PositionsBefore(start, steps);
        for (std::size_t i = steps.size(); i-- > 0;) {
            const auto at = steps.begin() + static_cast<std::ptrdiff_t>(i);
            std::vector<TStep> rest(at + 1, steps.end());
            TMatrix m = before[i];
            if (!refit(m, rest) || !ends(m)) continue;
            steps.erase(at, steps.end());
            steps.insert(steps.end(), rest.begin(), rest.end());
            dropped = droppedAny = true;
        }
    }
    return droppedAny;
}

// The trial's own steps cut down for a dead end; whether any was left out.
bool CutTrial(const TMatrix& before, TStep& trial) {
    if (!Prune(SupposedFor(before, trial), trial.Steps, RefitTrialSteps, ReachesDeadEnd))
        return false;
    TMatrix m = SupposedFor(before, trial);
    Replay(trial.Steps, m);
    trial.Contradiction = *FindDeadEnd(m);
    return true;
}

// Whether the steps reach `end` from m: a trial's dead end, or (nothing) the answer's
// placement, the last of the steps, that only has to hold.
bool Reach(std::span<const TStep> steps, TMatrix& m, const TDeadEnd* end) {
    return Replay(steps, m) && (!end || DeadEndHolds(*end, m));
}

// Of step i's removals, those the steps after it need to reach `end`: each one in turn is left
// unremoved where they still do without it.
std::vector<TCandidate> NeededRemovals(const TMatrix& before, std::span<const TStep> steps,
                                       std::size_t i, const TDeadEnd* end) {
    std::vector<TCandidate> needed = steps[i].Removed;
    for (const TCandidate& candidate : steps[i].Removed) {
        std::vector<TCandidate> fewer;
        TMatrix m = before;
        for (const TCandidate& c : needed) {
            if (c == candidate) continue;
            fewer.push_back(c);
            m.RemoveCandidate(units::ColOf(c.Cell), units::RowOf(c.Cell), c.Digit);
        }
        if (Reach(steps.subspan(i + 1), m, end)) needed = std::move(fewer);
    }
    return needed;
}

void MarkStepsFrom(const TMatrix& start, std::vector<TStep>& steps, const TDeadEnd* end) {
    TMatrix before = start;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        TStep& step = steps[i];
        if (step.Type == TStepType::Trial)
            MarkStepsFrom(SupposedFor(before, step), step.Steps, &step.Contradiction);
        if (!step.Removed.empty()) step.Matters = NeededRemovals(before, steps, i, end);
        Apply(step, before);
    }
}

}  // namespace

bool Settle(TMatrix& m, std::vector<TStep>& steps) {
    return RefitAnswerSteps(m, steps);
}

void CutDown(const TMatrix& position, std::vector<TStep>& steps, const TMove& answer) {
    const auto showsAnswer = [&](const TMatrix& end) {
        return BasicPlacement(end, answer).has_value();
    };
    for (bool changed = true; changed;) {
        changed = false;
        TMatrix m = position;
        for (TStep& step : steps) {
            if (step.Type == TStepType::Trial) changed |= CutTrial(m, step);
            Apply(step, m);
        }
        changed |= Prune(position, steps, RefitAnswerSteps, showsAnswer);
    }
}

void MarkMatters(const TMatrix& position, std::vector<TStep>& steps) {
    MarkStepsFrom(position, steps, nullptr);
}

}  // namespace step_cutting
