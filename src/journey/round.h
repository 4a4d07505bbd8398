// TRound: one round's state and rules, without a window. The main window draws what it says
// and hands it the clock's time with every call, so tests play rounds with a clock of their own.
//
// States: Idle (no round), Making (a puzzle is being made), Running (the countdown runs, the
// board takes one move), Paused (the countdown stands, the board is hidden). A round ends by a
// judged move or by the end of its time, and goes back to Idle.
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
    // Making -> Idle: the puzzle had no single forced move.
    void Abandon();
    // Making -> Running: the countdown of the kind at the level starts now. The technique is
    // the level of the technique that found the forced move (for the records).
    void Start(const TMove& forced, int level, std::int64_t now, int technique = 0);
    int AnswerTechnique() const { return technique_; }
    // The time played so far, pauses not counted, never more than the limit.
    std::int64_t PlayedMs(std::int64_t now) const;

    // The time left, counted up to the pause's start while paused.
    std::int64_t Remaining(std::int64_t now) const;
    // The countdown's tick: the time left, and the end of the round when none is left.
    TTick Tick(std::int64_t now);
    // How long until the time left falls to the next whole second (1-1000 ms), so the next
    // tick comes when the caption changes, however pauses have shifted the countdown.
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
    int technique_ = 0;
};
