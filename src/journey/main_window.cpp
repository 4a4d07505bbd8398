#include "journey/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include "board/sudoku.h"
#include "journey/character_dialog.h"
#include "journey/circle_mark.h"
#include "journey/dialogs.h"
#include "journey/explanation_panel.h"
#include "journey/game_actions.h"
#include "journey/help_document.h"
#include "journey/player_dialog.h"
#include "journey/route_map.h"
#include "journey/route_panel.h"
#include "journey/route_tables.h"
#include "journey/sound_cues.h"
#include "journey/statistics_window.h"
#include "journey/user_name_prompt.h"
#include "logic/random.h"
#include "platform/fonts.h"
#include "resource_names.h"
#include "storage/data_file.h"
#include "storage/storage_reporter.h"

namespace {

const QString kCaption = QStringLiteral("千花路五十三次 巡数 一人旅");
const QString kNoUserText = QStringLiteral("ゲームをする人を設定しましょう select user");

constexpr int kBottomHeight = 228;
constexpr int kSudokuWidth = 580;

// Storage tells its troubles in the game's message box.
class TDialogStorageReporter final : public TStorageReporter {
  public:
    explicit TDialogStorageReporter(TDialogs& dialogs) : dialogs_(dialogs) {}
    void Report(const std::string& text) override {
        dialogs_.ShowMessage(QString::fromStdString(text));
    }

  private:
    TDialogs& dialogs_;
};

QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFrame* Panel(QWidget* parent, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setGeometry(geometry);
    panel->setFrameShape(QFrame::NoFrame);
    return panel;
}

}  // namespace

TForm1::TForm1(TServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), actions_(this) {
    SeedProgramRandomFromClock();
    reporter_ = std::make_unique<TDialogStorageReporter>(*services_.Dialogs);

    setWindowTitle(kCaption);
    setWindowIcon(QIcon(assets::AppIcon(48)));
    setFont(PixelFont(fonts::kWindowFace, 12, false));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    move(0, 0);

    BuildLayout();
    ConnectActions();

    cues_ = std::make_unique<TCuePlayer>(services_.Sound);
    sudoku_->SetBeep(services_.Beep);
    // The judge sees every recorded move and lets only the player's count.
    sudoku_->OnChanged = [this](TSudoku*, TMoveOrigin origin) { SudokuChanged(origin); };
    sudoku_->OnStarted = [this] { FormActivated(); };
    // One tick a second of the time left, so the caption changes as the seconds do.
    tmNokavira_ = new QTimer(this);
    tmNokavira_->setInterval(1000);
    tmNokavira_->setSingleShot(true);
    connect(tmNokavira_, &QTimer::timeout, this, [this] { tmNokaviraTimer(); });
    tmEvent_ = new QTimer(this);
    tmEvent_->setInterval(30);
    tmEvent_->setSingleShot(true);
    connect(tmEvent_, &QTimer::timeout, this, [this] { tmEventTimer(); });
    // The circle that marks the judged piece rests hidden until a round ends.
    imMaru_ = new TCircleMark(QPixmap(assets::CirclePicture()), this);
    imMaru_->hide();

    form2_ = std::make_unique<TForm2>(static_cast<TPlayerDialogHost&>(*this), this);
    form3_ = std::make_unique<TForm3>(this);
    form3_->OnHelp = [this] { acHelpExecute(); };
    statistics_ = std::make_unique<TStatisticsWindow>(this);

    // Players and records in one read of the file.
    users_.LoadFromFile(services_.DataFile, kUsersSection, *reporter_,
                        [this](const TDataFile& file) { records_.ReadFrom(file); });
    SelectUser(-1);
}

TForm1::~TForm1() = default;

void TForm1::SetPaced(bool paced) {
    sudoku_->SetPaced(paced);
}

