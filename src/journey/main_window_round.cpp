// A round in the main window: the handlers pass the clock's time to TRound and draw what it
// says. No handler lets the event loop run inside it: a round ends completely (position,
// players saved, actions) before its sound plays and the player dialog opens, both from the
// event loop.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "board/number_piece.h"
#include "board/sudoku.h"
#include "journey/action_icons.h"
#include "journey/dialogs.h"
#include "journey/explanation_panel.h"
#include "journey/game_actions.h"
#include "journey/main_window.h"
#include "journey/round_rules.h"
#include "journey/sound_cues.h"
#include "logic/random.h"
#include "logic/templates.h"
#include "platform/beep.h"
#include "platform/clock.h"

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

// The hourglass while a puzzle is made, the arrow again however the making ends.
class TBusyCursor {
  public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace

bool TForm1::IsCheckpoint(int station) const {
    return std::find(checkpointList_.begin(), checkpointList_.end(), station) !=
           checkpointList_.end();
}

std::int64_t TForm1::Now() const {
    return services_.Clock->NowMs();
}

void TForm1::TakeCircleBack() {
    imMaru_->hide();
    imMaru_->setParent(this);
}

void TForm1::LayCircleOver(int pieceIndex) {
    QWidget* piece = sudoku_->NumberPiece(pieceIndex);
    if (!piece) return;
    imMaru_->setParent(piece);
    imMaru_->setGeometry(0, 0, piece->width(), piece->height());
    imMaru_->show();
    imMaru_->raise();
}

void TForm1::ShowRoundActions(TActionsFor state) {
    const bool idle = state == TActionsFor::Idle;
    const bool running = state == TActionsFor::Running;
    actions_.acOpenDlg->setVisible(!running);
    actions_.acOpenDlg->setEnabled(idle);
    actions_.acStart->setVisible(!running);
    actions_.acStart->setEnabled(idle && currentUser_ >= 0);
    actions_.acRecords->setEnabled(idle && currentUser_ >= 0);
    actions_.acPause->setVisible(running);
    actions_.acPause->setEnabled(running);
}

void TForm1::acStartExecute() {
    if (currentUser_ < 0 || currentUser_ >= users_.Count()) return;
    const TSenkaroUser& user = users_.Items(currentUser_);
    StartRound(ChooseKind(user.Level, user.Station, ProgramRandom()));
}

void TForm1::StartRound(int kind) {
    if (!round_.BeginMaking(kind)) return;
    const TBusyCursor busy;
    PutExplanationAway();
    TakeCircleBack();
    sudoku_->ClearHintLayer();
    TDrawnTemplate drawn = DrawTemplate(kind, ProgramRandom());
    sudoku_->Board().MakePuzzle(drawn.Text);
    sudoku_->Board().Fix();
    TCell cell{-1, -1};
    int digit = 0;
    const bool found = sudoku_->Board().FindAnswer(cell, digit);
    // The answer's search leaves its level behind; the player's own moves are recorded as 0.
    const int technique = sudoku_->Board().CurrentTechnique();
    sudoku_->Board().SetCurrentTechnique(0);
    if (!found) {
        round_.Abandon();
        services_.Dialogs->ShowMessage(kUnsuitable);
        return;
    }
    // Explained now, on the position the player is about to see; cheap next to the making.
    roundPosition_ = sudoku_->Board().Matrix();
    roundExplanation_ = Explain(roundPosition_, {cell.Col, cell.Row, digit});
    const int level = users_.Items(currentUser_).Level;
    round_.Start({cell.Col, cell.Row, digit}, level, Now(), technique);
    StartCountdown();
}

void TForm1::StartCountdown() {
    cues_->PlayCue(3);
    sudoku_->setEnabled(true);
    sudoku_->setVisible(true);
    // Keyboard play: the keys go to the board, its cursor on the first empty cell.
    sudoku_->ResetCursor();
    sudoku_->setFocus();
    pnNextStep_->setAccessibleDescription(QString());
    ShowRoundActions(TActionsFor::Running);
    ShowPauseAction(false);
    pnNextStep_->setText(CountdownCaption(round_.TimeLimit()));
    ScheduleTick();
}

void TForm1::ScheduleTick() {
    // The next tick comes when the caption's second changes, wherever pauses left the
    // countdown, and never later than the end of the round's time.
    tmNokavira_->start(static_cast<int>(round_.NextTickDelay(Now())));
}

void TForm1::tmNokaviraTimer() {
    const TTick tick = round_.Tick(Now());
    if (tick.TimedOut) {
        pnNextStep_->setText(QStringLiteral("0"));
        EndRound(false);
        return;
    }
    if (round_.State() != TRoundState::Running) return;
    pnNextStep_->setText(CountdownCaption(tick.RemainingMs));
    ScheduleTick();
}

void TForm1::SudokuChanged(TMoveOrigin origin) {
    if (origin != TMoveOrigin::Player) return;
    const THistories& histories = sudoku_->Board().Histories();
    if (histories.Count() == 0) return;
    const THistory& last = histories.Items(histories.Count() - 1);
    const std::optional<TVerdict> verdict =
        round_.Judge({last.ToCol(), last.ToRow(), last.Digit()}, Now());
    if (!verdict) return;
    tmNokavira_->stop();
    TakeCircleBack();
    switch (*verdict) {
        case TVerdict::Success:
            EndRound(true);
            return;
        case TVerdict::WrongMove:
            if (services_.Beep) services_.Beep->Beep();
            break;
        case TVerdict::TimeOut:
            // Played after the time ran out: the move does not count.
            pnNextStep_->setText(QStringLiteral("0"));
            break;
    }
    sudoku_->Board().Undo();
    EndRound(false, *verdict == TVerdict::WrongMove ? kWrongMove : QString());
}

void TForm1::EndRound(bool success, const QString& message) {
    tmNokavira_->stop();
    // The transition is not interrupted: no action of a round can be taken until it is over.
    ShowRoundActions(TActionsFor::Busy);
    sudoku_->setEnabled(false);
    sudoku_->setVisible(true);
    TSenkaroUser& user = users_.Items(currentUser_);
    RecordRound(success ? TRoundResult::Ok
                        : (message.isEmpty() ? TRoundResult::Timeout : TRoundResult::Wrong));
    int cue = 2;
    if (success) {
        const THistories& histories = sudoku_->Board().Histories();
        LayCircleOver(histories.Items(histories.Count() - 1).Index());
        user.Advance();
        cue = user.Station == kLastStation || IsCheckpoint(user.Station) ? 0 : 1;
    } else {
        ShowAnswer();
        user.StepBack();
    }
    ShowPosition(user.Station);
    DrawMap();
    SaveUsers();
    round_.FinishJudging();
    // What a screen reader says of the judgement.
    pnNextStep_->setAccessibleDescription(success ? QStringLiteral("正解 right move")
                                                  : (message.isEmpty()
                                                         ? QStringLiteral("時間切れ time is up")
                                                         : QStringLiteral("不正解 wrong move")));
    // The message, the sound and the player dialog come from the event loop, after what is
    // queued now; a window closed meanwhile shows none of them.
    QTimer::singleShot(0, this, [this, cue, message] {
        if (closing_) return;
        if (!message.isEmpty()) services_.Dialogs->ShowMessage(message);
        cues_->PlayCue(cue);
        ShowRoundActions(TActionsFor::Idle);
        // The player dialog waits until the explanation is closed or passed over.
        explanation_->Offer(roundPosition_, roundExplanation_, round_.AnswerTechnique());
        actions_.acWhy->setEnabled(explanation_->CanExplain());
    });
}

void TForm1::acWhyExecute() {
    if (!explanation_->Offered()) return;
    // The explanation rings the answer itself, on its own step.
    imMaru_->hide();
    explanation_->Explain();
}

void TForm1::PutExplanationAway() {
    explanation_->Dismiss();
    actions_.acWhy->setEnabled(false);
    // The circle over the judged piece, if it lies on one, shows again.
    if (imMaru_->parentWidget() != this) imMaru_->show();
}

void TForm1::ExplanationClosed() {
    PutExplanationAway();
    if (!closing_) actions_.acOpenDlg->trigger();
}

void TForm1::RecordRound(TRoundResult result) {
    const TSenkaroUser& user = users_.Items(currentUser_);
    TRoundRecord record;
    record.Name = user.Name;
    record.When = date_time::Now();
    record.Level = user.Level;
    record.Station = user.Station;
    record.Kind = round_.PuzzleKind();
    record.Technique = round_.AnswerTechnique();
    record.Result = result;
    record.Ms = round_.PlayedMs(Now());
    records_.Add(record);
}

void TForm1::ShowAnswer() {
    // The undone wrong move still stands in the history as its redo tail; the answer replaces
    // it, so the cursor, not the count, tells whether a move was played.
    const int before = sudoku_->Board().Histories().Floater();
    sudoku_->Board().PlayNextMove(false);
    const THistories& histories = sudoku_->Board().Histories();
    if (histories.Floater() != before && histories.Count() > 0)
        LayCircleOver(histories.Items(histories.Count() - 1).Index());
}

void TForm1::acPauseExecute() {
    SetPaused(!round_.Paused());
}

void TForm1::SetPaused(bool value) {
    if (value) {
        // A round whose time is up ends rather than pausing.
        if (round_.Tick(Now()).TimedOut) {
            pnNextStep_->setText(QStringLiteral("0"));
            EndRound(false);
            return;
        }
        if (!round_.Pause(Now())) return;
        tmNokavira_->stop();
    } else {
        if (!round_.Paused()) return;
        const TTick tick = round_.Resume(Now());
        if (tick.TimedOut) {
            pnNextStep_->setText(QStringLiteral("0"));
            EndRound(false);
            return;
        }
        pnNextStep_->setText(CountdownCaption(tick.RemainingMs));
        ScheduleTick();
    }
    ShowPauseAction(value);
    sudoku_->setVisible(!value);
    if (!value) sudoku_->setFocus();
}

void TForm1::ShowPauseAction(bool paused) {
    SetHint(*actions_.acPause,
            paused ? QStringLiteral("再開 replay") : QStringLiteral("一時停止 pause"));
    actions_.acPause->setIcon(paused ? ActionIcon(6) : ActionIcon(4));
}

bool TForm1::FormClose() {
    const bool atCheckpoint = currentUser_ >= 0 && IsCheckpoint(users_.Items(currentUser_).Station);
    switch (round_.CloseRule(Now(), atCheckpoint)) {
        case TCloseRule::Free:
            return true;
        case TCloseRule::Refused:
            return false;
        case TCloseRule::Ask:
            break;
    }
    // The round stands still while the question is open.
    const bool wasPaused = round_.Paused();
    SetPaused(true);
    // Its time may have run out just now: then the round has ended and been saved.
    if (!round_.Active()) return true;
    if (services_.Dialogs->Ask(kGiveUpQuestion, true) == TAnswer::Yes) {
        RecordRound(TRoundResult::GaveUp);
        users_.Items(currentUser_).StepBack();
        SaveUsers();
        return true;
    }
    SetPaused(wasPaused);
    return false;
}

void TForm1::tmEventTimer() {
    tmEvent_->stop();
    actions_.acStart->trigger();
}
