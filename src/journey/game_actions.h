// The actions of the main window's two tool bands, with their icons and hints (Japanese and
// English). The pen and the eraser are one checkable group; the pause action is hidden until a
// round runs. The window connects them and decides when each is offered.
#pragma once

class QAction;
class QObject;

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
};
