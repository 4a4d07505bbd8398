// A laid-out board widget of 576 x 480 (cells 52 x 50, grid at (104, 20)) on a model of the
// test's own, with a beep that counts and a Tab key the test holds, and the mouse as the window
// system would send it: every event carries the buttons held after it. Points are board client
// pixels.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QEvent>
#include <QImage>
#include <string>

#include "board/board.h"
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "platform/beep.h"
#include "platform/key_state.h"
#include "support/board_printers.h"

class CountingBeep : public TBeep {
  public:
    int count = 0;
    void Beep() override { ++count; }
};

class HeldKeys : public TKeyState {
  public:
    bool tab = false;
    bool IsDown(Qt::Key key) const override { return key == Qt::Key_Tab && tab; }
};

class BoardWidgetTest : public ::testing::Test {
  protected:
    BoardWidgetTest();

    TNumberPiece& Piece(int index) { return *board.NumberPiece(index); }
    // Places the top free piece of the digit on the cell, recorded; false when refused.
    bool Put(int digit, int col, int row);

    // A mouse event to the widget (the board or one of its pieces) at a board point.
    void Send(QWidget& target, QEvent::Type type, QPoint at, Qt::MouseButton button,
              Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Press(QWidget& target, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void MoveHeld(QWidget& target, QPoint at, Qt::MouseButtons held = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Release(QWidget& target, QPoint at, Qt::MouseButton button = Qt::LeftButton);
    // Drags the piece by its middle until the pointer is at the point, and drops it there.
    void Drag(int index, QPoint to);
    void RightClick(int index);

    // What the player sees of the board (pieces included).
    QImage Seen() { return board.grab().toImage(); }
    QColor SeenAt(QPoint p) { return Seen().pixelColor(p); }

    // The colour of the mark in the slot of digit d of the cell on the hint layer: "blue", "red",
    // "maroon", "green", "" for no mark, "mixed" for more than one.
    std::string MarkAt(TCell cell, int d) const;
    // The shape drawn with the mark besides its digit: "plain", "dots", "line" or "box".
    std::string MarkShapeAt(TCell cell, int d) const;

    static QPoint CellMiddle(int col, int row) { return {104 + 52 * col + 26, 20 + 50 * row + 25}; }

    CountingBeep beep;
    HeldKeys keys;
    TBoard model;  // declared before the widget, so it outlives it
    TSudoku board{model};
    int changes = 0;
    TPlacedMove lastMove;  // the last one the widget told
};

inline const QColor kGridGrey(0x80, 0x80, 0x80);
inline const QColor kRed(255, 0, 0);
