// The panel that tells why a round's answer is forced. After a judged round it offers the
// explanation over the journey's side of the window: the technique's name, the answer, and
// the choice between "なぜ？ why" and continuing straight away. Asked why, it walks through the
// steps, one sentence each in Japanese and English, while the board draws each step; a trial
// can be opened and closed again. Closing it (or continuing) raises OnClosed, once. What it
// shows is its accessible name, so a screen reader reads each step as it comes.
//
// The board's model is never touched: the explanation is drawn over the pieces only.
#pragma once

#include <QFrame>
#include <functional>
#include <optional>

#include "logic/explanation.h"
#include "logic/explanation_walk.h"
#include "logic/matrix.h"

class QLabel;
class QPushButton;
class TSudoku;

// What the offer says before the answer: how the round ended and how the player moved.
struct TOfferHead {
    QString Verdict;
    QString Progress;
};

class TExplanationPanel final : public QFrame {
  public:
    TExplanationPanel(TSudoku& board, QWidget* parent);

    // Shown after a judged round: the position the round began with, its explanation, the
    // technique whose name the panel shows (the one the round's record keeps), and first what
    // happened.
    void Offer(const TMatrix& position, TExplanation explanation, int technique,
               const TOfferHead& head = {});
    // Where the panel lies: the offer in the first place (so what lies beside it stays in
    // view), the steps in the second. Until set, where it was put.
    void SetPlaces(const QRect& offered, const QRect& explaining);
    bool Offered() const { return offered_; }
    bool CanExplain() const { return walk_ && walk_->Count() > 0; }
    // The steps, from the first; the board draws them. Does nothing unless offered.
    void Explain();
    bool Explaining() const { return offered_ && explaining_; }
    // Hides the panel and the board's drawing and raises OnClosed.
    void Close();
    // Hides it without raising OnClosed: a new round has begun.
    void Dismiss();
    std::function<void()> OnClosed;
    // After a practice round the offer goes on with "つぎ next" (OnClosed) and offers
    // "旅にもどる back to the journey" (OnLeave) beside it; after a journey round, continue.
    void SetPractice(bool practice);
    std::function<void()> OnLeave;

    // What tests read and press.
    const TExplanationWalk* Walk() const { return walk_ ? &*walk_ : nullptr; }
    QPushButton& WhyButton() { return *why_; }
    QPushButton& ContinueButton() { return *continue_; }
    QPushButton& JourneyButton() { return *journey_; }
    QPushButton& BackButton() { return *back_; }
    QPushButton& ForwardButton() { return *forward_; }
    QPushButton& OpenButton() { return *open_; }
    QPushButton& LeaveButton() { return *leave_; }
    QPushButton& CloseButton() { return *close_; }
    QString Title() const;
    QString Verdict() const;
    QString Progress() const;
    QString StepCaption() const;
    QString JapaneseText() const;
    QString EnglishText() const;
    // Under the sentences: the candidates earlier steps took from the ringed cell.
    QString NoteText() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ShowOffer();
    void ShowStep();
    void Go(void (TExplanationWalk::*move)());
    // The panel's text as its accessible name, which tells a screen reader of the change.
    void Announce();

    TSudoku& board_;
    std::optional<TExplanationWalk> walk_;
    int answerTechnique_ = 0;
    bool offered_ = false;
    bool explaining_ = false;
    bool practice_ = false;

    QRect offerPlace_;
    QRect stepsPlace_;
    QLabel* verdict_;
    QLabel* progress_;
    QLabel* title_;
    QLabel* answer_;
    QLabel* caption_;
    QLabel* stepTechnique_;
    QLabel* japanese_;
    QLabel* english_;
    QLabel* note_;
    QLabel* legend_;
    QPushButton* why_;
    QPushButton* continue_;
    QPushButton* journey_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* open_;
    QPushButton* leave_;
    QPushButton* close_;
};
