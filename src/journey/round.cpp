// TRound's rules: the countdown (or the clock that counts up), pause and resume, the judgement
// of the one move, and the rule for closing during a round.
#include "journey/round.h"

#include <algorithm>

#include "journey/round_rules.h"

bool TRound::BeginMaking(int kind) {
    if (state_ != TRoundState::Idle || judging_) return false;
    state_ = TRoundState::Making;
    puzzleKind_ = kind;
    return true;
}

void TRound::Abandon() {
    if (state_ != TRoundState::Idle && !judging_) state_ = TRoundState::Idle;
}

void TRound::Start(const TMove& forced, int level, std::int64_t now, int technique) {
    if (state_ != TRoundState::Making) return;
    forced_ = forced;
    technique_ = technique;
    countsUp_ = false;
    timeLimit_ = TimeLimitMs(puzzleKind_, level);
    startTick_ = now;
    pauseStart_ = now;
    state_ = TRoundState::Running;
}

void TRound::StartCountingUp(const TMove& forced, std::int64_t now, int technique) {
    if (state_ != TRoundState::Making) return;
    Start(forced, 0, now, technique);
    countsUp_ = true;
    timeLimit_ = 0;
}

std::int64_t TRound::Played(std::int64_t now) const {
    return (Paused() ? pauseStart_ : now) - startTick_;
}

std::int64_t TRound::PlayedMs(std::int64_t now) const {
    return std::clamp<std::int64_t>(Played(now), 0, countsUp_ ? kLongestPlayMs : timeLimit_);
}

std::int64_t TRound::Remaining(std::int64_t now) const {
    return std::max<std::int64_t>(0, timeLimit_ - Played(now));
}

TTick TRound::Tick(std::int64_t now) {
    if (state_ != TRoundState::Running || countsUp_) return {Remaining(now), false};
    const std::int64_t remaining = Remaining(now);
    if (remaining > 0) return {remaining, false};
    state_ = TRoundState::Idle;
    return {0, true};
}

std::int64_t TRound::NextTickDelay(std::int64_t now) const {
    if (countsUp_) return 1000 - std::max<std::int64_t>(0, Played(now)) % 1000;
    const std::int64_t remaining = Remaining(now);
    const std::int64_t toNextSecond = remaining % 1000;
    return toNextSecond == 0 ? 1000 : toNextSecond;
}

bool TRound::Pause(std::int64_t now) {
    if (state_ == TRoundState::Paused) return true;
    if (state_ != TRoundState::Running) return false;
    pauseStart_ = now;
    state_ = TRoundState::Paused;
    return true;
}

TTick TRound::Resume(std::int64_t now) {
    if (state_ != TRoundState::Paused) return {Remaining(now), false};
    startTick_ += now - pauseStart_;
    state_ = TRoundState::Running;
    return Tick(now);
}

std::optional<TVerdict> TRound::Judge(const TMove& move, std::int64_t now) {
    if (state_ != TRoundState::Running || judging_) return std::nullopt;
    judging_ = true;
    state_ = TRoundState::Idle;
    if (!countsUp_ && Played(now) >= timeLimit_) return TVerdict::TimeOut;
    return move == forced_ ? TVerdict::Success : TVerdict::WrongMove;
}

TCloseRule TRound::CloseRule(std::int64_t now, bool atCheckpoint) const {
    if (state_ == TRoundState::Making || judging_) return TCloseRule::Refused;
    if (!Active() || countsUp_) return TCloseRule::Free;
    if (Played(now) < kFreeCloseMs || atCheckpoint) return TCloseRule::Free;
    return TCloseRule::Ask;
}
