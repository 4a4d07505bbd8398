// One number piece: a small panel showing its digit, dragged from its stack beside the grid onto
// a cell. The piece only looks the part; where it stands (its cell, or (-1, -1) in its stack)
// is the board model's, and the board widget handles its mouse.
//
// Conventions: piece i carries digit i / 9 + 1.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class TNumberPiece final : public QWidget {
  public:
    // The hint of a piece the player may move.
    static inline const QString kHint = QStringLiteral("移動先のマス目にＤ＆Ｄ to cell");

    TNumberPiece(int index, QWidget* board);

    int Index() const { return index_; }
    int Digit() const { return index_ / 9 + 1; }

    // A fixed piece is a given: black digit, default cursor, no hint. A movable one has a blue
    // digit, the hand cursor and the hint.
    bool Fixed() const { return fixed_; }
    void SetFixed(bool value);

    // Raised in its stack and while dragged; flat on a cell.
    bool Raised() const { return raised_; }
    void SetRaised(bool value);

    // The slot in the stack, and where the current drag began (board client pixels).
    QPoint Home() const { return home_; }
    void SetHome(QPoint home) { home_ = home; }
    QPoint DragFrom() const { return dragFrom_; }
    void SetDragFrom(QPoint from) { dragFrom_ = from; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int index_;
    bool fixed_ = false;
    bool raised_ = true;
    QPoint home_;
    QPoint dragFrom_;
};
