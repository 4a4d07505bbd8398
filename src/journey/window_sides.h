// The two sides of the main window above the gallery. The board's side: the countdown band
// (the time left and the memo tools), the board below it, and behind the board the caption a
// paused round shows. The journey's side: the band of the game's actions, the journey below it,
// and over the journey the explanation of a judged round. They draw; the window decides what
// they show.
#pragma once

#include <QFrame>

#include <QString>
#include <vector>

class QLabel;
class TBoard;
class TCheckpointGallery;
class TSenkaroUser;
class TCountdownLabel;
class TExplanationPanel;
class TRoutePanel;
class TSudoku;
struct TGameActions;

inline constexpr int kBandHeight = 33;

class TBoardSide final : public QFrame {
  public:
    TBoardSide(TBoard& board, const TGameActions& actions, QWidget* parent, const QRect& geometry);

    TSudoku& Board() { return *sudoku_; }
    TCountdownLabel& Countdown() { return *pnNextStep_; }

  private:
    TSudoku* sudoku_ = nullptr;
    TCountdownLabel* pnNextStep_ = nullptr;
};

class TJourneySide final : public QFrame {
  public:
    // The explanation draws on the board.
    TJourneySide(TSudoku& board, const TGameActions& actions, QWidget* parent,
                 const QRect& geometry);

    TRoutePanel& Journey() { return *journey_; }
    TExplanationPanel& Explanation() { return *explanation_; }
    // The player's name, level, character and position (without a player, the invitation to
    // choose one, and the position last shown), the route's marks and the gallery's.
    void ShowJourney(const TSenkaroUser* user, const std::vector<int>& checkpoints,
                     TCheckpointGallery& gallery);
    // The button of 始める Play, where the keys rest between rounds.
    QWidget& MainAction() { return *mainAction_; }

  private:
    QWidget* mainAction_ = nullptr;
    TRoutePanel* journey_ = nullptr;
    TExplanationPanel* explanation_ = nullptr;
    int shownStation_ = 0;
};
