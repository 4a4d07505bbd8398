#include "board/memo_pen.h"

#include <QPainter>
#include <QPen>

#include "board/layer_images.h"

using layer_images::TransparentLayer;

void TMemoPen::MouseDown(Qt::MouseButtons held, QPoint p) {
    SetStroke(0);
    if (!(held & Qt::LeftButton)) return;
    StrokeTo(p);
    SetStroke(penMode_ != 0 ? -1 : 1);
}

void TMemoPen::MouseMove(QPoint p) {
    if (strokeState_ != 0) StrokeTo(p);
}

void TMemoPen::MouseUp(QPoint p) {
    if (strokeState_ == 0) return;
    StrokeTo(p);
    SetStroke(0);
}

void TMemoPen::StrokeTo(QPoint p) {
    if (strokeState_ != 0) {
        EnsureMemo();
        const bool pen = strokeState_ == 1;
        const int width = pen ? kPenWidth : kEraserWidth;
        const QPen line(pen ? penColor_ : host_.BackgroundColor(), width, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin);
        for (QImage* layer : {&snapshot_, &memo_}) {
            QPainter painter(layer);
            painter.setPen(line);
            painter.drawLine(lastPenPoint_, p);
        }
        host_.LayersChanged(
            QRect(lastPenPoint_, p).normalized().adjusted(-width, -width, width, width));
    }
    lastPenPoint_ = p;
}

void TMemoPen::SetStroke(int s) {
    if (s == strokeState_) return;
    if (s != 0) {
        EnsureMemo();
        // The board is captured before the snapshot hides the live layers.
        const QImage board = host_.CaptureBoard();
        snapshot_ = QImage(memo_.size(), QImage::Format_RGB32);
        snapshot_.fill(host_.BackgroundColor());
        QPainter painter(&snapshot_);
        painter.drawImage(QPointF(0, 0), board);
    }
    strokeState_ = s;
    host_.LayersChanged(QRect());
}

void TMemoPen::EraseMemo() {
    if (!memo_.isNull()) memo_.fill(Qt::transparent);
    host_.LayersChanged(QRect());
}

void TMemoPen::EnsureMemo() {
    const QSize size = host_.LayerSize();
    if (!memo_.isNull() && memo_.width() >= size.width() && memo_.height() >= size.height()) return;
    // A board that has grown keeps what the player wrote.
    QImage grown = TransparentLayer(memo_.size().expandedTo(size));
    if (!memo_.isNull()) QPainter(&grown).drawImage(0, 0, memo_);
    memo_ = grown;
}
