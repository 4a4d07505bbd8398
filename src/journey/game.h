// TGame: the game's middle layer, without a window. It owns the players and their records, the
// current player, the round, the board's model, the making of puzzles and the finding of their
// answers, and reads the clocks it is given (monotonic for the countdown, wall for the records).
// The window hands it the player's commands and renders what each one answers (TGameReply): a
// sound cue, messages, the piece to circle, the explanation to offer, the dialog or question to
// open next. The window decides nothing.
//
// What happens between rounds is a state of its own, so every command is taken or refused by
// the state alone (Takes):
//
//   Opening ──Activated──> FirstStart (no player yet) or PlayerDialog
//   BetweenRounds / Judged ──Start──> Running ⇄ Paused ──a move──> Judging ──EndRound──> Judged
//   Running / Paused ──time up──> Judged;  ──close after a minute──> CloseAsked ──> back, or Closed
//   Judged ──explanation done──> PlayerDialog ──chosen──> BetweenRounds (a round soon, or not)
//   ChoosingCharacter: a new journey's travel character is asked
//   Arrived: the player stands at the destination; the arrival question is pending
//
// Practice (修行) drills one technique, and is no part of the journey:
//
//   BetweenRounds / Judged ──OpenPractice──> PracticePicker  (or PlayerChosen with Practice)
//   PracticePicker ──PracticeChosen──> PracticeRunning, or PracticeWaiting while no position
//     of the technique is ready (Tick asks again); closed without a choice: BetweenRounds
//   PracticeRunning ⇄ PracticePaused ──a move──> PracticeJudging ──EndRound──> PracticeJudged
//   PracticeJudged ──NextPractice──> PracticeRunning or PracticeWaiting (the same technique)
//   PracticeWaiting / Running / Paused / Judged ──LeavePractice──> BetweenRounds
//
// A practice round's clock counts up and never runs out; Hint shows its hints one stage at a
// time. It moves no player and changes no journey, checkpoint or saved player line (not even
// its Updated stamp); only its record is added and saved. Closing is free throughout, and a
// round left or closed unjudged leaves no record.
//
// A player who stands at the destination is asked the arrival question before anything else
// they ask for (a round, the player dialog, the records) is done, so no round is ever played at
// the destination. Practice asks nothing: after it, the next of those asks as it would have.
// Making a puzzle lasts only inside Start; a practice position is taken ready-made.
//
// Conventions: cells are (col, row); stations 0-54; times in milliseconds of the monotonic
// clock; players are indexes into Players(), -1 for none; techniques 1-9.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/board.h"
#include "journey/date_time.h"
#include "journey/player_choice.h"
#include "journey/practice.h"
#include "journey/round.h"
#include "journey/round_records.h"
#include "journey/senkaro_user.h"
#include "logic/explanation.h"
#include "logic/matrix.h"
#include "logic/practice_position.h"

class TClock;
class TStorageReporter;

enum class TGameState {
    Opening,            // the board is being laid out
    FirstStart,         // no player yet: the first name and character are asked
    BetweenRounds,      // no round, nothing open
    PlayerDialog,       // the player dialog is open
    ChoosingCharacter,  // a new journey's travel character is asked
    Arrived,            // the arrival question is pending
    Running,            // the countdown runs; the board takes one move
    Paused,             // the countdown stands; the board is hidden
    CloseAsked,         // paused while the player is asked whether to give up a station
    Judging,            // the move is judged; the round ends from the event loop
    Judged,             // the answer stands on the board; its explanation is offered
    Closed,             // the window may go
    PracticePicker,     // the technique picker is open
    PracticeWaiting,    // no position of the technique is ready yet: "making…"
    PracticeRunning,    // the clock counts up; the board takes one move; hints may be asked
    PracticePaused,     // the clock stands; the board is hidden
    PracticeJudging,    // the move is judged; the round ends from the event loop
    PracticeJudged,     // the answer and its explanation; next, or back to the journey
};

// What the window makes of a state: whether the board takes a move, whether it is hidden, and
// whether the tick timer runs (the countdown, the practice clock, or the wait for a position).
bool BoardTakesMoves(TGameState state);
bool BoardHidden(TGameState state);
bool TimerRuns(TGameState state);
// One of the practice states.
bool Practising(TGameState state);

enum class TCommand {
    Activated,
    FirstPlayerAdded,
    OpenPlayerDialog,
    PlayerChosen,
    CharacterChosen,
    ArrivalAnswered,
    Start,
    PlayerMoved,
    EndRound,
    Tick,
    Pause,
    Resume,
    CloseRequested,
    CloseAnswered,
    ExplanationDone,
    Why,
    OpenRecords,
    OpenPractice,
    PracticeChosen,
    Hint,
    NextPractice,
    LeavePractice,
};

