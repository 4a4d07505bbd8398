#include "journey/game_actions.h"

#include <QAction>
#include <QActionGroup>

#include "journey/action_icons.h"

namespace {

QAction* MakeAction(QObject* owner, const QString& hint, int image) {
    auto* action = new QAction(ActionIcon(image), hint, owner);
    action->setToolTip(hint);
    return action;
}

}  // namespace

TGameActions::TGameActions(QObject* owner)
    : acEraseMemo(MakeAction(owner, QStringLiteral("メモを消す erase memo"), 3)),
      acPenColor(MakeAction(owner, QStringLiteral("メモ書きの色 pen color"), 0)),
      acPen(MakeAction(owner, QStringLiteral("ペン書き pen mode"), 2)),
      acEraser(MakeAction(owner, QStringLiteral("消しゴム eraser mode"), 1)),
      acClose(MakeAction(owner, QStringLiteral("終わる Close"), 5)),
      acStart(MakeAction(owner, QStringLiteral("始める Play"), 7)),
      acPause(MakeAction(owner, QStringLiteral("一時停止 pause"), 4)),
      acOpenDlg(MakeAction(owner, QStringLiteral("設定 select"), 8)),
      acHelp(MakeAction(owner, QStringLiteral("案内 help"), 10)) {
    acEraseMemo->setText(QStringLiteral("メモを消す(Erase &Memo)"));
    auto* penGroup = new QActionGroup(owner);
    for (QAction* action : {acPen, acEraser}) {
        action->setCheckable(true);
        penGroup->addAction(action);
    }
    acPen->setChecked(true);
    acPause->setVisible(false);
    acPause->setEnabled(false);
}
