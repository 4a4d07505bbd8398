#include "journey/game_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

#include "journey/action_icons.h"
#include "journey/game.h"

namespace {

const QString kPracticeHint = QStringLiteral("修行 practice");

QAction* MakeAction(QObject* owner, const QString& hint, int image, const QKeySequence& key) {
    auto* action = new QAction(ActionIcon(image), hint, owner);
    action->setShortcut(key);
    SetHint(*action, hint);
    return action;
}

}  // namespace

void SetHint(QAction& action, const QString& hint) {
    action.setText(hint);
    const QString key = action.shortcut().toString(QKeySequence::NativeText);
    action.setToolTip(key.isEmpty() ? hint : QStringLiteral("%1 [%2]").arg(hint, key));
}

TGameActions::TGameActions(QObject* owner)
    : acEraseMemo(MakeAction(owner, QStringLiteral("メモを消す erase memo"), 3, Qt::Key_M)),
      acPenColor(MakeAction(owner, QStringLiteral("メモ書きの色 pen color"), 0, Qt::Key_C)),
      acPen(MakeAction(owner, QStringLiteral("ペン書き pen mode"), 2, Qt::Key_W)),
      acEraser(MakeAction(owner, QStringLiteral("消しゴム eraser mode"), 1, Qt::Key_E)),
      acClose(MakeAction(owner, QStringLiteral("終わる Close"), 5, Qt::CTRL | Qt::Key_Q)),
      acStart(MakeAction(owner, QStringLiteral("始める Play"), 7, Qt::Key_S)),
      acPause(MakeAction(owner, QStringLiteral("一時停止 pause"), 4, Qt::Key_P)),
      acOpenDlg(MakeAction(owner, QStringLiteral("設定 select"), 8, Qt::Key_U)),
      acHelp(MakeAction(owner, QStringLiteral("案内 help"), 10, Qt::Key_F1)),
      acRecords(MakeAction(owner, QStringLiteral("記録 records"), 11, Qt::Key_R)),
      acWhy(MakeAction(owner, QStringLiteral("なぜ？ why"), 12, Qt::Key_Y)),
      acPractice(MakeAction(owner, kPracticeHint, 13, Qt::Key_T)),
      acHint(MakeAction(owner, QStringLiteral("ヒント hint"), 14, Qt::Key_H)) {
    acEraseMemo->setText(QStringLiteral("メモを消す(Erase &Memo)"));
    auto* penGroup = new QActionGroup(owner);
    for (QAction* action : {acPen, acEraser}) {
        action->setCheckable(true);
        penGroup->addAction(action);
    }
    acPen->setChecked(true);
    acPause->setVisible(false);
    acPause->setEnabled(false);
    acWhy->setEnabled(false);
    acHint->setVisible(false);
}

void TGameActions::OfferFor(const TGame& game, bool explanationOffered) {
    const TGameState state = game.State();
    const bool paused = BoardHidden(state);
    const bool inRound = paused || BoardTakesMoves(state);
    acStart->setVisible(!inRound);
    acStart->setEnabled(game.Takes(TCommand::Start));
    acOpenDlg->setVisible(!inRound);
    acOpenDlg->setEnabled(game.Takes(TCommand::OpenPlayerDialog));
    acRecords->setEnabled(game.Takes(TCommand::OpenRecords));
    acPause->setVisible(inRound);
    acPause->setEnabled(game.Takes(TCommand::Pause) || game.Takes(TCommand::Resume));
    SetHint(*acPause, paused ? QStringLiteral("再開 replay") : QStringLiteral("一時停止 pause"));
    acPause->setIcon(ActionIcon(paused ? 6 : 4));
    acWhy->setEnabled(game.Takes(TCommand::Why) && explanationOffered);
    const bool leaves = game.Takes(TCommand::LeavePractice);
    acPractice->setEnabled(leaves || game.Takes(TCommand::OpenPractice));
    SetHint(*acPractice, leaves ? QStringLiteral("旅にもどる back to the journey") : kPracticeHint);
    acHint->setVisible(Practising(state));
    acHint->setEnabled(game.Takes(TCommand::Hint));
}
