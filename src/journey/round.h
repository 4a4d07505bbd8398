// TRound: one round's state and rules, without a window. The main window draws what it says
// and hands it the clock's time with every call, so tests play rounds with a clock of their own.
//
// States: Idle (no round), Making (a puzzle is being made), Running (the countdown runs, the
// board takes one move), Paused (the countdown stands, the board is hidden). A round ends by a
// judged move or by the end of its time, and goes back to Idle.
//
// A practice round counts up instead: it has no time limit, never times out, and may always be
// closed; the time it keeps stops at kLongestPlayMs, the longest a record holds.
//
// Times are milliseconds of a monotonic clock. StartTick is moved forward by every completed
// pause, so now - StartTick is always the time played, and TimeLimit + StartTick - now the time
// left. Cells are (col, row).
#pragma once

#include <cstdint>
#include <optional>

#include "logic/cells.h"

enum class TRoundState { Idle, Making, Running, Paused };

enum class TVerdict { Success, WrongMove, TimeOut };

// What closing the window during a round means: close at once, ask whether to give up a
// station, or not now (a puzzle is being made or a move judged).
enum class TCloseRule { Free, Ask, Refused };

struct TTick {
    std::int64_t RemainingMs = 0;  // never below 0
    bool TimedOut = false;         // the round has just ended by its time
};

class TRound {
  public:
    // Closing within the first minute of play is free.
    static constexpr std::int64_t kFreeCloseMs = 60000;
    // The most a round that counts up keeps as its time played: a day, as the records hold.
    static constexpr std::int64_t kLongestPlayMs = 24LL * 3600 * 1000;

    TRoundState State() const { return state_; }
    // A round is under way: running or paused.
    bool Active() const { return state_ == TRoundState::Running || Paused(); }
    bool Paused() const { return state_ == TRoundState::Paused; }
    bool Judging() const { return judging_; }

    int PuzzleKind() const { return puzzleKind_; }
    TCell ForcedCell() const { return forced_.Cell(); }
    int ForcedDigit() const { return forced_.Digit; }
    TMove ForcedMove() const { return forced_; }
    std::int64_t TimeLimit() const { return timeLimit_; }
    std::int64_t StartTick() const { return startTick_; }
    std::int64_t PauseStart() const { return pauseStart_; }

    // Idle -> Making. Refused (false) while a round is under way.
    bool BeginMaking(int kind);
    // Making, Running or Paused -> Idle, unjudged: the puzzle had no single forced move, or the
    // player left a practice round. Nothing while a move is judged.
    void Abandon();
    // Making -> Running: the countdown of the kind at the level starts now. The technique is
    // the level of the technique that found the forced move (for the records).
    void Start(const TMove& forced, int level, std::int64_t now, int technique = 0);
    // Making -> Running with no time limit: the clock counts up (the kind stays as made).
    void StartCountingUp(const TMove& forced, std::int64_t now, int technique);
    bool CountsUp() const { return countsUp_; }
    int AnswerTechnique() const { return technique_; }
    // The time played so far, pauses not counted, never more than the limit (kLongestPlayMs
    // when counting up).
    std::int64_t PlayedMs(std::int64_t now) const;

    // The time left, counted up to the pause's start while paused.
    std::int64_t Remaining(std::int64_t now) const;
    // The countdown's tick: the time left, and the end of the round when none is left.
    TTick Tick(std::int64_t now);
    // How long until the time left falls to the next whole second (1-1000 ms), so the next
    // tick comes when the caption changes, however pauses have shifted the countdown; counting
    // up, until the time played reaches the next whole second.
    std::int64_t NextTickDelay(std::int64_t now) const;

    // Running -> Paused; a second pause keeps the first one's start. False when not running.
    bool Pause(std::int64_t now);
    // Paused -> Running, the pause's length added to StartTick. A round whose time ran out
    // before the pause ends here as a time-out.
    TTick Resume(std::int64_t now);

    // The one move of a running round: the round ends, and the verdict says how. A move after
    // the limit is a time-out, whatever it is. Nothing while no round runs or one is judged.
    // The judgement lasts until FinishJudging, so a close meanwhile is refused.
    std::optional<TVerdict> Judge(const TMove& move, std::int64_t now);
    void FinishJudging() { judging_ = false; }

    // The rule for closing the window now; the player's station a checkpoint or not.
    TCloseRule CloseRule(std::int64_t now, bool atCheckpoint) const;

  private:
    std::int64_t Played(std::int64_t now) const;

    TRoundState state_ = TRoundState::Idle;
    int puzzleKind_ = 1;
    TMove forced_{-1, -1, 0};
    std::int64_t timeLimit_ = 0;
    std::int64_t startTick_ = 0;
    std::int64_t pauseStart_ = 0;
    bool judging_ = false;
    bool countsUp_ = false;
    int technique_ = 0;
};
