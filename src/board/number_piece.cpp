#include "board/number_piece.h"

#include <qdrawutil.h>
#include <QFont>
#include <QPainter>

TNumberPiece::TNumberPiece(int index, QWidget* board) : QWidget(board), index_(index) {
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // 22 points, plain; the face is the board's, which it takes from the window.
    QFont digitFont;
    digitFont.setPointSize(22);
    digitFont.setWeight(QFont::Normal);
    digitFont.setStyle(QFont::StyleNormal);
    setFont(digitFont);
    SetFixed(false);
}

void TNumberPiece::SetFixed(bool value) {
    fixed_ = value;
    setCursor(value ? Qt::ArrowCursor : Qt::PointingHandCursor);
    setToolTip(value ? QString() : kHint);
    update();
}

void TNumberPiece::SetRaised(bool value) {
    if (raised_ == value) return;
    raised_ = value;
    update();
}

void TNumberPiece::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (raised_) qDrawShadePanel(&painter, rect(), palette(), false, 1);
    painter.setPen(fixed_ ? QColor(0, 0, 0) : QColor(0, 0, 255));
    painter.drawText(rect(), Qt::AlignCenter, QString::number(Digit()));
}
