// The main window of the game: the board at the right, the route map with the player's name,
// level, position and travel character at the left, the checkpoint gallery along the bottom,
// and the actions of the two tool bands.
//
// Everything the window asks of the system comes in through TServices, so tests can play it
// with fakes: the dialogs, the clock, the sound player, the help opener, the data file's name.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "journey/senkaro_user.h"
#include "journey/sound_cues.h"
#include "logic/cells.h"

class QAction;
class QLabel;
class QFrame;
class QTimer;
class QToolBar;
class TBeep;
class TClock;
class TDialogs;
class TDocumentOpener;
class TForm2;
class TForm3;
class TSoundPlayer;
class TStorageReporter;
class TSudoku;

struct TServices {
    TDialogs* Dialogs = nullptr;
    TClock* Clock = nullptr;
    TSoundPlayer* Sound = nullptr;
    TDocumentOpener* Opener = nullptr;
    TBeep* Beep = nullptr;
    std::string DataFile = kUsersFileName;  // in the folder the game was started from
    QString HelpFile;                       // "senkaro.html" beside the program
};

class TForm1 final : public QWidget {
  public:
    // The window's client size: the board gets 580 x 480 and the map about 437 x 405.
    static constexpr int kClientWidth = 1017;
    static constexpr int kClientHeight = 741;
    static constexpr int kBandHeight = 33;

    explicit TForm1(TServices services, QWidget* parent = nullptr);
    ~TForm1() override;

    // The first activation: lays out the board, draws the map, then opens the player dialog
    // or, with no player yet, asks for the first name and starts the first round. Runs once.
    void FormActivate();

    void SelectUser(int index);
    void SaveUsers();
    void DrawMap();
    void ShowPosition(int station);
    int ChooseCharacter(int level);

    // --- Rounds ---------------------------------------------------------------------------
    void StartRound(int kind);
    void StartCountdown();
    void tmNokaviraTimer();
    void SudokuChanged();
    void EndRound(bool success);
    void ShowAnswer();
    void acPauseExecute() { SetPaused(!paused_); }
    void SetPaused(bool value);
    void tmEventTimer();
    // Asks whether a close during a round may go ahead; true when the window may close.
    bool FormClose();

    bool RoundRunning() const;
    bool Paused() const { return paused_; }
    int PuzzleKind() const { return puzzleKind_; }
    TMove ForcedMove() const { return {forcedCell_.Col, forcedCell_.Row, forcedDigit_}; }
    std::int64_t TimeLimit() const { return timeLimit_; }
    QTimer& CountdownTimer() { return *tmNokavira_; }
    QTimer& EventTimer() { return *tmEvent_; }
    QWidget& Circle() { return *imMaru_; }

    void acEraseMemoExecute();
    void acPenColorExecute();
    void acStartExecute();
    void acOpenDlgExecute();
    void acHelpExecute();
    void OpenHelp(const QString& fileName);

    // What tests and the rest of the game read.
    TDialogs& Dialogs() { return *services_.Dialogs; }
    TSenkaroUsers& Users() { return users_; }
    int CurrentUser() const { return currentUser_; }
    int ShownStation() const { return shownStation_; }
    const std::vector<int>& CheckpointList() const { return checkpointList_; }
    TSudoku& Sudoku() { return *sudoku_; }
    TForm2& PlayerDialog() { return *form2_; }
    TForm3& CharacterDialog() { return *form3_; }
    QLabel& PositionLabel() { return *lbNokaviraPosition_; }
    QLabel& UserLabel() { return *lbUser1_; }
    QLabel& LevelLabel() { return *lbNokaviraMode1_; }
    QLabel& CountdownLabel() { return *pnNextStep_; }
    const QImage& OverlayImage() const { return overlayImage_; }
    const QImage& GalleryImage() const { return galleryImage_; }
    QAction& StartAction() { return *acStart_; }
    QAction& PauseAction() { return *acPause_; }
    QAction& OpenDlgAction() { return *acOpenDlg_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildLayout();
    void BuildActions();
    void ConnectActions();
    void AskFirstPlayer();
    void ShowCharacter(int character);
    void ConnectJudge(bool connected);
    bool IsCheckpoint(int station) const;
    void LayCircleOver(int pieceIndex);
    void TakeCircleBack();
    void ShowRoundActions(bool running);
    std::int64_t Now() const;
    QPixmap CharacterPixmap(int character) const;

    TServices services_;
    std::unique_ptr<TStorageReporter> reporter_;
    TSenkaroUsers users_;
    int currentUser_ = -1;
    int shownStation_ = 0;
    std::vector<int> checkpointList_;
    bool activated_ = false;

    // The board side.
    QFrame* pnSudoku_ = nullptr;
    QToolBar* toolBar1_ = nullptr;
    QLabel* pnNextStep_ = nullptr;
    TSudoku* sudoku_ = nullptr;

    // The map side.
    QFrame* pnMap_ = nullptr;
    QToolBar* toolBar2_ = nullptr;
    QFrame* pnUser_ = nullptr;
    QLabel* imUser_ = nullptr;
    QLabel* lbUser1_ = nullptr;
    QLabel* lbUser2_ = nullptr;
    QLabel* imMap_ = nullptr;
    QLabel* overlay_ = nullptr;
    QImage overlayImage_;
    QLabel* lbNokaviraMode1_ = nullptr;
    QLabel* lbNokaviraMode2_ = nullptr;
    QLabel* lbNokaviraPosition_ = nullptr;
    QLabel* imCharactor_ = nullptr;

    // The gallery.
    QFrame* pnBottom_ = nullptr;
    QLabel* imBottom_ = nullptr;
    QImage galleryImage_;

    QAction* acEraseMemo_ = nullptr;
    QAction* acPenColor_ = nullptr;
    QAction* acPen_ = nullptr;
    QAction* acEraser_ = nullptr;
    QAction* acPause_ = nullptr;
    QAction* acClose_ = nullptr;
    QAction* acStart_ = nullptr;
    QAction* acOpenDlg_ = nullptr;
    QAction* acHelp_ = nullptr;

    // The round.
    int puzzleKind_ = 1;
    TCell forcedCell_{-1, -1};
    int forcedDigit_ = 0;
    std::int64_t timeLimit_ = 0;
    std::int64_t startTick_ = 0;
    bool paused_ = false;
    std::int64_t pauseStart_ = 0;
    bool judging_ = false;
    QTimer* tmNokavira_ = nullptr;
    QTimer* tmEvent_ = nullptr;
    QWidget* imMaru_ = nullptr;
    std::unique_ptr<TCuePlayer> cues_;

    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
};
