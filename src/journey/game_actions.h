// The actions of the main window's two tool bands, with their icons, hints (Japanese and
// English) and keys; each tooltip names its key ("一時停止 pause [P]"). The pen and the eraser
// are one checkable group; the pause action is hidden until a round runs. The window connects
// them and decides when each is offered.
#pragma once

#include <QString>

class QAction;
class QObject;

class TGame;

// The action's hint as its text, and as its tooltip with the key.
void SetHint(QAction& action, const QString& hint);

struct TGameActions {
    explicit TGameActions(QObject* owner);

    // The memo tools of the board's band.
    QAction* acEraseMemo;
    QAction* acPenColor;
    QAction* acPen;
    QAction* acEraser;
    // The journey's band.
    QAction* acClose;
    QAction* acStart;
    QAction* acPause;
    QAction* acOpenDlg;
    QAction* acHelp;
    QAction* acRecords;
    // After a judged round: why its answer is forced.
    QAction* acWhy;
    // Practice: into it between rounds, back to the journey from it; a hint during its round.
    QAction* acPractice;
    QAction* acHint;

    // Each action shown and enabled as the game's state takes its command; why only while an
    // explanation is offered. During a round pause shows in place of start and the dialog; the
    // hint shows only in practice.
    void OfferFor(const TGame& game, bool explanationOffered);
};
