// The main window of the game: the board at the right, the journey (route map, the player's
// name, level, position and travel character) at the left, the checkpoint gallery along the
// bottom, and the actions of the two tool bands. The game itself is TGame: each handler hands
// it a command and draws what it answers; the dialogs and boxes it asks for open from one
// place (OpenPending), from the event loop, after the handler that caused them has returned.
//
// Everything the window asks of the system comes in through TServices, so tests play it with
// fakes: the dialogs, the clock, the sound player, the help opener, the data file's name.
#pragma once

#include <QWidget>
#include <deque>
#include <memory>
#include <string>

#include "journey/circle_mark.h"
#include "journey/game.h"
#include "journey/game_actions.h"
#include "journey/help_document.h"
#include "journey/route_panel.h"

class QLabel;
class QTimer;
class TBeep;
class TCountdownLabel;
class TCuePlayer;
class TDialogs;
class TDocumentOpener;
class TExplanationPanel;
class TGameDialogs;
class TJourneySide;
class TPlayFocus;
class TPracticeSource;
class TPracticeView;
class TSoundPlayer;
class TSudoku;

struct TServices {
    TDialogs* Dialogs = nullptr;
    TClock* Clock = nullptr;
    TSoundPlayer* Sound = nullptr;
    TDocumentOpener* Opener = nullptr;
    TBeep* Beep = nullptr;
    std::string DataFile = kUsersFileName;  // in the folder the game was started from
    QString HelpFile;                       // empty: DefaultHelpFile()
    TPracticeSource* Practice = nullptr;    // none: no practice
};

class TForm1 final : public QWidget {
  public:
    // The window's client size: the board gets 580 x 480 and the map about 437 x 405.
    static constexpr int kClientWidth = 1017;
    static constexpr int kClientHeight = 741;

    explicit TForm1(TServices services, QWidget* parent = nullptr);
    ~TForm1() override;

    // Unpaced, the board lays itself out at once when the window is first shown.
    void SetPaced(bool paced);

    // What tests and the end-to-end run read and press.
    TGame& Game() { return *game_; }
    TGameActions& Actions() { return actions_; }
    TSudoku& Sudoku() { return *sudoku_; }
    TGameDialogs& Dialogs() { return *dialogs_; }
    TRoutePanel& Journey() { return *journey_; }
    TExplanationPanel& Explanation() { return *explanation_; }
    TPracticeView& Practice() { return *practice_; }
    TCountdownLabel& CountdownLabel() { return *pnNextStep_; }
    const QImage& GalleryImage() const { return imBottom_->Image(); }
    QTimer& CountdownTimer() { return *tmNokavira_; }
    QTimer& EventTimer() { return *tmEvent_; }
    TCircleMark& Circle() { return *imMaru_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildLayout();
    void ConnectActions();
    // The first activation lays out the board; the game says what comes once it stands.
    void FormActivate();

    // What the game answered: drawn at once, and what opens queued for OpenPending.
    void Follow(const TGameReply& reply);
    // The actions, the board, the countdown's timer and the explanation as the state wants.
    void Render();
    void OpenPending();

    void ShowJourney();
    void PutExplanationAway();

    // The handlers: each a command to the game, its reply followed.
    void acStartExecute() { Follow(game_->Start()); }
    void acOpenDlgExecute() { Follow(game_->OpenPlayerDialog()); }
    void acRecordsExecute() { Follow(game_->OpenRecords()); }
    void tmNokaviraTimer() { Follow(game_->Tick()); }
    void SudokuChanged(const TPlacedMove& move) { Follow(game_->PlayerMoved(move)); }
    void acPauseExecute();
    void acWhyExecute();
    void acPenColorExecute();
    void tmEventTimer();

    TServices services_;
    THelpPage help_;
    std::unique_ptr<TGame> game_;
    TGameActions actions_;
    std::unique_ptr<TCuePlayer> cues_;
    std::deque<TGameReply> pending_;
    bool opening_ = false;
    bool activated_ = false;

    TCountdownLabel* pnNextStep_ = nullptr;
    TSudoku* sudoku_ = nullptr;
    TJourneySide* journeySide_ = nullptr;
    TRoutePanel* journey_ = nullptr;
    TExplanationPanel* explanation_ = nullptr;
    TPlayFocus* focus_ = nullptr;
    TPracticeView* practice_ = nullptr;
    TCheckpointGallery* imBottom_ = nullptr;
    TCircleMark* imMaru_ = nullptr;
    QTimer* tmNokavira_ = nullptr;
    QTimer* tmEvent_ = nullptr;
    std::unique_ptr<TGameDialogs> dialogs_;
};