// What the window opens once the reply's messages and cue are through.
enum class TOpen {
    Nothing,
    FirstPlayer,      // the name prompt until a name is given, then the level 0 characters
    PlayerDialog,     // then PlayerChosen
    CharacterDialog,  // of CharacterLevel; then CharacterChosen
    ArrivalQuestion,  // Question with Yes and No; then ArrivalAnswered
    CloseQuestion,    // Question with Yes and Cancel; then CloseAnswered
    Records,          // the current player's statistics
    PracticePicker,   // the technique picker (PracticeChoices()); then PracticeChosen
};

struct TGameReply {
    // False: the command is not taken in this state and nothing changed.
    bool Taken = true;
    // The system beep, at once (a wrong move).
    bool Beep = false;
    // Each in a message box, in this order, before the cue.
    std::vector<QString> Messages;
    std::optional<int> Cue;
    // A new puzzle stands on the board and its countdown (in practice: its clock) runs.
    bool RoundStarted = false;
    // The countdown's new caption; in practice the time played, counting up ("0:00").
    std::optional<QString> Countdown;
    // No practice position is ready yet: MakingText() shows; Tick after NextTickDelay asks
    // again.
    bool Waiting = false;
    // A practice hint to draw, in place of the one before (RoundStarted clears them).
    std::optional<TPracticeHint> Hint;
    // A move was taken: EndRound is to be called from the event loop, once the board's change
    // notification has returned.
    bool JudgeLater = false;
    // The round has ended so; the piece to circle (the right move, or the answer played).
    std::optional<TVerdict> Verdict;
    int CirclePiece = TBoard::kNoPiece;
    // After the cue: the answer's explanation is offered.
    bool OfferExplanation = false;
    // The player's name, level, character, position, map or gallery changed.
    bool JourneyChanged = false;
    // A round is to start soon, once the modal dialogs are gone (the deferred start).
    bool StartSoon = false;
    // The window may close now.
    bool CloseNow = false;
    TOpen Open = TOpen::Nothing;
    QString Question;
    int CharacterLevel = 0;
    // A save was made: whether it succeeded.
    std::optional<bool> Saved;

    // This reply followed by the next one (the later part wins where only one can be).
    void Append(TGameReply next);
};

// What a screen reader says of a judgement, and what the offer after the round says first.
QString VerdictText(TVerdict verdict);

// A judged round's effect on the journey: where the player stood before and stands now.
struct TJudgement {
    TVerdict Verdict = TVerdict::Success;
    int StationBefore = 0;
    int StationAfter = 0;
    bool AtCheckpoint = false;  // a failure at a checkpoint: no step back
    // A practice round: the technique practised (0 for a journey round), and whether a hint
    // was asked.
    int PracticeTechnique = 0;
    bool Hinted = false;
};

// The move along the road in a few words, Japanese then English: "品川 → 川崎 Shinagawa →
// Kawasaki", no step back at a checkpoint, no further back than the start, or Kyoto reached.
// For a practice round that it was practice, and whether it was solved with a hint.
QString ProgressText(const TJudgement& judgement);

struct TGameServices {
    TClock* Clock = nullptr;  // monotonic
    std::function<date_time::TDateTime()> WallClock = &date_time::Now;
    std::string DataFile = kUsersFileName;
    // Where practice positions come from; without one there is no practice.
    TPracticeSource* Practice = nullptr;
};

class TGame {
  public:
    // Loads the players and records of the data file; what storage had to say comes with the
    // first reply.
    explicit TGame(TGameServices services);
    ~TGame();
    TGame(const TGame&) = delete;
    TGame& operator=(const TGame&) = delete;

    TGameState State() const { return state_; }
    bool Takes(TCommand command) const;

    // --- Commands ---------------------------------------------------------------------------
    // The board stands: the player dialog, or with no player yet the first player's name.
    TGameReply Activated();
    // The first player: added, selected, saved, and the first round starts at once.
    TGameReply FirstPlayerAdded(const QString& name, int character);
    TGameReply OpenPlayerDialog();
    TGameReply PlayerChosen(const TPlayerChoice& choice);
    TGameReply CharacterChosen(int character);
    // The next journey begins whatever the answer; only "set out" goes on with what was asked.
    TGameReply ArrivalAnswered(bool setOut);
    TGameReply Start();
    // The board's change notification; only the player's own moves are taken.
    TGameReply PlayerMoved(const TPlacedMove& move);
    TGameReply EndRound();
    TGameReply Tick();
    TGameReply Pause();
    TGameReply Resume();
    TGameReply CloseRequested();
    TGameReply CloseAnswered(bool giveUp);
    // The explanation was closed or passed over: the player dialog comes.
    TGameReply ExplanationDone();
    // Whether the offered explanation may be walked now.
    TGameReply Why();
    TGameReply OpenRecords();

