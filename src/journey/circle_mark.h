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

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), picture_);
    }

  private:
    QPixmap picture_;
};
