// The game's pictures at the density of the screen: on a screen scaled above 100 % a picture
// comes from its twice-as-dense twin name@2x.png (when there is one), marked with its device
// pixel ratio, so it is drawn at the same size in logical pixels, sharp.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace assets {

// The density the game's pictures are drawn for: the highest of the screens' ratios.
qreal ScreenRatio();

// The resource at the ratio: name@2x.png above 1 when that exists, else the resource itself.
QString AtRatio(const QString& resource, qreal ratio);

QImage LoadImage(const QString& resource, qreal ratio = ScreenRatio());
QPixmap LoadPixmap(const QString& resource, qreal ratio = ScreenRatio());

}  // namespace assets
