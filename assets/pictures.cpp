#include "pictures.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace assets {

qreal ScreenRatio() {
    qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    if (qGuiApp)
        for (const QScreen* screen : QGuiApplication::screens())
            ratio = std::max(ratio, screen->devicePixelRatio());
    return ratio;
}

QString AtRatio(const QString& resource, qreal ratio) {
    if (ratio <= 1.0 || !resource.endsWith(QStringLiteral(".png"))) return resource;
    QString dense = resource;
    dense.insert(dense.size() - 4, QStringLiteral("@2x"));
    return QFileInfo::exists(dense) ? dense : resource;
}

QImage LoadImage(const QString& resource, qreal ratio) {
    const QString file = AtRatio(resource, ratio);
    // Dense twins of opaque pictures are stored in 256 colours; drawn scaled, an indexed image
    // takes Qt's slow (and in 6.4 fragile) path, so every picture is loaded as true colour.
    const QImage stored(file);
    QImage image = stored.convertToFormat(
        stored.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (file != resource) image.setDevicePixelRatio(2.0);
    return image;
}

QPixmap LoadPixmap(const QString& resource, qreal ratio) {
    return QPixmap::fromImage(LoadImage(resource, ratio));
}

}  // namespace assets
