#include "journey/window_sides.h"

#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "board/sudoku.h"
#include "journey/countdown_label.h"
#include "journey/explanation_panel.h"
#include "journey/game_actions.h"
#include "journey/route_panel.h"
#include "journey/route_tables.h"
#include "journey/senkaro_user.h"
#include "platform/fonts.h"

namespace {

const QString kNoUserText = QStringLiteral("ゲームをする人を設定しましょう select user");

// Tab reaches the band's buttons; the board keeps Tab for its marks and is left with Ctrl+Tab.
void ReachedByTab(QToolBar& band) {
    for (QAction* action : band.actions())
        if (auto* button = qobject_cast<QToolButton*>(band.widgetForAction(action)))
            button->setFocusPolicy(Qt::TabFocus);
}

}  // namespace

TBoardSide::TBoardSide(TBoard& board, const TGameActions& actions, QWidget* parent,
                       const QRect& geometry)
    : QFrame(parent) {
    setGeometry(geometry);
    setFrameShape(QFrame::NoFrame);
    const int width = geometry.width();
    const int boardHeight = geometry.height() - kBandHeight;

    auto* breakLabel = new QLabel(QStringLiteral("a short break"), this);
    breakLabel->setFont(fonts::PixelFont(fonts::kWindowFace, 20, false));
    breakLabel->setGeometry(0, kBandHeight, width, boardHeight);
    breakLabel->setAlignment(Qt::AlignCenter);

    auto* band = new QToolBar(this);
    band->setGeometry(0, 0, width, kBandHeight);
    band->setIconSize(QSize(24, 24));
    band->addWidget(new QLabel(QStringLiteral("            time "), band));
    pnNextStep_ = new TCountdownLabel(band);
    pnNextStep_->setText(QStringLiteral("Best Move"));
    pnNextStep_->setFixedSize(80, 22);
    pnNextStep_->setAlignment(Qt::AlignCenter);
    pnNextStep_->setFont(fonts::PixelFont(fonts::kWindowFace, 16, false));
    pnNextStep_->setStyleSheet(QStringLiteral("background: black; color: aqua;"));
    pnNextStep_->setAccessibleName(QStringLiteral("残り時間 time left"));
    band->addWidget(pnNextStep_);
    band->addSeparator();
    for (QAction* action :
         {actions.acEraseMemo, actions.acEraser, actions.acPen, actions.acPenColor})
        band->addAction(action);
    ReachedByTab(*band);

    sudoku_ = new TSudoku(board, this);
    sudoku_->setGeometry(0, kBandHeight, width, boardHeight);
    sudoku_->setEnabled(false);
}

namespace {
constexpr int kOfferHeight = 168;
}  // namespace

TJourneySide::TJourneySide(TSudoku& board, const TGameActions& actions, QWidget* parent,
                           const QRect& geometry)
    : QFrame(parent) {
    setGeometry(geometry);
    setFrameShape(QFrame::NoFrame);
    const int width = geometry.width();
    auto* band = new QToolBar(this);
    band->setGeometry(0, 0, width, kBandHeight);
    band->setIconSize(QSize(24, 24));
    band->addAction(actions.acClose);
    for (const auto& group :
         {{actions.acStart, actions.acPause, actions.acHint},
          {actions.acOpenDlg, actions.acRecords, actions.acWhy, actions.acPractice},
          std::initializer_list<QAction*>{actions.acHelp}}) {
        band->addSeparator();
        for (QAction* action : group)
            band->addAction(action);
    }
    ReachedByTab(*band);
    mainAction_ = band->widgetForAction(actions.acStart);
    journey_ = new TRoutePanel(this, QRect(0, kBandHeight, width, geometry.height() - kBandHeight));
    explanation_ = new TExplanationPanel(board, this);
    explanation_->setGeometry(journey_->geometry());
    // The offer covers the banner and the top of the map: the station marks and the position
    // band stay in view; the steps take the whole journey.
    explanation_->SetPlaces(QRect(journey_->x(), journey_->y(), width, kOfferHeight),
                            journey_->geometry());
}

void TJourneySide::ShowJourney(const TSenkaroUser* user, const std::vector<int>& checkpoints,
                               TCheckpointGallery& gallery) {
    journey_->ShowUserName(user ? user->Name : kNoUserText);
    journey_->ShowLevel(LevelName(user ? std::min(2, user->Level) : 0));
    journey_->ShowCharacter(user ? user->Character : -1);
    if (user) {
        shownStation_ = user->Station;
        journey_->ShowPosition(shownStation_);
    }
    const TRouteMarks marks{shownStation_, checkpoints};
    journey_->ShowMarks(marks);
    gallery.Show(marks, window()->font());
}
