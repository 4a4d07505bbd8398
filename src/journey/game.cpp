// TGame's commands: each is taken or refused by the state alone, and answers with what the
// window must show or open next.
#include "journey/game.h"

#include <algorithm>

#include "journey/round_rules.h"
#include "journey/route_tables.h"
#include "logic/random.h"
#include "logic/templates.h"
#include "platform/clock.h"
#include "storage/data_file.h"
#include "storage/storage_reporter.h"

namespace {

const QString kUnsuitable = QStringLiteral(
    "必然手がないか、複数あります。問題として不適切です\r\n\r\nThis puzzle has no unique solution "
    "that can be reached logically without guessing.");
const QString kWrongMove =
    QStringLiteral("必然の一手を探してください\r\n\r\nSet a number in the specified cell!");
const QString kGiveUpQuestion = QStringLiteral(
    "ゲームがはじまって１分以内であれば中止できますが、すでに１分を過ぎています\r\n\r\n"
    "ここで旅を中断すると、１宿もどされます。よろしいか？\r\n\r\n"
    "If you get out, you will be send back one station. OK?");
const QString kNoFurtherJourney =
    QStringLiteral("もうこれ以上の旅はありません\r\n\r\nThere is no further journey.");

QString ArrivalQuestion(int level) {
    return QStringLiteral(
               "%1 の目的地に到着です\r\n\r\nつづけて %2 を始めますか？\r\n\r\n"
               "You have arrived at Kyoto. Do you set out on another journey?")
        .arg(LevelName(level), LevelName(level + 1));
}

// Storage's messages wait for the next reply.
class TCollectingReporter final : public TStorageReporter {
  public:
    explicit TCollectingReporter(std::vector<QString>& told) : told_(told) {}
    void Report(const std::string& text) override { told_.push_back(QString::fromStdString(text)); }

  private:
    std::vector<QString>& told_;
};

TRoundResult ResultOf(TVerdict verdict) {
    switch (verdict) {
        case TVerdict::Success:
            return TRoundResult::Ok;
        case TVerdict::WrongMove:
            return TRoundResult::Wrong;
        case TVerdict::TimeOut:
            break;
    }
    return TRoundResult::Timeout;
}

}  // namespace

QString VerdictText(TVerdict verdict) {
    switch (verdict) {
        case TVerdict::Success:
            return QStringLiteral("正解 right move");
        case TVerdict::WrongMove:
            return QStringLiteral("不正解 wrong move");
        case TVerdict::TimeOut:
            break;
    }
    return QStringLiteral("時間切れ time is up");
}

QString ProgressText(const TJudgement& j) {
    // Practice: the offer's next line names the technique, so this stays short enough for
    // one line.
    if (j.PracticeTechnique != 0)
        return j.Hinted && j.Verdict == TVerdict::Success
                   ? QStringLiteral("修行 practice　ヒントあり with a hint")
                   : QStringLiteral("修行 practice");
    if (j.StationAfter >= kLastStation)
        return QStringLiteral("京に着きました you have reached Kyoto");
    if (j.StationAfter == j.StationBefore && j.AtCheckpoint)
        return QStringLiteral("関所なので戻りません at a checkpoint, no step back");
    if (j.StationAfter == j.StationBefore)
        return QStringLiteral("%1のまま still at %2")
            .arg(StationJapanese(j.StationAfter), StationRomanised(j.StationAfter));
    return QStringLiteral("%1 → %2　%3 → %4")
        .arg(StationJapanese(j.StationBefore), StationJapanese(j.StationAfter),
             StationRomanised(j.StationBefore), StationRomanised(j.StationAfter));
}

bool BoardTakesMoves(TGameState s) {
    return s == TGameState::Running || s == TGameState::PracticeRunning;
}

bool BoardHidden(TGameState s) {
    return s == TGameState::Paused || s == TGameState::CloseAsked ||
           s == TGameState::PracticePaused;
}

bool TimerRuns(TGameState s) {
    return BoardTakesMoves(s) || s == TGameState::PracticeWaiting;
}

bool Practising(TGameState s) {
    switch (s) {
        case TGameState::PracticePicker:
        case TGameState::PracticeWaiting:
        case TGameState::PracticeRunning:
        case TGameState::PracticePaused:
        case TGameState::PracticeJudging:
        case TGameState::PracticeJudged:
            return true;
        default:
            return false;
    }
}

