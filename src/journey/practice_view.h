// Practice (修行) as the main window shows it, besides what every round shows: the practice and
// hint actions handed to the game, each hint drawn on the board with its words beside it (the
// last hint walks the whole explanation on the panel), the wait while a position is made, and
// after the move the offer's "つぎ next" and "旅にもどる back to the journey". The game decides;
// this only draws and forwards.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "logic/practice_position.h"

class QLabel;
class QWidget;
class TExplanationPanel;
class TGame;
class TSudoku;
struct TGameActions;
struct TGameReply;

// What a hint says, Japanese and English: its stage of three, the technique, where to look.
QString HintText(const TPracticeHint& hint);

class TPracticeView final : public QObject {
  public:
    using TFollow = std::function<void(const TGameReply&)>;

    // The words lie at the top of the journey's side; follow is the window's own.
    TPracticeView(TGame& game, const TGameActions& actions, TSudoku& board,
                  TExplanationPanel& panel, QWidget& journeySide, TFollow follow);

    // What a reply shows of practice: a new round puts the last one's hint away, a hint is
    // drawn, the wait for a position is told.
    void Follow(const TGameReply& reply);
    // Whether the explanation panel may stay: after a judged round, and while the last hint
    // walks the explanation (through a pause too).
    bool ExplanationStays() const;

    const QLabel& Words() const { return *words_; }

  private:
    void ShowHint(const TPracticeHint& hint);

    TGame& game_;
    TSudoku& board_;
    TExplanationPanel& panel_;
    QLabel* words_ = nullptr;
};
