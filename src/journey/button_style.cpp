#include "journey/button_style.h"

#include <QPainter>
#include <QStyleOptionButton>

void TButtonStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButtonBevel) return;
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (!button || !(button->features & QStyleOptionButton::DefaultButton) ||
        (button->state & State_HasFocus) || !(button->state & State_Enabled))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QPen pen(option->palette.color(QPalette::WindowText));
    pen.setWidthF(1.0);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const QRectF outer = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->drawRoundedRect(outer, 3, 3);
    painter->drawRoundedRect(outer.adjusted(2, 2, -2, -2), 2, 2);
    painter->restore();
}
