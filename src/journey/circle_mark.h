// The red brush circle laid over the piece of a judged move. It keeps its colour over the
// disabled board between rounds, where a plain picture label would be drawn greyed.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <QWidget>

class TCircleMark final : public QWidget {
  public:
    TCircleMark(const QPixmap& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    // Over the whole of the piece (a child of it), shown.
    void LayOver(QWidget* piece) {
        if (!piece) return;
        setParent(piece);
        setGeometry(0, 0, piece->width(), piece->height());
        show();
        raise();
    }
    // Back to rest, hidden, with the window.
    void TakeBack(QWidget* window) {
        hide();
        setParent(window);
    }
    bool OverAPiece(const QWidget* window) const { return parentWidget() != window; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), picture_);
    }

  private:
    QPixmap picture_;
};