void TGameReply::Append(TGameReply next) {
    Taken = Taken && next.Taken;
    Beep = Beep || next.Beep;
    Messages.insert(Messages.end(), next.Messages.begin(), next.Messages.end());
    if (next.Cue) Cue = next.Cue;
    RoundStarted = RoundStarted || next.RoundStarted;
    if (next.Countdown) Countdown = next.Countdown;
    JudgeLater = JudgeLater || next.JudgeLater;
    if (next.Verdict) Verdict = next.Verdict;
    if (next.CirclePiece != TBoard::kNoPiece) CirclePiece = next.CirclePiece;
    OfferExplanation = OfferExplanation || next.OfferExplanation;
    JourneyChanged = JourneyChanged || next.JourneyChanged;
    StartSoon = StartSoon || next.StartSoon;
    CloseNow = CloseNow || next.CloseNow;
    Waiting = (Waiting && !next.RoundStarted) || next.Waiting;
    if (next.Hint) Hint = next.Hint;
    if (next.Open != TOpen::Nothing) {
        Open = next.Open;
        Question = next.Question;
        CharacterLevel = next.CharacterLevel;
    }
    if (next.Saved) Saved = Saved.value_or(true) && *next.Saved;
}

TGame::TGame(TGameServices services)
    : services_(std::move(services)), reporter_(std::make_unique<TCollectingReporter>(told_)) {
    // Players and records in one read of the file.
    users_.LoadFromFile(
        services_.DataFile, kUsersSection, *reporter_,
        [this](const TDataFile& file) { records_.ReadFrom(file); }, SystemFileSystem(),
        TRoundRecords::Caps());
}

TGame::~TGame() = default;

std::int64_t TGame::Now() const {
    return services_.Clock->NowMs();
}

std::int64_t TGame::NextTickDelay() const {
    // A position made in the background is looked for a few times a second.
    if (state_ == TGameState::PracticeWaiting) return 100;
    return round_.NextTickDelay(Now());
}

const TSenkaroUser* TGame::CurrentPlayer() const {
    return currentUser_ >= 0 ? &users_.Items(currentUser_) : nullptr;
}

bool TGame::Takes(TCommand command) const {
    using S = TGameState;
    const S s = state_;
    const bool between = s == S::BetweenRounds || s == S::Judged;
    switch (command) {
        case TCommand::Activated:
            return s == S::Opening;
        case TCommand::FirstPlayerAdded:
            return s == S::FirstStart;
        case TCommand::OpenPlayerDialog:
            return between;
        case TCommand::PlayerChosen:
            return s == S::PlayerDialog;
        case TCommand::CharacterChosen:
            return s == S::ChoosingCharacter;
        case TCommand::ArrivalAnswered:
            return s == S::Arrived;
        case TCommand::Start:
        case TCommand::OpenRecords:
            return between && currentUser_ >= 0;
        case TCommand::PlayerMoved:
        case TCommand::Pause:
            return s == S::Running || s == S::PracticeRunning;
        case TCommand::Tick:
            return s == S::Running || s == S::PracticeRunning || s == S::PracticeWaiting;
        case TCommand::Resume:
            return s == S::Paused || s == S::PracticePaused;
        case TCommand::EndRound:
            return s == S::Judging || s == S::PracticeJudging;
        case TCommand::CloseRequested:
            // Not while a move is judged, nor twice over one question.
            return s != S::Judging && s != S::PracticeJudging && s != S::CloseAsked;
        case TCommand::CloseAnswered:
            return s == S::CloseAsked;
        case TCommand::ExplanationDone:
            return s == S::Judged;
        case TCommand::Why:
            return (s == S::Judged || s == S::PracticeJudged) && roundExplanation_.Explained();
        case TCommand::OpenPractice:
            return between && currentUser_ >= 0 && services_.Practice != nullptr;
        case TCommand::PracticeChosen:
            return s == S::PracticePicker;
        case TCommand::Hint:
            return s == S::PracticeRunning && hint_.Stage < kLastHintStage &&
                   roundExplanation_.Explained();
        case TCommand::NextPractice:
            return s == S::PracticeJudged;
        case TCommand::LeavePractice:
            return s == S::PracticeWaiting || s == S::PracticeRunning || s == S::PracticePaused ||
                   s == S::PracticeJudged;
    }
    return false;
}

