#include "logic/explanation_walk.h"

#include <span>
#include <utility>

#include "logic/step_evidence.h"
#include "logic/units.h"

TExplanationWalk::TExplanationWalk(const TMatrix& position, TExplanation explanation)
    : position_(position), explanation_(std::move(explanation)) {
    Recompute();
}

int TExplanationWalk::Count() const {
    if (opened_) return static_cast<int>(explanation_.Steps[index_].Steps.size()) + 1;
    return static_cast<int>(explanation_.Steps.size());
}

const TStep& TExplanationWalk::Current() const {
    static const TStep kNone;
    if (explanation_.Steps.empty()) return kNone;
    const TStep& step = explanation_.Steps[index_];
    if (!opened_ || AtDeadEnd()) return step;
    return step.Steps[subIndex_];
}

const TStep* TExplanationWalk::OpenedTrial() const {
    return opened_ ? &explanation_.Steps[index_] : nullptr;
}

bool TExplanationWalk::AtDeadEnd() const {
    return opened_ && subIndex_ == Count() - 1;
}

bool TExplanationWalk::CanOpen() const {
    return !opened_ && !explanation_.Steps.empty() &&
           explanation_.Steps[index_].Type == TStepType::Trial;
}

void TExplanationWalk::Back() {
    if (!CanBack()) return;
    --(opened_ ? subIndex_ : index_);
    Recompute();
}

void TExplanationWalk::Forward() {
    if (!CanForward()) return;
    ++(opened_ ? subIndex_ : index_);
    Recompute();
}

void TExplanationWalk::Open() {
    if (!CanOpen()) return;
    opened_ = true;
    subIndex_ = 0;
    Recompute();
}

void TExplanationWalk::Leave() {
    if (!opened_) return;
    opened_ = false;
    Recompute();
}

void TExplanationWalk::Rewind() {
    index_ = 0;
    opened_ = false;
    Recompute();
}

void TExplanationWalk::Recompute() {
    // Every step holds on the candidates its predecessors leave, so playing them is enough.
    before_ = position_;
    const std::span<const TStep> steps(explanation_.Steps);
    for (const TStep& step : steps.first(static_cast<std::size_t>(index_)))
        step_evidence::Apply(step, before_);
    if (!opened_) return;
    const TStep& trial = explanation_.Steps[index_];
    before_.SetValue(units::ColOf(trial.Cell), units::RowOf(trial.Cell), trial.Assumed);
    for (const TStep& step :
         std::span<const TStep>(trial.Steps).first(static_cast<std::size_t>(subIndex_)))
        step_evidence::Apply(step, before_);
}
