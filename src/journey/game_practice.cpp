// TGame's practice: the technique picker's answer, the practice round on a position the source
// has ready, its hints, its judgement and record, and the way back to the journey. Nothing
// here moves a player or touches their saved line; SaveUsers writes that line as it stands.
#include <algorithm>

#include "journey/game.h"
#include "journey/round_rules.h"
#include "logic/position_text.h"
#include "logic/templates.h"

namespace {

const QString kWrongMove =
    QStringLiteral("必然の一手を探してください\r\n\r\nSet a number in the specified cell!");

// Positions passed over in one look at the source before the game waits for the next.
constexpr int kTakesPerLook = 8;

static_assert(TRound::kLongestPlayMs <= kLongestRecordedMs,
              "a practice round's time must fit its record");

bool IsTechnique(int technique) {
    return technique >= 1 && technique <= 9;
}

}  // namespace

TPracticeMenu TGame::PracticeChoices() const {
    const TSenkaroUser* user = CurrentPlayer();
    return MakePracticeMenu(user ? records_.OfPlayer(user->Name) : std::vector<TRoundRecord>{});
}

TGameReply TGame::OpenPractice() {
    if (!Takes(TCommand::OpenPractice)) return Refused();
    TGameReply reply = Proceed(TAfter::Practice);
    Into(reply);
    return reply;
}

TGameReply TGame::PracticeChosen(const TPracticeChoice& choice) {
    if (!Takes(TCommand::PracticeChosen)) return Refused();
    const int technique = choice.Weakest ? PracticeChoices().Weakest : choice.Technique;
    if (!choice.Chosen || !IsTechnique(technique)) {
        state_ = TGameState::BetweenRounds;
        TGameReply reply;
        Into(reply);
        return reply;
    }
    practiceTechnique_ = technique;
    services_.Practice->Prefer(technique);
    TGameReply reply = TakePosition();
    Into(reply);
    return reply;
}

TGameReply TGame::NextPractice() {
    if (!Takes(TCommand::NextPractice)) return Refused();
    TGameReply reply = TakePosition();
    Into(reply);
    return reply;
}

TGameReply TGame::LeavePractice() {
    if (!Takes(TCommand::LeavePractice)) return Refused();
    // An unjudged round ends here unrecorded; the answer of a judged one stays on the board.
    round_.Abandon();
    practiceTechnique_ = 0;
    hint_ = {};
    state_ = TGameState::BetweenRounds;
    TGameReply reply;
    Into(reply);
    return reply;
}

TGameReply TGame::Hint() {
    if (!Takes(TCommand::Hint)) return Refused();
    hint_ = PracticeHint(roundExplanation_, hint_.Stage + 1);
    TGameReply reply;
    reply.Hint = hint_;
    Into(reply);
    return reply;
}

TGameReply TGame::TakePosition() {
    TGameReply reply;
    for (int look = 0; look < kTakesPerLook; ++look) {
        const std::optional<TPracticePosition> position =
            services_.Practice->Take(practiceTechnique_);
        if (!position) break;
        if (!LayOutPractice(*position)) continue;
        state_ = TGameState::PracticeRunning;
        reply.RoundStarted = true;
        reply.Cue = 3;
        reply.Countdown = ElapsedCaption(0);
        return reply;
    }
    state_ = TGameState::PracticeWaiting;
    reply.Waiting = true;
    return reply;
}

bool TGame::LayOutPractice(const TPracticePosition& position) {
    // Checked before the board changes: the position is of the technique asked for, and the
    // board's own answer search and the explanation agree on its answer, so the move is judged,
    // shown and explained as in a journey round.
    if (position.Technique != practiceTechnique_ || !IsPuzzleText(position.Puzzle)) return false;
    TBoard check;
    check.LayOutPuzzle(position.Puzzle);
    const std::optional<TFoundAnswer> found = check.FindAnswer();
    if (!found || !(found->Move == position.Answer)) return false;
    TExplanation explanation = Explain(check.Matrix(), position.Answer);
    if (!explanation.Explained() || !round_.BeginMaking(kPracticeKind)) return false;

    board_.LayOutPuzzle(position.Puzzle);
    board_.Fix();
    roundPosition_ = board_.Matrix();
    roundExplanation_ = std::move(explanation);
    hint_ = {};
    // The records keep the technique practised, whatever the explanation names.
    round_.StartCountingUp(position.Answer, Now(), practiceTechnique_);
    return true;
}

TGameReply TGame::FinishPractice(TVerdict verdict) {
    TGameReply reply;
    reply.Verdict = verdict;
    const bool right = verdict == TVerdict::Success;
    const bool hinted = hint_.Stage > 0;
    // A hint helps only a round it solved: a wrong move after one stays wrong.
    RecordRound(!right   ? TRoundResult::Wrong
                : hinted ? TRoundResult::Hinted
                         : TRoundResult::Ok,
                kPracticeKind, practiceTechnique_);
    const TSenkaroUser& user = users_.Items(currentUser_);
    judgement_ = {verdict, user.Station, user.Station, false, practiceTechnique_, hinted};
    if (right) {
        reply.CirclePiece = move_.Piece;
        reply.Cue = 1;
    } else {
        board_.Undo();
        reply.CirclePiece = PlaceAnswer();
        reply.Cue = 2;
        reply.Messages.push_back(kWrongMove);
    }
    reply.Saved = SaveUsers();
    round_.FinishJudging();
    state_ = TGameState::PracticeJudged;
    reply.OfferExplanation = true;
    return reply;
}

int TGame::PlaceAnswer() {
    // The board's solver does not play levels 7-9 as an answer; the answer is known.
    const TMove answer = round_.ForcedMove();
    const int piece = board_.NextFreePiece(answer.Digit);
    if (!board_.PlacePiece(piece, answer.Col, answer.Row, true)) return TBoard::kNoPiece;
    return piece;
}