TGameReply TGame::Refused() const {
    TGameReply reply;
    reply.Taken = false;
    return reply;
}

void TGame::Into(TGameReply& reply) {
    reply.Messages.insert(reply.Messages.end(), told_.begin(), told_.end());
    told_.clear();
}

bool TGame::IsCheckpoint(int station) const {
    return std::find(checkpointList_.begin(), checkpointList_.end(), station) !=
           checkpointList_.end();
}

bool TGame::AtDestination() const {
    return currentUser_ >= 0 && users_.Items(currentUser_).Station == kLastStation;
}

std::optional<bool> TGame::SaveUsers() {
    // Players and records in one read and one write of the file.
    return users_.SaveToFile(services_.DataFile, kUsersSection, *reporter_,
                             [this](TDataFile& file) { records_.WriteTo(file); });
}

// --- Between rounds --------------------------------------------------------------------------

TGameReply TGame::Activated() {
    if (!Takes(TCommand::Activated)) return Refused();
    TGameReply reply;
    reply.JourneyChanged = true;
    const bool anyPlayer = users_.Count() > 0;
    state_ = anyPlayer ? TGameState::PlayerDialog : TGameState::FirstStart;
    reply.Open = anyPlayer ? TOpen::PlayerDialog : TOpen::FirstPlayer;
    Into(reply);
    return reply;
}

TGameReply TGame::FirstPlayerAdded(const QString& name, int character) {
    if (!Takes(TCommand::FirstPlayerAdded)) return Refused();
    const int index = users_.Add(name);
    users_.Items(index).Character = CharacterBelongsToLevel(character, 0) ? character : 0;
    TGameReply reply = SelectUser(index, TAfter::Nothing);
    // The first round starts at once.
    if (state_ == TGameState::BetweenRounds) reply.Append(MakeRound());
    Into(reply);
    return reply;
}

TGameReply TGame::OpenPlayerDialog() {
    if (!Takes(TCommand::OpenPlayerDialog)) return Refused();
    std::optional<TGameReply> arrival = ArriveFirst(TAfter::PlayerDialog);
    TGameReply reply = arrival ? *arrival : Proceed(TAfter::PlayerDialog);
    Into(reply);
    return reply;
}

TGameReply TGame::ExplanationDone() {
    if (!Takes(TCommand::ExplanationDone)) return Refused();
    return OpenPlayerDialog();
}

TGameReply TGame::PlayerChosen(const TPlayerChoice& choice) {
    if (!Takes(TCommand::PlayerChosen)) return Refused();
    TGameReply reply;
    for (const TNewPlayer& added : choice.Added)
        users_.Items(users_.Add(added.Name)).Character = added.Character;
    if (!choice.Added.empty()) reply.Saved = SaveUsers();
    state_ = TGameState::BetweenRounds;
    const int selected = choice.Selected;
    if (selected < 0 || selected >= users_.Count()) {
        Into(reply);
        return reply;
    }
    const TSenkaroUser& user = users_.Items(selected);
    const bool atDestination = user.Station == kLastStation;
    if (choice.Practice && services_.Practice) {
        // Practice is no journey round: no arrival question first, wherever the player stands.
        reply.Append(SelectUser(selected, TAfter::Practice));
    } else if (choice.Continue && atDestination && user.Level < kLevelCount - 1) {
        reply.Append(AskArrival(selected, TAfter::Round));
    } else if (choice.Continue && !atDestination) {
        reply.Append(SelectUser(selected, TAfter::Round));
    } else {
        // Closed, or nothing to set out on: the chosen player stays current all the same, so
        // their records can be opened before any round.
        if (choice.Continue) reply.Messages.push_back(kNoFurtherJourney);
        if (selected != currentUser_) reply.Append(SelectUser(selected, TAfter::Nothing));
    }
    Into(reply);
    return reply;
}

TGameReply TGame::CharacterChosen(int character) {
    if (!Takes(TCommand::CharacterChosen)) return Refused();
    TSenkaroUser& user = users_.Items(currentUser_);
    user.Character = CharacterBelongsToLevel(character, user.Level) ? character : 3 * user.Level;
    TGameReply reply;
    reply.JourneyChanged = true;
    reply.Saved = SaveUsers();
    reply.Append(Proceed(after_));
    Into(reply);
    return reply;
}

