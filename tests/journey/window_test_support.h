// What the window tests share besides the game's clock and folder: the user's own ways into
// the window: timers that fire, menu items, and pieces dragged with the mouse.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QStringList>
#include <QTimer>

#include "board/number_piece.h"
#include "board/sudoku.h"
#include "journey/game_test_support.h"
#include "journey/player_dialog.h"

// Runs what the event loop has queued (deferred steps, zero timers).
inline void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The timer fires now, as the event loop would let it.
inline void Fire(QTimer& timer) {
    QMetaObject::invokeMethod(&timer, "timeout");
    Settle();
}

// Opens the dialog's change-player menu and clicks the player's item.
inline bool ChoosePlayerInMenu(TForm2& dialog, const QString& name) {
    emit dialog.pmCangeUser->aboutToShow();
    for (QAction* item : dialog.pmCangeUser->actions()) {
        if (item->text() != name) continue;
        item->trigger();
        return true;
    }
    return false;
}

// Drags the piece with the left button from its middle to the middle of the cell and lets go,
// as the window system sends it: every event carries the buttons held after it.
inline void DragPieceTo(TSudoku& board, int index, TCell cell) {
    TNumberPiece& piece = *board.NumberPiece(index);
    const TBoardGeometry& g = board.Geometry();
    const QPoint from = piece.geometry().center();
    const QPoint to = g.CellOrigin(cell.Col, cell.Row) + QPoint(g.CellWidth / 2, g.CellHeight / 2);
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        const QPointF local = piece.mapFromParent(at);
        QMouseEvent event(type, local, piece.mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(&piece, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// The digit's top free piece dragged onto the cell.
inline void DragDigitTo(TSudoku& board, int digit, TCell cell) {
    DragPieceTo(board, board.Board().NextFreePiece(digit), cell);
}