void TForm1::BuildLayout() {
    const int topHeight = kClientHeight - kBottomHeight;
    const int mapWidth = kClientWidth - kSudokuWidth;

    // The board side: the countdown band with the memo tools, then the board.
    auto* pnSudoku = Panel(this, QRect(mapWidth, 0, kSudokuWidth, topHeight));
    auto* breakLabel = new QLabel(QStringLiteral("a short break"), pnSudoku);
    breakLabel->setFont(PixelFont(fonts::kWindowFace, 20, false));
    breakLabel->setGeometry(0, kBandHeight, kSudokuWidth, topHeight - kBandHeight);
    breakLabel->setAlignment(Qt::AlignCenter);
    auto* toolBar1 = new QToolBar(pnSudoku);
    toolBar1->setGeometry(0, 0, kSudokuWidth, kBandHeight);
    toolBar1->setIconSize(QSize(24, 24));
    auto* timeLabel = new QLabel(QStringLiteral("            time "), toolBar1);
    toolBar1->addWidget(timeLabel);
    pnNextStep_ = new QLabel(QStringLiteral("Best Move"), toolBar1);
    pnNextStep_->setFixedSize(80, 22);
    pnNextStep_->setAlignment(Qt::AlignCenter);
    pnNextStep_->setFont(PixelFont(fonts::kWindowFace, 16, false));
    pnNextStep_->setStyleSheet(QStringLiteral("background: black; color: aqua;"));
    pnNextStep_->setAccessibleName(QStringLiteral("残り時間 time left"));
    toolBar1->addWidget(pnNextStep_);
    toolBar1->addSeparator();
    toolBar1->addAction(actions_.acEraseMemo);
    toolBar1->addAction(actions_.acEraser);
    toolBar1->addAction(actions_.acPen);
    toolBar1->addAction(actions_.acPenColor);

    sudoku_ = new TSudoku(pnSudoku);
    sudoku_->setGeometry(0, kBandHeight, kSudokuWidth, topHeight - kBandHeight);
    sudoku_->setEnabled(false);

    // The map side: the tool band, then the journey.
    auto* pnMap = Panel(this, QRect(0, 0, mapWidth, topHeight));
    auto* toolBar2 = new QToolBar(pnMap);
    toolBar2->setGeometry(0, 0, mapWidth, kBandHeight);
    toolBar2->setIconSize(QSize(24, 24));
    toolBar2->addAction(actions_.acClose);
    toolBar2->addSeparator();
    toolBar2->addAction(actions_.acStart);
    toolBar2->addAction(actions_.acPause);
    toolBar2->addSeparator();
    toolBar2->addAction(actions_.acOpenDlg);
    toolBar2->addAction(actions_.acRecords);
    toolBar2->addAction(actions_.acWhy);
    toolBar2->addSeparator();
    toolBar2->addAction(actions_.acHelp);
    journey_ = new TRoutePanel(pnMap, QRect(0, kBandHeight, mapWidth, topHeight - kBandHeight));
    // After a judged round the explanation lies over the journey, beside the board it draws on.
    explanation_ = new TExplanationPanel(*sudoku_, pnMap);
    explanation_->setGeometry(journey_->geometry());
    explanation_->OnClosed = [this] { ExplanationClosed(); };

    // The gallery of the journey's checkpoint stations.
    auto* pnBottom = Panel(this, QRect(0, topHeight, kClientWidth, kBottomHeight));
    imBottom_ = new QLabel(pnBottom);
    imBottom_->setGeometry(0, 0, kClientWidth, kBottomHeight);
}

void TForm1::ConnectActions() {
    connect(actions_.acEraseMemo, &QAction::triggered, this, [this] { acEraseMemoExecute(); });
    connect(actions_.acPenColor, &QAction::triggered, this, [this] { acPenColorExecute(); });
    connect(actions_.acPen, &QAction::triggered, this, [this] { sudoku_->SetPenMode(0); });
    connect(actions_.acEraser, &QAction::triggered, this, [this] { sudoku_->SetPenMode(1); });
    connect(actions_.acClose, &QAction::triggered, this, [this] { close(); });
    connect(actions_.acStart, &QAction::triggered, this, [this] { acStartExecute(); });
    connect(actions_.acPause, &QAction::triggered, this, [this] { acPauseExecute(); });
    connect(actions_.acOpenDlg, &QAction::triggered, this, [this] { acOpenDlgExecute(); });
    connect(actions_.acHelp, &QAction::triggered, this, [this] { acHelpExecute(); });
    connect(actions_.acRecords, &QAction::triggered, this, [this] { acRecordsExecute(); });
    connect(actions_.acWhy, &QAction::triggered, this, [this] { acWhyExecute(); });
    connect(&explanation_->WhyButton(), &QPushButton::clicked, actions_.acWhy, &QAction::trigger);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first activation runs once the window is on the screen.
    if (!activated_) QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    closing_ = FormClose();
    event->setAccepted(closing_);
}

void TForm1::FormActivate() {
    if (activated_) return;
    activated_ = true;
    // Nothing starts before the stacks stand.
    ShowRoundActions(TActionsFor::Busy);
    sudoku_->Start();
}

void TForm1::FormActivated() {
    ShowRoundActions(TActionsFor::Idle);
    DrawMap();
    if (users_.Count() > 0) {
        acOpenDlgExecute();
        return;
    }
    AskFirstPlayer();
}

void TForm1::AskFirstPlayer() {
    const QString name = InsistOnUserName(*services_.Dialogs);
    const int character = ChooseCharacter(0);
    const int index = users_.Add(name);
    users_.Items(index).Character = character;
    SelectUser(index);
    SaveUsers();
    actions_.acStart->trigger();
}