TGameReply TGame::ArrivalAnswered(bool setOut) {
    if (!Takes(TCommand::ArrivalAnswered)) return Refused();
    // The next journey begins whatever the answer, and shows at once.
    StartNewJourney(users_.Items(arrived_));
    users_.Items(arrived_).Updated = services_.WallClock();
    TGameReply reply;
    reply.Saved = SaveUsers();
    reply.Append(SelectUser(arrived_, setOut ? after_ : TAfter::Nothing));
    Into(reply);
    return reply;
}

TGameReply TGame::OpenRecords() {
    if (!Takes(TCommand::OpenRecords)) return Refused();
    TGameReply reply;
    if (std::optional<TGameReply> arrival = ArriveFirst(TAfter::Records))
        reply = *arrival;
    else
        reply.Open = TOpen::Records;
    Into(reply);
    return reply;
}

TGameReply TGame::Why() {
    if (!Takes(TCommand::Why)) return Refused();
    return {};
}

std::optional<TGameReply> TGame::ArriveFirst(TAfter after) {
    if (!AtDestination()) return std::nullopt;
    if (users_.Items(currentUser_).Level < kLevelCount - 1) return AskArrival(currentUser_, after);
    // After the last journey there is nothing to set out on, and no round at the destination.
    if (after != TAfter::Round) return std::nullopt;
    TGameReply reply;
    reply.Messages.push_back(kNoFurtherJourney);
    state_ = TGameState::BetweenRounds;
    return reply;
}

TGameReply TGame::AskArrival(int player, TAfter after) {
    arrived_ = player;
    after_ = after;
    state_ = TGameState::Arrived;
    TGameReply reply;
    reply.Open = TOpen::ArrivalQuestion;
    reply.Question = ArrivalQuestion(users_.Items(player).Level);
    return reply;
}

TGameReply TGame::SelectUser(int index, TAfter after) {
    TGameReply reply;
    reply.JourneyChanged = true;
    currentUser_ = index >= 0 && index < users_.Count() ? index : -1;
    state_ = TGameState::BetweenRounds;
    if (currentUser_ < 0) return reply;
    TSenkaroUser& user = users_.Items(currentUser_);
    if (!user.Checkpoints.isEmpty()) {
        checkpointList_ = user.GetCheckpoints();
        reply.Append(Proceed(after));
        return reply;
    }
    // A new journey: its checkpoints, and a character of its level.
    checkpointList_ = DrawCheckpoints(user.Level, ProgramRandom());
    user.Checkpoints = CheckpointText(checkpointList_);
    if (!CharacterBelongsToLevel(user.Character, user.Level)) {
        after_ = after;
        state_ = TGameState::ChoosingCharacter;
        reply.Open = TOpen::CharacterDialog;
        reply.CharacterLevel = user.Level;
        return reply;
    }
    reply.Saved = SaveUsers();
    reply.Append(Proceed(after));
    return reply;
}

TGameReply TGame::Proceed(TAfter after) {
    TGameReply reply;
    state_ = TGameState::BetweenRounds;
    switch (after) {
        case TAfter::Nothing:
            break;
        case TAfter::Round:
            reply.StartSoon = true;
            break;
        case TAfter::PlayerDialog:
            state_ = TGameState::PlayerDialog;
            reply.Open = TOpen::PlayerDialog;
            break;
        case TAfter::Records:
            reply.Open = TOpen::Records;
            break;
        case TAfter::Practice:
            state_ = TGameState::PracticePicker;
            reply.Open = TOpen::PracticePicker;
            break;
    }
    return reply;
}

// --- A round ---------------------------------------------------------------------------------

TGameReply TGame::Start() {
    if (!Takes(TCommand::Start)) return Refused();
    std::optional<TGameReply> arrival = ArriveFirst(TAfter::Round);
    TGameReply reply = arrival ? *arrival : MakeRound();
    Into(reply);
    return reply;
}

