// The board's transparent picture layers: images of the board's client size whose untouched
// pixels are transparent, so that the layers beneath show through.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

namespace layer_images {

inline QImage TransparentLayer(QSize size) {
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

// Makes a part of a layer transparent again.
inline void Wipe(QImage& layer, const QRect& area) {
    QPainter painter(&layer);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area, Qt::transparent);
}

}  // namespace layer_images
