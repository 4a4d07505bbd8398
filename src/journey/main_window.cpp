#include "journey/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "board/sudoku.h"
#include "journey/action_icons.h"
#include "journey/character_dialog.h"
#include "journey/circle_mark.h"
#include "journey/dialogs.h"
#include "journey/player_dialog.h"
#include "journey/route_map.h"
#include "journey/route_tables.h"
#include "journey/user_name.h"
#include "logic/random.h"
#include "platform/document_opener.h"
#include "platform/fonts.h"
#include "resource_names.h"
#include "storage/storage_reporter.h"

namespace {

const QString kCaption = QStringLiteral("千花路五十三次 巡数 一人旅");
const QString kNoUserText = QStringLiteral("ゲームをする人を設定しましょう select user");
const QString kNamePrompt = QStringLiteral("ユーザー名 input your name");
const QString kNameRequired = QStringLiteral("ユーザー名は必要です input your name");

constexpr int kBottomHeight = 228;
constexpr int kSudokuWidth = 580;
constexpr int kUserHeight = 78;

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
    : QWidget(parent), services_(std::move(services)) {
    SeedProgramRandomFromClock();
    reporter_ = std::make_unique<TDialogStorageReporter>(*services_.Dialogs);

    setWindowTitle(kCaption);
    setWindowIcon(QIcon(assets::AppIcon(48)));
    setFont(PixelFont(fonts::kWindowFace, 12, false));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    move(0, 0);

    BuildActions();
    BuildLayout();
    ConnectActions();

    cues_ = std::make_unique<TCuePlayer>(services_.Sound);
    sudoku_->SetBeep(services_.Beep);
    ConnectJudge(true);
    tmNokavira_ = new QTimer(this);
    tmNokavira_->setInterval(1000);
    connect(tmNokavira_, &QTimer::timeout, this, [this] { tmNokaviraTimer(); });
    tmEvent_ = new QTimer(this);
    tmEvent_->setInterval(30);
    tmEvent_->setSingleShot(true);
    connect(tmEvent_, &QTimer::timeout, this, [this] { tmEventTimer(); });
    // The circle that marks the judged piece rests hidden until a round ends.
    imMaru_ = new TCircleMark(QPixmap(assets::CirclePicture()), this);
    imMaru_->hide();

    form2_ = std::make_unique<TForm2>(*this);
    form3_ = std::make_unique<TForm3>(this);
    form3_->OnHelp = [this] { acHelpExecute(); };

    users_.LoadFromFile(services_.DataFile, kUsersSection, *reporter_);
    SelectUser(-1);
}

TForm1::~TForm1() = default;

void TForm1::BuildActions() {
    const auto make = [this](const QString& hint, int image) {
        auto* action = new QAction(ActionIcon(image), hint, this);
        action->setToolTip(hint);
        return action;
    };
    acEraseMemo_ = make(QStringLiteral("メモを消す erase memo"), 3);
    acEraseMemo_->setText(QStringLiteral("メモを消す(Erase &Memo)"));
    acEraseMemo_->setToolTip(QStringLiteral("メモを消す erase memo"));
    acPenColor_ = make(QStringLiteral("メモ書きの色 pen color"), 0);
    acPen_ = make(QStringLiteral("ペン書き pen mode"), 2);
    acEraser_ = make(QStringLiteral("消しゴム eraser mode"), 1);
    auto* penGroup = new QActionGroup(this);
    for (QAction* action : {acPen_, acEraser_}) {
        action->setCheckable(true);
        penGroup->addAction(action);
    }
    acPen_->setChecked(true);
    acPause_ = make(QStringLiteral("一時停止 pause"), 4);
    acPause_->setVisible(false);
    acPause_->setEnabled(false);
    acClose_ = make(QStringLiteral("終わる Close"), 5);
    acStart_ = make(QStringLiteral("始める Play"), 7);
    acOpenDlg_ = make(QStringLiteral("設定 select"), 8);
    acHelp_ = make(QStringLiteral("案内 help"), 10);
}

void TForm1::BuildLayout() {
    const int topHeight = kClientHeight - kBottomHeight;
    const int mapWidth = kClientWidth - kSudokuWidth;

    // The board side: the countdown band with the memo tools, then the board.
    pnSudoku_ = Panel(this, QRect(mapWidth, 0, kSudokuWidth, topHeight));
    auto* breakLabel = new QLabel(QStringLiteral("a short break"), pnSudoku_);
    breakLabel->setFont(PixelFont(fonts::kWindowFace, 20, false));
    breakLabel->setGeometry(0, kBandHeight, kSudokuWidth, topHeight - kBandHeight);
    breakLabel->setAlignment(Qt::AlignCenter);
    toolBar1_ = new QToolBar(pnSudoku_);
    toolBar1_->setGeometry(0, 0, kSudokuWidth, kBandHeight);
    toolBar1_->setIconSize(QSize(24, 24));
    auto* timeLabel = new QLabel(QStringLiteral("            time "), toolBar1_);
    toolBar1_->addWidget(timeLabel);
    pnNextStep_ = new QLabel(QStringLiteral("Best Move"), toolBar1_);
    pnNextStep_->setFixedSize(80, 22);
    pnNextStep_->setAlignment(Qt::AlignCenter);
    pnNextStep_->setFont(PixelFont(fonts::kWindowFace, 16, false));
    pnNextStep_->setStyleSheet(QStringLiteral("background: black; color: aqua;"));
    toolBar1_->addWidget(pnNextStep_);
    toolBar1_->addSeparator();
    toolBar1_->addAction(acEraseMemo_);
    toolBar1_->addAction(acEraser_);
    toolBar1_->addAction(acPen_);
    toolBar1_->addAction(acPenColor_);

    sudoku_ = new TSudoku(pnSudoku_);
    sudoku_->setGeometry(0, kBandHeight, kSudokuWidth, topHeight - kBandHeight);
    sudoku_->setEnabled(false);

    // The map side: the tool band, the player's banner, the route map with its overlay.
    pnMap_ = Panel(this, QRect(0, 0, mapWidth, topHeight));
    toolBar2_ = new QToolBar(pnMap_);
    toolBar2_->setGeometry(0, 0, mapWidth, kBandHeight);
    toolBar2_->setIconSize(QSize(24, 24));
    toolBar2_->addAction(acClose_);
    toolBar2_->addSeparator();
    toolBar2_->addAction(acStart_);
    toolBar2_->addAction(acPause_);
    toolBar2_->addSeparator();
    toolBar2_->addAction(acOpenDlg_);
    toolBar2_->addSeparator();
    toolBar2_->addAction(acHelp_);

    pnUser_ = Panel(pnMap_, QRect(0, kBandHeight, mapWidth, kUserHeight));
    imUser_ = new QLabel(pnUser_);
    imUser_->setGeometry(0, 0, mapWidth, kUserHeight);
    imUser_->setPixmap(QPixmap(assets::UserBanner()));
    imUser_->setScaledContents(true);
    lbUser2_ = new QLabel(pnUser_);
    lbUser2_->setAlignment(Qt::AlignCenter);
    lbUser2_->setFont(PixelFont(fonts::kWindowFace, 22, true));
    lbUser2_->setStyleSheet(QStringLiteral("color: rgb(192, 192, 192);"));
    lbUser2_->setGeometry(1, 1, mapWidth, kUserHeight);
    lbUser1_ = new QLabel(pnUser_);
    lbUser1_->setAlignment(Qt::AlignCenter);
    lbUser1_->setFont(PixelFont(fonts::kWindowFace, 22, true));
    lbUser1_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
    lbUser1_->setGeometry(0, 0, mapWidth, kUserHeight);

    const QRect mapRect(0, kBandHeight + kUserHeight, mapWidth,
                        topHeight - kBandHeight - kUserHeight);
    imMap_ = new QLabel(pnMap_);
    imMap_->setGeometry(mapRect);
    imMap_->setPixmap(QPixmap(assets::MapPicture()));
    imMap_->setScaledContents(true);

    // The level name: a greyed, embossed caption over a coloured shadow.
    const QFont brush = PixelFont(fonts::kBrushFace, 32, true);
    lbNokaviraMode2_ = new QLabel(pnMap_);
    lbNokaviraMode2_->setFont(brush);
    lbNokaviraMode2_->setStyleSheet(QStringLiteral("color: rgb(0, 160, 192);"));
    lbNokaviraMode2_->move(16 + 4, 112 + 3);

    overlay_ = new QLabel(pnMap_);
    overlay_->setGeometry(mapRect);
    overlay_->setAttribute(Qt::WA_TranslucentBackground);
    overlay_->setAttribute(Qt::WA_TransparentForMouseEvents);

    lbNokaviraMode1_ = new QLabel(pnMap_);
    lbNokaviraMode1_->setFont(brush);
    lbNokaviraMode1_->setStyleSheet(QStringLiteral("color: rgb(128, 128, 128);"));
    lbNokaviraMode1_->move(16, 112);
    lbNokaviraMode1_->setEnabled(false);

    lbNokaviraPosition_ = new QLabel(pnMap_);
    lbNokaviraPosition_->setFont(PixelFont(fonts::kWindowFace, 14, true));
    lbNokaviraPosition_->setStyleSheet(QStringLiteral("color: rgb(0, 160, 192);"));
    lbNokaviraPosition_->setAttribute(Qt::WA_TransparentForMouseEvents);

    imCharactor_ = new QLabel(pnMap_);
    imCharactor_->setGeometry(mapWidth - 128, topHeight - 128, 128, 128);
    imCharactor_->setAttribute(Qt::WA_TranslucentBackground);
    imCharactor_->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The gallery of the journey's checkpoint stations.
    pnBottom_ = Panel(this, QRect(0, topHeight, kClientWidth, kBottomHeight));
    imBottom_ = new QLabel(pnBottom_);
    imBottom_->setGeometry(0, 0, kClientWidth, kBottomHeight);
}

void TForm1::ConnectActions() {
    connect(acEraseMemo_, &QAction::triggered, this, [this] { acEraseMemoExecute(); });
    connect(acPenColor_, &QAction::triggered, this, [this] { acPenColorExecute(); });
    connect(acPen_, &QAction::triggered, this, [this] { sudoku_->SetPenMode(0); });
    connect(acEraser_, &QAction::triggered, this, [this] { sudoku_->SetPenMode(1); });
    connect(acClose_, &QAction::triggered, this, [this] { close(); });
    connect(acStart_, &QAction::triggered, this, [this] { acStartExecute(); });
    connect(acPause_, &QAction::triggered, this, [this] { acPauseExecute(); });
    connect(acOpenDlg_, &QAction::triggered, this, [this] { acOpenDlgExecute(); });
    connect(acHelp_, &QAction::triggered, this, [this] { acHelpExecute(); });
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first activation runs once the window is on the screen.
    if (!activated_) QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
}

void TForm1::FormActivate() {
    if (activated_) return;
    activated_ = true;
    sudoku_->Start();
    // The level name's shadow follows the name; the position text sits three lines above the
    // bottom of the map side.
    lbNokaviraPosition_->move(
        lbNokaviraMode1_->x(),
        pnMap_->height() - 3 * QFontMetrics(lbNokaviraPosition_->font()).height());
    DrawMap();
    if (users_.Count() > 0) {
        acOpenDlgExecute();
        return;
    }
    AskFirstPlayer();
}

void TForm1::AskFirstPlayer() {
    QString name;
    for (;;) {
        const std::optional<QString> input =
            services_.Dialogs->InputText(kCaption, kNamePrompt, QString());
        if (!input) {
            services_.Dialogs->ShowMessage(kNameRequired);
            continue;
        }
        if (input->trimmed().isEmpty()) continue;
        const TNameCheck check = ValidateUserName(*input);
        if (!check.Ok()) {
            services_.Dialogs->ShowMessage(*check.Error);
            continue;
        }
        name = check.Name;
        break;
    }
    const int character = ChooseCharacter(0);
    const int index = users_.Add(name);
    users_.Items(index).Character = character;
    SelectUser(index);
    SaveUsers();
    form2_->ShowCharacter(users_.Items(index).Character);
    acStart_->trigger();
}

int TForm1::ChooseCharacter(int level) {
    form3_->PrepareFor(level);
    services_.Dialogs->RunModal(*form3_);
    return form3_->ChosenCharacter();
}

void TForm1::SelectUser(int index) {
    currentUser_ = index;
    QString nameText = kNoUserText;
    QString levelText = LevelName(0);
    if (index >= 0 && index < users_.Count()) {
        TSenkaroUser& user = users_.Items(index);
        const int level = user.Level;
        nameText = user.Name;
        levelText = LevelName(std::min(2, level));
        if (!user.Checkpoints.isEmpty()) {
            checkpointList_ = user.GetCheckpoints();
        } else {
            checkpointList_ = DrawCheckpoints(level, ProgramRandom());
            user.Checkpoints = CheckpointText(checkpointList_);
            if (!CharacterBelongsToLevel(user.Character, level)) {
                user.Character = ChooseCharacter(level);
                ShowCharacter(user.Character);
            }
            SaveUsers();
        }
        ShowPosition(user.Station);
        DrawMap();
        ShowCharacter(user.Character);
        acStart_->setEnabled(true);
    } else {
        acStart_->setEnabled(false);
    }
    lbUser1_->setText(nameText);
    lbUser2_->setText(nameText);
    lbNokaviraMode1_->setText(levelText);
    lbNokaviraMode2_->setText(levelText);
    lbNokaviraMode1_->adjustSize();
    lbNokaviraMode2_->adjustSize();
    if (form2_) form2_->SetLevelText(levelText);
}

void TForm1::ShowCharacter(int character) {
    imCharactor_->setPixmap(CharacterPixmap(character));
    if (form2_) form2_->ShowCharacter(character);
}

QPixmap TForm1::CharacterPixmap(int character) const {
    if (character < 0 || character > 8) return {};
    return QPixmap(assets::CharacterPicture(character));
}

void TForm1::SaveUsers() {
    users_.SaveToFile(services_.DataFile, kUsersSection, *reporter_);
}

void TForm1::ShowPosition(int station) {
    shownStation_ = station;
    lbNokaviraPosition_->setText(PositionText(station));
    lbNokaviraPosition_->adjustSize();
}

void TForm1::DrawMap() {
    const TRouteMarks marks{shownStation_, checkpointList_};
    overlayImage_ = DrawStationMarks(overlay_->width(), overlay_->height(), marks);
    overlay_->setPixmap(QPixmap::fromImage(overlayImage_));
    if (form2_) form2_->ShowStation(shownStation_);
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
    if (currentUser_ < 0) {
        lbUser1_->setText(kNoUserText);
        lbUser2_->setText(kNoUserText);
    }
    // Under the level name, near the left edge of the screen.
    const QPoint below = lbNokaviraMode1_->mapToGlobal(QPoint(0, lbNokaviraMode1_->height()));
    form2_->move(80, below.y() + 12);

    form2_->btCangeUser->setEnabled(users_.Count() > 0);
    form2_->NewUserName.clear();
    form2_->SelectedUser = currentUser_;
    if (currentUser_ < 0) {
        form2_->btOK->setText(QStringLiteral("はじめる start"));
        form2_->btOK->setEnabled(false);
        form2_->lbSelect->clear();
        form2_->btCangeUser->setText(QStringLiteral("人を選ぶ select user"));
    } else {
        form2_->btOK->setText(QStringLiteral("つづける continue"));
        form2_->btOK->setEnabled(true);
        form2_->lbSelect->setText(users_.Items(currentUser_).Name);
        form2_->btCangeUser->setText(QStringLiteral("人を変える change user"));
    }

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
            // The next journey begins whatever the answer; "No" only waits with it.
            StartNewJourney(user);
            SaveUsers();
            if (answer != TAnswer::Yes) ok = false;
        }
    }
    if (!ok) return;
    SelectUser(selected);
    tmEvent_->start();
}

void TForm1::acHelpExecute() {
    const QString file =
        services_.HelpFile.isEmpty()
            ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("senkaro.html"))
            : services_.HelpFile;
    OpenHelp(file);
}

void TForm1::OpenHelp(const QString& fileName) {
    if (!QFileInfo::exists(fileName)) {
        services_.Dialogs->ShowMessage(QStringLiteral("ファイルがありません\r\n\r\n") + fileName);
        return;
    }
    if (!services_.Opener || !services_.Opener->HasAssociatedProgram(fileName)) {
        services_.Dialogs->ShowMessage(
            QFileInfo(fileName).fileName() +
            QStringLiteral("\r\n\r\nこのファイルを開けるアプリケーションがありません"));
        return;
    }
    services_.Opener->Open(fileName);
}