TGameReply TGame::MakeRound() {
    const TSenkaroUser& user = users_.Items(currentUser_);
    const int kind = ChooseKind(user.Level, user.Station, ProgramRandom());
    if (!round_.BeginMaking(kind)) return Refused();
    TDrawnTemplate drawn = DrawTemplate(kind, ProgramRandom());
    board_.MakePuzzle(drawn.Text);
    board_.Fix();
    const std::optional<TFoundAnswer> found = board_.FindAnswer();
    TGameReply reply;
    if (!found) {
        round_.Abandon();
        state_ = TGameState::BetweenRounds;
        reply.Messages.push_back(kUnsuitable);
        return reply;
    }
    // Explained now, on the position the player is about to see; cheap next to the making.
    roundPosition_ = board_.Matrix();
    roundExplanation_ = Explain(roundPosition_, found->Move);
    // The records keep the technique the explanation names.
    const int technique =
        roundExplanation_.Explained() ? roundExplanation_.Technique() : found->Technique;
    round_.Start(found->Move, user.Level, Now(), technique);
    state_ = TGameState::Running;
    reply.RoundStarted = true;
    reply.Cue = 3;
    reply.Countdown = CountdownCaption(round_.TimeLimit());
    return reply;
}

TGameReply TGame::PlayerMoved(const TPlacedMove& move) {
    if (move.Origin != TMoveOrigin::Player || !Takes(TCommand::PlayerMoved)) return Refused();
    const std::int64_t now = Now();
    const std::int64_t played = round_.PlayedMs(now);
    const std::optional<TVerdict> verdict = round_.Judge(move.Move, now);
    if (!verdict) return Refused();
    move_ = move;
    verdict_ = *verdict;
    playedMs_ = played;
    state_ =
        state_ == TGameState::PracticeRunning ? TGameState::PracticeJudging : TGameState::Judging;
    TGameReply reply;
    reply.JudgeLater = true;
    reply.Beep = verdict_ == TVerdict::WrongMove;
    // Played after the time ran out: the move does not count.
    if (verdict_ == TVerdict::TimeOut) reply.Countdown = QStringLiteral("0");
    return reply;
}

TGameReply TGame::EndRound() {
    if (!Takes(TCommand::EndRound)) return Refused();
    TGameReply reply =
        state_ == TGameState::PracticeJudging ? FinishPractice(verdict_) : Finish(verdict_, true);
    Into(reply);
    return reply;
}

TGameReply TGame::Tick() {
    if (!Takes(TCommand::Tick)) return Refused();
    TGameReply reply;
    if (state_ == TGameState::PracticeWaiting || state_ == TGameState::PracticeRunning) {
        // Waiting: the position may be ready now. Running: the clock counts up, never out.
        if (state_ == TGameState::PracticeWaiting)
            reply = TakePosition();
        else
            reply.Countdown = ElapsedCaption(round_.PlayedMs(Now()));
        Into(reply);
        return reply;
    }
    const TTick tick = round_.Tick(Now());
    if (tick.TimedOut)
        reply = Finish(TVerdict::TimeOut, false);
    else
        reply.Countdown = CountdownCaption(tick.RemainingMs);
    Into(reply);
    return reply;
}

TGameReply TGame::Pause() {
    if (!Takes(TCommand::Pause)) return Refused();
    TGameReply reply;
    if (state_ == TGameState::PracticeRunning) {
        round_.Pause(Now());
        state_ = TGameState::PracticePaused;
        Into(reply);
        return reply;
    }
    // A round whose time is up ends rather than pausing.
    if (round_.Tick(Now()).TimedOut) {
        reply = Finish(TVerdict::TimeOut, false);
    } else {
        round_.Pause(Now());
        state_ = TGameState::Paused;
    }
    Into(reply);
    return reply;
}

TGameReply TGame::Resume() {
    if (!Takes(TCommand::Resume)) return Refused();
    TGameReply reply;
    if (state_ == TGameState::PracticePaused) {
        round_.Resume(Now());
        state_ = TGameState::PracticeRunning;
        reply.Countdown = ElapsedCaption(round_.PlayedMs(Now()));
        Into(reply);
        return reply;
    }
    const TTick tick = round_.Resume(Now());
    if (tick.TimedOut) {
        reply = Finish(TVerdict::TimeOut, false);
    } else {
        state_ = TGameState::Running;
        reply.Countdown = CountdownCaption(tick.RemainingMs);
    }
    Into(reply);
    return reply;
}

