// The main window's side of the game: each handler hands TGame a command and follows its reply.
// What is drawn, is drawn at once; messages, sounds, the explanation and the dialogs wait for
// the event loop, so none of them opens inside the board's or the panel's own event handler.
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

#include "board/number_piece.h"
#include "board/sudoku.h"
#include "journey/countdown_label.h"
#include "journey/dialogs.h"
#include "journey/explanation_panel.h"
#include "journey/game_dialogs.h"
#include "journey/main_window.h"
#include "journey/play_focus.h"
#include "journey/practice_view.h"
#include "journey/route_panel.h"
#include "journey/sound_cues.h"
#include "platform/beep.h"

void TForm1::Follow(const TGameReply& reply) {
    if (!reply.Taken) return;
    if (reply.Beep && services_.Beep) services_.Beep->Beep();
    if (reply.RoundStarted) {
        imMaru_->TakeBack(this);
        sudoku_->ClearHintLayer();
        pnNextStep_->setAccessibleDescription(QString());
    }
    if (reply.CirclePiece != TBoard::kNoPiece)
        imMaru_->LayOver(sudoku_->NumberPiece(reply.CirclePiece));
    if (reply.Countdown) pnNextStep_->Show(*reply.Countdown, !reply.RoundStarted);
    if (reply.Verdict) pnNextStep_->Say(VerdictText(*reply.Verdict));
    if (reply.JourneyChanged) ShowJourney();
    practice_->Follow(reply);
    Render();
    if (reply.RoundStarted) {
        // Keyboard play: the keys go to the board, and the cursor's cell (the first empty one)
        // is told at once as the focused cell.
        sudoku_->setFocus();
        sudoku_->ResetCursor();
    }
    // The move is judged once the board's change notification has returned.
    if (reply.JudgeLater) QTimer::singleShot(0, this, [this] { Follow(game_->EndRound()); });
    if (reply.StartSoon) tmEvent_->start();
    if (reply.Messages.empty() && !reply.Cue && !reply.OfferExplanation &&
        reply.Open == TOpen::Nothing)
        return;
    pending_.push_back(reply);
    QTimer::singleShot(0, this, [this] { OpenPending(); });
}

void TForm1::Render() {
    const TGameState state = game_->State();
    actions_.OfferFor(*game_, explanation_->Offered());
    sudoku_->setEnabled(BoardTakesMoves(state));
    sudoku_->setVisible(!BoardHidden(state));
    // The next tick comes when the caption's second changes, wherever pauses left it.
    if (TimerRuns(state))
        tmNokavira_->start(static_cast<int>(game_->NextTickDelay()));
    else
        tmNokavira_->stop();
    if (!practice_->ExplanationStays()) PutExplanationAway();
}

void TForm1::OpenPending() {
    // A box already open is waited for; what came meanwhile follows in order.
    if (opening_) return;
    opening_ = true;
    while (!pending_.empty() && game_->State() != TGameState::Closed) {
        const TGameReply reply = pending_.front();
        pending_.pop_front();
        for (const QString& message : reply.Messages)
            services_.Dialogs->ShowMessage(message);
        if (reply.Cue) cues_->PlayCue(*reply.Cue);
        if (reply.OfferExplanation && practice_->ExplanationStays()) {
            const TJudgement& judged = game_->LastJudgement();
            explanation_->Offer(game_->RoundPosition(), game_->RoundExplanation(),
                                game_->AnswerTechnique(),
                                {VerdictText(judged.Verdict), ProgressText(judged)});
            Render();
            focus_->Offer(VerdictText(judged.Verdict) + QStringLiteral("　") +
                          ProgressText(judged));
        }
        const QLabel& level = journey_->LevelLabel();
        const QPoint under(80, level.mapToGlobal(QPoint(0, level.height())).y() + 12);
        if (const std::optional<TGameReply> next = dialogs_->Open(reply, *game_, under)) {
            Follow(*next);
            // Yes to giving up a station: the window goes.
            if (game_->State() == TGameState::Closed) close();
        }
    }
    pending_.clear();
    opening_ = false;
    focus_->Restore(BoardTakesMoves(game_->State()));
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A question, if the rule asks one, opens once the close request has been refused.
    const TGameReply reply = game_->CloseRequested();
    event->setAccepted(reply.CloseNow);
    Follow(reply);
}

void TForm1::tmEventTimer() {
    tmEvent_->stop();
    actions_.acStart->trigger();
}

void TForm1::acPauseExecute() {
    Follow(game_->Takes(TCommand::Resume) ? game_->Resume() : game_->Pause());
    if (BoardTakesMoves(game_->State())) sudoku_->setFocus();
}

void TForm1::acWhyExecute() {
    if (!game_->Why().Taken || !explanation_->Offered()) return;
    // The explanation rings the answer itself, on its own step.
    imMaru_->hide();
    explanation_->Explain();
}

void TForm1::PutExplanationAway() {
    explanation_->Dismiss();
    // The circle over the judged piece, if it lies on one, shows again.
    if (imMaru_->OverAPiece(this)) imMaru_->show();
}
