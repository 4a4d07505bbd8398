#include "journey/main_window.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "board/sudoku.h"
#include "journey/circle_mark.h"
#include "journey/dialogs.h"
#include "journey/explanation_panel.h"
#include "journey/game_actions.h"
#include "journey/game_dialogs.h"
#include "journey/play_focus.h"
#include "journey/practice_view.h"
#include "journey/route_map.h"
#include "journey/route_panel.h"
#include "journey/route_tables.h"
#include "journey/sound_cues.h"
#include "journey/window_sides.h"
#include "pictures.h"
#include "platform/fonts.h"
#include "resource_names.h"

namespace {

const QString kCaption = QStringLiteral("千花路五十三次 巡数 一人旅");

constexpr int kBottomHeight = 228;
constexpr int kSudokuWidth = 580;

}  // namespace

TForm1::TForm1(TServices services, QWidget* parent)
    : QWidget(parent),
      services_(std::move(services)),
      help_{services_.HelpFile, services_.Dialogs, services_.Opener, new THelpWindow(this)},
      actions_(this) {
    game_ = std::make_unique<TGame>(
        TGameServices{services_.Clock, &date_time::Now, services_.DataFile, services_.Practice});
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(assets::AppIcon(48)));
    setFont(fonts::PixelFont(fonts::kWindowFace, 12, false));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    move(0, 0);

    BuildLayout();
    ConnectActions();

    cues_ = std::make_unique<TCuePlayer>(services_.Sound);
    sudoku_->SetBeep(services_.Beep);
    sudoku_->OnChanged = [this](TSudoku*, const TPlacedMove& move) { SudokuChanged(move); };
    sudoku_->OnStarted = [this] { Follow(game_->Activated()); };
    // One tick a second of the time left, so the caption changes as the seconds do.
    tmNokavira_ = new QTimer(this);
    tmNokavira_->setSingleShot(true);
    connect(tmNokavira_, &QTimer::timeout, this, [this] { tmNokaviraTimer(); });
    tmEvent_ = new QTimer(this);
    tmEvent_->setInterval(30);
    tmEvent_->setSingleShot(true);
    connect(tmEvent_, &QTimer::timeout, this, [this] { tmEventTimer(); });
    // The circle that marks the judged piece rests hidden until a round ends.
    imMaru_ = new TCircleMark(assets::LoadPixmap(assets::CirclePicture()), this);
    imMaru_->hide();

    dialogs_ = std::make_unique<TGameDialogs>(*services_.Dialogs, help_, this);
    ShowJourney();
    Render();
}

TForm1::~TForm1() {
    // The board widget draws the game's board: it goes first.
    delete sudoku_;
}

void TForm1::SetPaced(bool paced) {
    sudoku_->SetPaced(paced);
}

void TForm1::BuildLayout() {
    const int topHeight = kClientHeight - kBottomHeight;
    const int mapWidth = kClientWidth - kSudokuWidth;
    auto* boardSide =
        new TBoardSide(game_->Board(), actions_, this, QRect(mapWidth, 0, kSudokuWidth, topHeight));
    sudoku_ = &boardSide->Board();
    pnNextStep_ = &boardSide->Countdown();
    journeySide_ = new TJourneySide(*sudoku_, actions_, this, QRect(0, 0, mapWidth, topHeight));
    journey_ = &journeySide_->Journey();
    explanation_ = &journeySide_->Explanation();
    explanation_->OnClosed = [this] {
        Follow(game_->Takes(TCommand::NextPractice) ? game_->NextPractice()
                                                    : game_->ExplanationDone());
        // Also when the last hint's steps close in the middle of a round: the keys go back.
        focus_->Restore(BoardTakesMoves(game_->State()));
    };
    practice_ = new TPracticeView(*game_, actions_, *sudoku_, *explanation_, *journeySide_,
                                  [this](const TGameReply& reply) { Follow(reply); });
    focus_ = new TPlayFocus(*explanation_, *sudoku_, journeySide_->MainAction(), this);
    imBottom_ = new TCheckpointGallery(this, QRect(0, topHeight, kClientWidth, kBottomHeight));
}

void TForm1::ConnectActions() {
    connect(actions_.acEraseMemo, &QAction::triggered, this, [this] { sudoku_->EraseMemo(); });
    connect(actions_.acPenColor, &QAction::triggered, this, [this] { acPenColorExecute(); });
    connect(actions_.acPen, &QAction::triggered, this, [this] { sudoku_->SetPenMode(0); });
    connect(actions_.acEraser, &QAction::triggered, this, [this] { sudoku_->SetPenMode(1); });
    connect(actions_.acClose, &QAction::triggered, this, [this] { close(); });
    connect(actions_.acStart, &QAction::triggered, this, [this] { acStartExecute(); });
    connect(actions_.acPause, &QAction::triggered, this, [this] { acPauseExecute(); });
    connect(actions_.acOpenDlg, &QAction::triggered, this, [this] { acOpenDlgExecute(); });
    connect(actions_.acHelp, &QAction::triggered, this, [this] { help_.Open(); });
    connect(actions_.acRecords, &QAction::triggered, this, [this] { acRecordsExecute(); });
    connect(actions_.acWhy, &QAction::triggered, this, [this] { acWhyExecute(); });
    connect(&explanation_->WhyButton(), &QPushButton::clicked, actions_.acWhy, &QAction::trigger);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first activation runs once the window is on the screen.
    if (!activated_) QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TForm1::FormActivate() {
    if (activated_) return;
    activated_ = true;
    // Nothing starts before the stacks stand; then OnStarted tells the game.
    sudoku_->Start();
}

void TForm1::ShowJourney() {
    journeySide_->ShowJourney(game_->CurrentPlayer(), game_->CheckpointList(), *imBottom_);
}

void TForm1::acPenColorExecute() {
    if (const std::optional<QColor> color = services_.Dialogs->ChooseColor(sudoku_->PenColor()))
        sudoku_->SetPenColor(*color);
}