TGameReply TGame::Finish(TVerdict verdict, bool takeBackTheMove) {
    if (verdict == TVerdict::TimeOut && !takeBackTheMove) playedMs_ = round_.PlayedMs(Now());
    TGameReply reply;
    reply.Verdict = verdict;
    TSenkaroUser& user = users_.Items(currentUser_);
    RecordRound(ResultOf(verdict), round_.PuzzleKind(), round_.AnswerTechnique());
    judgement_ = {verdict, user.Station, user.Station, IsCheckpoint(user.Station)};
    if (verdict == TVerdict::Success) {
        reply.CirclePiece = move_.Piece;
        user.Advance();
        reply.Cue = user.Station == kLastStation || IsCheckpoint(user.Station) ? 0 : 1;
    } else {
        if (takeBackTheMove) board_.Undo();
        reply.CirclePiece = ShowAnswer();
        user.StepBack();
        reply.Cue = 2;
        if (verdict == TVerdict::WrongMove)
            reply.Messages.push_back(kWrongMove);
        else
            reply.Countdown = QStringLiteral("0");
    }
    user.Updated = services_.WallClock();
    judgement_.StationAfter = user.Station;
    judgement_.AtCheckpoint = judgement_.AtCheckpoint && verdict != TVerdict::Success;
    reply.JourneyChanged = true;
    reply.Saved = SaveUsers();
    round_.FinishJudging();
    state_ = TGameState::Judged;
    reply.OfferExplanation = true;
    return reply;
}

int TGame::ShowAnswer() {
    // The undone wrong move still stands in the history as its redo tail; the answer replaces
    // it, so the cursor, not the count, tells whether a move was played.
    const THistories& histories = board_.Histories();
    const int before = histories.Floater();
    board_.PlayNextMove(false);
    if (histories.Floater() == before || histories.Count() == 0) return TBoard::kNoPiece;
    return histories.Items(histories.Count() - 1).Index();
}

void TGame::RecordRound(TRoundResult result, int kind, int technique) {
    const TSenkaroUser& user = users_.Items(currentUser_);
    TRoundRecord record;
    record.Name = user.Name;
    record.When = services_.WallClock();
    record.Level = user.Level;
    record.Station = user.Station;
    record.Kind = kind;
    record.Technique = technique;
    record.Result = result;
    record.Ms = playedMs_;
    records_.Add(record);
}

// --- Closing ---------------------------------------------------------------------------------

TGameReply TGame::CloseRequested() {
    if (!Takes(TCommand::CloseRequested)) return Refused();
    TGameReply reply;
    const bool inRound = state_ == TGameState::Running || state_ == TGameState::Paused;
    const bool atCheckpoint = currentUser_ >= 0 && IsCheckpoint(users_.Items(currentUser_).Station);
    if (inRound && round_.CloseRule(Now(), atCheckpoint) == TCloseRule::Ask) {
        // Its time may have run out just now: then the round ends, is saved, and the window
        // closes.
        if (round_.Tick(Now()).TimedOut) {
            reply = Finish(TVerdict::TimeOut, false);
        } else {
            // The round stands still while the question is open.
            pausedBeforeAsking_ = state_ == TGameState::Paused;
            round_.Pause(Now());
            state_ = TGameState::CloseAsked;
            reply.Open = TOpen::CloseQuestion;
            reply.Question = kGiveUpQuestion;
            Into(reply);
            return reply;
        }
    }
    state_ = TGameState::Closed;
    reply.CloseNow = true;
    Into(reply);
    return reply;
}

TGameReply TGame::CloseAnswered(bool giveUp) {
    if (!Takes(TCommand::CloseAnswered)) return Refused();
    TGameReply reply;
    if (giveUp) {
        playedMs_ = round_.PlayedMs(Now());
        RecordRound(TRoundResult::GaveUp, round_.PuzzleKind(), round_.AnswerTechnique());
        users_.Items(currentUser_).StepBack();
        users_.Items(currentUser_).Updated = services_.WallClock();
        reply.Saved = SaveUsers();
        reply.JourneyChanged = true;
        state_ = TGameState::Closed;
        reply.CloseNow = true;
        Into(reply);
        return reply;
    }
    // A running round runs on; a paused one stays paused.
    state_ = TGameState::Paused;
    if (!pausedBeforeAsking_) return Resume();
    Into(reply);
    return reply;
}
