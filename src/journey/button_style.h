// The desktop's own style with one addition: the button Enter presses shows it. A dialog's
// focused push button is the one Enter presses and carries the style's focus ring; when the
// focus rests on something else (a tool button, a list), the default button gets a double
// outline of its own, unlike the focus ring, so the player knows what Enter will do.
#pragma once

#include <QProxyStyle>

class TButtonStyle final : public QProxyStyle {
  public:
    // On the application's current style.
    TButtonStyle() = default;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
