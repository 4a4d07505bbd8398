#include "journey/offer_focus.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>

#include "journey/explanation_panel.h"

TOfferFocus::TOfferFocus(TExplanationPanel& panel, QObject* parent)
    : QObject(parent), panel_(panel) {
    for (QPushButton* button : {&panel.WhyButton(), &panel.ContinueButton()})
        button->installEventFilter(this);
}

QPushButton& TOfferFocus::FirstButton() const {
    return panel_.CanExplain() ? panel_.WhyButton() : panel_.ContinueButton();
}

void TOfferFocus::Focus(const QString& verdict) {
    QPushButton& first = FirstButton();
    for (QPushButton* button : {&panel_.WhyButton(), &panel_.ContinueButton()})
        button->setAccessibleDescription(button == &first ? verdict : QString());
    first.setFocus(Qt::OtherFocusReason);
}

bool TOfferFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    QCoreApplication::sendEvent(&panel_, event);
    return true;
}
