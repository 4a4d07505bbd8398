// The main window of the game: the board at the right, the journey (route map, the player's
// name, level, position and travel character) at the left, the checkpoint gallery along the
// bottom, and the actions of the two tool bands. The round's state and rules live in TRound;
// the window's handlers pass the clock's time to it and draw what it says.
//
// Everything the window asks of the system comes in through TServices, so tests can play it
// with fakes: the dialogs, the clock, the sound player, the help opener, the data file's name.
// Tests play it through its own entry points: actions, timers, close() and the mouse.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "board/board.h"
#include "journey/game_actions.h"
#include "journey/player_dialog_host.h"
#include "journey/round.h"
#include "journey/round_records.h"
#include "journey/senkaro_user.h"
#include "logic/explanation.h"
#include "logic/matrix.h"

class QAction;
class QLabel;
class QTimer;
class TBeep;
class TClock;
class TCuePlayer;
class TDialogs;
class TDocumentOpener;
class TForm2;
class TExplanationPanel;
class TForm3;
class TRoutePanel;
class TSoundPlayer;
class TStatisticsWindow;
class TStorageReporter;
class TSudoku;

struct TServices {
    TDialogs* Dialogs = nullptr;
    TClock* Clock = nullptr;
    TSoundPlayer* Sound = nullptr;
    TDocumentOpener* Opener = nullptr;
    TBeep* Beep = nullptr;
    std::string DataFile = kUsersFileName;  // in the folder the game was started from
    QString HelpFile;                       // empty: DefaultHelpFile()
};

class TForm1 final : public QWidget, private TPlayerDialogHost {
  public:
    // The window's client size: the board gets 580 x 480 and the map about 437 x 405.
    static constexpr int kClientWidth = 1017;
    static constexpr int kClientHeight = 741;
    static constexpr int kBandHeight = 33;

    explicit TForm1(TServices services, QWidget* parent = nullptr);
    ~TForm1() override;

    // Unpaced, the board lays itself out at once when the window is first shown.
    void SetPaced(bool paced);

    // What tests and the rest of the game read.
    const TRound& Round() const { return round_; }
    const TSenkaroUsers& Players() const { return users_; }
    const TRoundRecords& Records() const { return records_; }
    TStatisticsWindow& StatisticsWindow() { return *statistics_; }
    int CurrentUser() const { return currentUser_; }
    int ShownStation() const { return shownStation_; }
    const std::vector<int>& CheckpointList() const { return checkpointList_; }
    TSudoku& Sudoku() { return *sudoku_; }
    TForm2& PlayerDialog() { return *form2_; }
    TForm3& CharacterDialog() { return *form3_; }
    TRoutePanel& Journey() { return *journey_; }
    QLabel& CountdownLabel() { return *pnNextStep_; }
    const QImage& GalleryImage() const { return galleryImage_; }
    QAction& StartAction() { return *actions_.acStart; }
    QAction& PauseAction() { return *actions_.acPause; }
    QAction& OpenDlgAction() { return *actions_.acOpenDlg; }
    QAction& CloseAction() { return *actions_.acClose; }
    QAction& HelpAction() { return *actions_.acHelp; }
    QAction& PenColorAction() { return *actions_.acPenColor; }
    QAction& RecordsAction() { return *actions_.acRecords; }
    QAction& WhyAction() { return *actions_.acWhy; }
    TExplanationPanel& Explanation() { return *explanation_; }
    QTimer& CountdownTimer() { return *tmNokavira_; }
    QTimer& EventTimer() { return *tmEvent_; }
    QWidget& Circle() { return *imMaru_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // TPlayerDialogHost
    TSenkaroUsers& Users() override { return users_; }
    void SaveUsers() override;
    int ChooseCharacter(int level) override;
    void OpenHelp() override { acHelpExecute(); }
    TDialogs& Dialogs() override { return *services_.Dialogs; }

    void BuildLayout();
    void ConnectActions();

    // The first activation: lays out the board, draws the map, then opens the player dialog
    // or, with no player yet, asks for the first name and starts the first round. Runs once.
    void FormActivate();
    void FormActivated();
    void AskFirstPlayer();
    void SelectUser(int index);
    void ShowJourney(const TSenkaroUser* user);
    void DrawMap();
    void ShowPosition(int station);
    bool IsCheckpoint(int station) const;

    void acEraseMemoExecute();
    void acPenColorExecute();
    void acOpenDlgExecute();
    void acHelpExecute();
    void acRecordsExecute();
    void acWhyExecute();
    // The explanation closed, or passed over: the player dialog comes as it used to.
    void ExplanationClosed();
    // Hides the explanation without opening anything, and shows the judged piece's circle.
    void PutExplanationAway();

    // --- Rounds (main_window_round.cpp) ---------------------------------------------------
    void acStartExecute();
    void StartRound(int kind);
    void StartCountdown();
    void tmNokaviraTimer();
    void ScheduleTick();
    void SudokuChanged(TMoveOrigin origin);
    // A failure's message, if any, is shown once the round has ended.
    void EndRound(bool success, const QString& message = QString());
    void ShowAnswer();
    void RecordRound(TRoundResult result);
    void acPauseExecute();
    void SetPaused(bool value);
    void ShowPauseAction(bool paused);
    void tmEventTimer();
    // The closing rule: true when the window may close now.
    bool FormClose();
    // Idle: Start and the player dialog offered; Running: only pause; Busy: none of them.
    enum class TActionsFor { Idle, Running, Busy };
    void ShowRoundActions(TActionsFor state);
    void LayCircleOver(int pieceIndex);
    void TakeCircleBack();
    std::int64_t Now() const;

    TServices services_;
    std::unique_ptr<TStorageReporter> reporter_;
    TSenkaroUsers users_;
    TRoundRecords records_;
    int currentUser_ = -1;
    int shownStation_ = 0;
    std::vector<int> checkpointList_;
    bool activated_ = false;
    bool closing_ = false;
    TRound round_;
    TGameActions actions_;

    QLabel* pnNextStep_ = nullptr;
    TSudoku* sudoku_ = nullptr;
    TRoutePanel* journey_ = nullptr;
    TExplanationPanel* explanation_ = nullptr;
    // The round's position as it began, and why its answer is forced.
    TMatrix roundPosition_;
    TExplanation roundExplanation_;
    QLabel* imBottom_ = nullptr;
    QImage galleryImage_;
    QWidget* imMaru_ = nullptr;

    QTimer* tmNokavira_ = nullptr;
    QTimer* tmEvent_ = nullptr;
    std::unique_ptr<TCuePlayer> cues_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TStatisticsWindow> statistics_;
};