    // --- Practice ---------------------------------------------------------------------------
    // The technique picker for the current player; no arrival question comes first.
    TGameReply OpenPractice();
    // The picker's answer: a round of the technique (the source told to prefer it), or the
    // wait for one; closed without a choice, or a technique outside 1-9: back between rounds.
    TGameReply PracticeChosen(const TPracticeChoice& choice);
    // The next stage of hints (1, 2, 3), drawn by the window; the round counts as hinted.
    TGameReply Hint();
    // Another position of the same technique.
    TGameReply NextPractice();
    // Back to the journey, between rounds; an unjudged round leaves no record.
    TGameReply LeavePractice();

    // --- What the window draws --------------------------------------------------------------
    const TSenkaroUsers& Players() const { return users_; }
    const TRoundRecords& Records() const { return records_; }
    int CurrentUser() const { return currentUser_; }
    const TSenkaroUser* CurrentPlayer() const;
    const std::vector<int>& CheckpointList() const { return checkpointList_; }
    const TRound& Round() const { return round_; }
    // The last round judged.
    const TJudgement& LastJudgement() const { return judgement_; }
    TBoard& Board() { return board_; }
    const TBoard& Board() const { return board_; }
    // The round's position as it began, why its answer is forced, and the technique the
    // explanation names (the one the records keep).
    const TMatrix& RoundPosition() const { return roundPosition_; }
    const TExplanation& RoundExplanation() const { return roundExplanation_; }
    int AnswerTechnique() const { return round_.AnswerTechnique(); }
    // How long until the countdown's (or the practice clock's) caption changes; while waiting
    // for a practice position, until it is asked for again.
    std::int64_t NextTickDelay() const;
    // What the technique picker shows for the current player.
    TPracticeMenu PracticeChoices() const;
    // The technique practised (0 outside practice), and the hint shown so far (stage 0: none).
    int PracticeTechnique() const { return practiceTechnique_; }
    const TPracticeHint& ShownHint() const { return hint_; }
    std::int64_t Now() const;

  private:
    enum class TAfter { Nothing, Round, PlayerDialog, Records, Practice };

    TGameReply Refused() const;
    bool AtDestination() const;
    // The arrival question when the current player stands at the destination below the last
    // level; then `after`.
    std::optional<TGameReply> ArriveFirst(TAfter after);
    TGameReply AskArrival(int player, TAfter after);
    TGameReply SelectUser(int index, TAfter after);
    TGameReply Proceed(TAfter after);
    TGameReply MakeRound();
    // The round ends with the verdict: the move taken back unless it was right (when there was
    // one), the answer played, the player moved, the round recorded and saved.
    TGameReply Finish(TVerdict verdict, bool takeBackTheMove);
    // The board plays its forced move; the piece placed, or none.
    int ShowAnswer();
    // The round played by the current player, as it stands before the player moves on: a
    // journey round of its puzzle kind and answer's technique, or practice (kind 0) of one.
    void RecordRound(TRoundResult result, int kind, int technique);
    std::optional<bool> SaveUsers();
    bool IsCheckpoint(int station) const;
    void Into(TGameReply& reply);

    // Practice: a ready position of the technique laid out, or the wait for one; a position
    // the game could not judge or explain is passed over.
    TGameReply TakePosition();
    bool LayOutPractice(const TPracticePosition& position);
    TGameReply FinishPractice(TVerdict verdict);
    // The round's answer placed by the program; its piece, or none.
    int PlaceAnswer();

    TGameServices services_;
    std::unique_ptr<TStorageReporter> reporter_;
    std::vector<QString> told_;  // what storage said, for the next reply
    TGameState state_ = TGameState::Opening;
    TSenkaroUsers users_;
    TRoundRecords records_;
    int currentUser_ = -1;
    std::vector<int> checkpointList_;
    TRound round_;
    TBoard board_;
    TMatrix roundPosition_;
    TExplanation roundExplanation_;
    TPlacedMove move_;
    TVerdict verdict_ = TVerdict::Success;
    TJudgement judgement_;
    std::int64_t playedMs_ = 0;  // of the round being judged
    // Pending: the player who arrived, what comes after the question or the character.
    int arrived_ = -1;
    TAfter after_ = TAfter::Nothing;
    bool pausedBeforeAsking_ = false;
    int practiceTechnique_ = 0;
    TPracticeHint hint_;
};
