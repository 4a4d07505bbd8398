// A round of the main window: the puzzle drawn for the player's level and station, the
// countdown with pause and resume, the judgement of the one move, and the closing rule.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "board/number_piece.h"
#include "board/sudoku.h"
#include "journey/action_icons.h"
#include "journey/dialogs.h"
#include "journey/main_window.h"
#include "journey/round_rules.h"
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

constexpr std::int64_t kFreeCloseMs = 60000;

// Runs its function when the scope ends, however it ends.
template <typename F>
class TScopeExit {
  public:
    explicit TScopeExit(F f) : f_(std::move(f)) {}
    ~TScopeExit() { f_(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

  private:
    F f_;
};

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

bool TForm1::RoundRunning() const {
    return tmNokavira_->isActive() || paused_;
}

void TForm1::ConnectJudge(bool connected) {
    if (connected)
        sudoku_->OnChanged = [this](TSudoku*) { SudokuChanged(); };
    else
        sudoku_->OnChanged = nullptr;
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

void TForm1::ShowRoundActions(bool running) {
    acOpenDlg_->setVisible(!running);
    acOpenDlg_->setEnabled(!running);
    acStart_->setVisible(!running);
    acStart_->setEnabled(!running && currentUser_ >= 0);
    acPause_->setVisible(running);
    acPause_->setEnabled(running);
}

void TForm1::acStartExecute() {
    if (currentUser_ < 0 || currentUser_ >= users_.Count()) return;
    const TSenkaroUser& user = users_.Items(currentUser_);
    StartRound(ChooseKind(user.Level, user.Station, ProgramRandom()));
}

void TForm1::StartRound(int kind) {
    const TBusyCursor busy;
    puzzleKind_ = kind;
    TakeCircleBack();
    sudoku_->ClearHintLayer();
    TDrawnTemplate drawn = DrawTemplate(kind, ProgramRandom());
    {
        ConnectJudge(false);
        const TScopeExit reconnect([this] { ConnectJudge(true); });
        sudoku_->Board().MakePuzzle(drawn.Text);
    }
    sudoku_->Board().Fix();
    TCell cell{-1, -1};
    int digit = 0;
    const bool found = sudoku_->Board().FindAnswer(cell, digit);
    // The answer's search leaves its level behind; the player's own moves are recorded as 0.
    sudoku_->Board().SetCurrentTechnique(0);
    if (found) {
        forcedCell_ = cell;
        forcedDigit_ = digit;
        StartCountdown();
        return;
    }
    services_.Dialogs->ShowMessage(kUnsuitable);
}

void TForm1::StartCountdown() {
    cues_->PlayCue(3);
    tmNokavira_->start();
    sudoku_->setEnabled(true);
    ShowRoundActions(true);
    const int level = currentUser_ >= 0 ? users_.Items(currentUser_).Level : 0;
    timeLimit_ = TimeLimitMs(puzzleKind_, level);
    startTick_ = Now();
    paused_ = false;
    pnNextStep_->setText(CountdownCaption(timeLimit_));
}

void TForm1::tmNokaviraTimer() {
    const std::int64_t remaining = timeLimit_ + startTick_ - Now();
    if (remaining <= 0) {
        pnNextStep_->setText(QStringLiteral("0"));
        EndRound(false);
        return;
    }
    pnNextStep_->setText(CountdownCaption(remaining));
}

void TForm1::SudokuChanged() {
    if (judging_) return;
    judging_ = true;
    const TScopeExit clear([this] { judging_ = false; });

    TakeCircleBack();
    const THistories& histories = sudoku_->Board().Histories();
    if (histories.Count() > 0) {
        const THistory& last = histories.Items(histories.Count() - 1);
        if (last.ToCol() == forcedCell_.Col && last.ToRow() == forcedCell_.Row &&
            last.Digit() == forcedDigit_) {
            EndRound(true);
            return;
        }
    }
    tmNokavira_->stop();
    if (services_.Beep) services_.Beep->Beep();
    services_.Dialogs->ShowMessage(kWrongMove);
    sudoku_->Board().Undo();
    EndRound(false);
}

void TForm1::EndRound(bool success) {
    tmNokavira_->stop();
    paused_ = false;
    sudoku_->setEnabled(false);
    sudoku_->setVisible(true);
    TSenkaroUser& user = users_.Items(currentUser_);
    if (success) {
        const THistories& histories = sudoku_->Board().Histories();
        LayCircleOver(histories.Items(histories.Count() - 1).Index());
        user.Advance();
        QCoreApplication::processEvents();
        const bool big = user.Station == kLastStation || IsCheckpoint(user.Station);
        cues_->PlayCue(big ? 0 : 1);
    } else {
        ShowAnswer();
        QCoreApplication::processEvents();
        cues_->PlayCue(2);
        user.StepBack();
    }
    ShowPosition(user.Station);
    DrawMap();
    SaveUsers();
    QCoreApplication::processEvents();
    ShowRoundActions(false);
    acOpenDlg_->trigger();
}

void TForm1::ShowAnswer() {
    ConnectJudge(false);
    const TScopeExit reconnect([this] { ConnectJudge(true); });
    // The undone wrong move still stands in the history as its redo tail; the answer replaces
    // it, so the cursor, not the count, tells whether a move was played.
    const int before = sudoku_->Board().Histories().Floater();
    sudoku_->Board().PlayNextMove(false);
    const THistories& histories = sudoku_->Board().Histories();
    if (histories.Floater() != before && histories.Count() > 0)
        LayCircleOver(histories.Items(histories.Count() - 1).Index());
}

void TForm1::SetPaused(bool value) {
    // A second pause while paused keeps the first pause's start, so no paused time is ever
    // counted as time played.
    if (value && !paused_) pauseStart_ = Now();
    if (!value && paused_) startTick_ += Now() - pauseStart_;
    paused_ = value;
    if (value)
        tmNokavira_->stop();
    else
        tmNokavira_->start();
    acPause_->setText(value ? QStringLiteral("再開 replay") : QStringLiteral("一時停止 pause"));
    acPause_->setToolTip(acPause_->text());
    acPause_->setIcon(value ? ActionIcon(6) : ActionIcon(4));
    sudoku_->setVisible(!value);
}

bool TForm1::FormClose() {
    if (!RoundRunning()) return true;
    const bool wasPaused = paused_;
    SetPaused(true);
    const std::int64_t played = pauseStart_ - startTick_;
    const TSenkaroUser& user = users_.Items(currentUser_);
    if (played < kFreeCloseMs || IsCheckpoint(user.Station)) return true;
    if (services_.Dialogs->Ask(kGiveUpQuestion, true) == TAnswer::Yes) {
        users_.Items(currentUser_).StepBack();
        SaveUsers();
        return true;
    }
    SetPaused(wasPaused);
    return false;
}

void TForm1::tmEventTimer() {
    tmEvent_->stop();
    acStart_->trigger();
}