int TForm1::ChooseCharacter(int level) {
    form3_->PrepareFor(level);
    services_.Dialogs->RunModal(*form3_);
    return form3_->ChosenCharacter();
}

void TForm1::SelectUser(int index) {
    currentUser_ = index >= 0 && index < users_.Count() ? index : -1;
    if (currentUser_ < 0) {
        ShowJourney(nullptr);
        return;
    }
    TSenkaroUser& user = users_.Items(currentUser_);
    if (!user.Checkpoints.isEmpty()) {
        checkpointList_ = user.GetCheckpoints();
    } else {
        // A new journey: its checkpoints, and a character of its level.
        checkpointList_ = DrawCheckpoints(user.Level, ProgramRandom());
        user.Checkpoints = CheckpointText(checkpointList_);
        if (!CharacterBelongsToLevel(user.Character, user.Level))
            user.Character = ChooseCharacter(user.Level);
        SaveUsers();
    }
    ShowJourney(&user);
}

void TForm1::ShowJourney(const TSenkaroUser* user) {
    journey_->ShowUserName(user ? user->Name : kNoUserText);
    journey_->ShowLevel(LevelName(user ? std::min(2, user->Level) : 0));
    journey_->ShowCharacter(user ? user->Character : -1);
    if (user) {
        ShowPosition(user->Station);
        DrawMap();
    }
    actions_.acStart->setEnabled(user != nullptr && !round_.Active());
    actions_.acRecords->setEnabled(user != nullptr && !round_.Active());
}

void TForm1::SaveUsers() {
    // Players and records in one read and one write of the file.
    users_.SaveToFile(services_.DataFile, kUsersSection, *reporter_,
                      [this](TDataFile& file) { records_.WriteTo(file); });
}

void TForm1::ShowPosition(int station) {
    shownStation_ = station;
    journey_->ShowPosition(station);
}

void TForm1::DrawMap() {
    const TRouteMarks marks{shownStation_, checkpointList_};
    journey_->ShowMarks(marks);
    galleryImage_ = DrawCheckpointGallery(
        imBottom_->width(), imBottom_->height(), marks,
        [](int station) { return QImage(assets::StationPicture(station)); }, font());
    imBottom_->setPixmap(QPixmap::fromImage(galleryImage_));
}

void TForm1::acEraseMemoExecute() {
    sudoku_->EraseMemo();
}

void TForm1::acPenColorExecute() {
    if (const std::optional<QColor> color = services_.Dialogs->ChooseColor(sudoku_->PenColor()))
        sudoku_->SetPenColor(*color);
}

void TForm1::acOpenDlgExecute() {
    // Chosen straight from the band, the dialog takes the explanation's place.
    PutExplanationAway();
    // Under the level name, near the left edge of the screen.
    const QLabel& level = journey_->LevelLabel();
    form2_->move(80, level.mapToGlobal(QPoint(0, level.height())).y() + 12);
    form2_->PrepareToOpen(currentUser_);

    bool ok = services_.Dialogs->RunModal(*form2_) == QDialog::Accepted;
    const int selected = form2_->SelectedUser;
    if (ok && selected >= 0 && selected < users_.Count() &&
        users_.Items(selected).Station == kLastStation) {
        TSenkaroUser& user = users_.Items(selected);
        if (user.Level >= 2) {
            services_.Dialogs->ShowMessage(QStringLiteral("もうこれ以上の旅はありません"));
            ok = false;
        } else {
            const QString question =
                QStringLiteral(
                    "%1 の目的地に到着です\r\n\r\nつづけて %2 を始めますか？\r\n\r\n"
                    "You have arrived at Kyoto. Do you set out on another journey?")
                    .arg(LevelName(user.Level), LevelName(user.Level + 1));
            const TAnswer answer = services_.Dialogs->Ask(question, false);
            // The next journey begins whatever the answer, and shows at once; "No" only waits
            // with its first round.
            StartNewJourney(user);
            SaveUsers();
            SelectUser(selected);
            if (answer != TAnswer::Yes) ok = false;
        }
    }
    if (!ok) return;
    SelectUser(selected);
    tmEvent_->start();
}

void TForm1::acRecordsExecute() {
    if (currentUser_ < 0) return;
    const TSenkaroUser& user = users_.Items(currentUser_);
    statistics_->ShowPlayer(user.Name, records_.OfPlayer(user.Name), user.Level, user.Station);
    services_.Dialogs->RunModal(*statistics_);
}

void TForm1::acHelpExecute() {
    OpenHelpDocument(services_.HelpFile.isEmpty() ? DefaultHelpFile() : services_.HelpFile,
                     *services_.Dialogs, services_.Opener);
}
