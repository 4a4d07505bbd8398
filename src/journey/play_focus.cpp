#include "journey/play_focus.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "journey/explanation_panel.h"

TPlayFocus::TPlayFocus(TExplanationPanel& panel, QWidget& board, QWidget& mainAction,
                       QObject* parent)
    : QObject(parent), panel_(panel), board_(board), mainAction_(mainAction) {
    for (QPushButton* button : {&panel.WhyButton(), &panel.ContinueButton()})
        button->installEventFilter(this);
}

QPushButton& TPlayFocus::FirstButton() const {
    return panel_.CanExplain() ? panel_.WhyButton() : panel_.ContinueButton();
}

void TPlayFocus::Offer(const QString& verdict) {
    QPushButton& first = FirstButton();
    for (QPushButton* button : {&panel_.WhyButton(), &panel_.ContinueButton()})
        button->setAccessibleDescription(button == &first ? verdict : QString());
    first.setFocus(Qt::OtherFocusReason);
}

void TPlayFocus::Restore(bool running) {
    if (running)
        board_.setFocus(Qt::OtherFocusReason);
    else if (panel_.Explaining())
        panel_.setFocus(Qt::OtherFocusReason);
    else if (panel_.Offered())
        FirstButton().setFocus(Qt::OtherFocusReason);
    else
        mainAction_.setFocus(Qt::OtherFocusReason);
}

bool TPlayFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    // Space presses the focused button, as on any button; the other keys are the panel's.
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
        return QObject::eventFilter(watched, event);
    QCoreApplication::sendEvent(&panel_, event);
    return true;
}
