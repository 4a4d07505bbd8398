// A heading's shadow: the heading's text painted in another colour a few pixels off, under the
// heading itself. Unlike a second label it has no text a screen reader would read, so the
// heading is heard once.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <QWidget>

class TTextShadow final : public QWidget {
  public:
    TTextShadow(QWidget* parent, const QColor& colour, Qt::Alignment alignment)
        : QWidget(parent), colour_(colour), alignment_(alignment) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void Show(const QString& text, const QFont& font) {
        text_ = text;
        setFont(font);
        update();
    }
    const QString& Text() const { return text_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(colour_);
        painter.drawText(rect(), static_cast<int>(alignment_), text_);
    }

  private:
    QColor colour_;
    Qt::Alignment alignment_;
    QString text_;
};
