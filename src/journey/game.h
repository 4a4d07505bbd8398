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
// A player who stands at the destination is asked the arrival question before anything else
// they ask for (a round, the player dialog, the records) is done, so no round is ever played at
// the destination. Making a puzzle lasts only inside Start.
//
// Conventions: cells are (col, row); stations 0-54; times in milliseconds of the monotonic
// clock; players are indexes into Players(), -1 for none.
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
#include "journey/round.h"
#include "journey/round_records.h"
#include "journey/senkaro_user.h"
#include "logic/explanation.h"
#include "logic/matrix.h"

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
};

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
};

struct TGameReply {
    // False: the command is not taken in this state and nothing changed.
    bool Taken = true;
    // The system beep, at once (a wrong move).
    bool Beep = false;
    // Each in a message box, in this order, before the cue.
    std::vector<QString> Messages;
    std::optional<int> Cue;
    // A new puzzle stands on the board and its countdown runs.
    bool RoundStarted = false;
    // The countdown's new caption.
    std::optional<QString> Countdown;
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
};

// The move along the road in a few words, Japanese then English: "品川 → 川崎 Shinagawa →
// Kawasaki", no step back at a checkpoint, no further back than the start, or Kyoto reached.
QString ProgressText(const TJudgement& judgement);

struct TGameServices {
    TClock* Clock = nullptr;  // monotonic
    std::function<date_time::TDateTime()> WallClock = &date_time::Now;
    std::string DataFile = kUsersFileName;
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
    // How long until the countdown's caption changes.
    std::int64_t NextTickDelay() const;
    std::int64_t Now() const;

  private:
    enum class TAfter { Nothing, Round, PlayerDialog, Records };

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
    void RecordRound(TRoundResult result);
    std::optional<bool> SaveUsers();
    bool IsCheckpoint(int station) const;
    void Into(TGameReply& reply);

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
};
