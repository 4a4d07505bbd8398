#include "journey/route_map.h"

#include <QPainter>
#include <algorithm>

#include "journey/route_tables.h"

namespace {

// An image of the logical size at the ratio, never empty.
QSize DeviceSize(int width, int height, qreal ratio) {
    return {std::max(1, qRound(width * ratio)), std::max(1, qRound(height * ratio))};
}

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kCheckpointGreen(0, 64, 0);
const QColor kStationGreen(0, 128, 0);
const QColor kGalleryGround(226, 236, 235);

// The step between stations and the mark's unit, in the single precision the map is laid in.
float Step(int width) {
    return static_cast<float>(width) / 437.0f * 295.0f / 55.0f;
}

bool Contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

TMarkPlace StationMarkPlace(int width, int height, int station, bool tall) {
    const float step = Step(width);
    const int m = static_cast<int>(2 * step);
    float x = 350.0f;
    for (int i = 0; i < station; ++i)
        x -= step;
    const int base = static_cast<int>(kStations[static_cast<std::size_t>(station)].MapY *
                                      (static_cast<double>(height) / 405.0));
    const int left = static_cast<int>(x);
    const int right = left + static_cast<int>(step);
    return tall ? TMarkPlace{left, right, base - m, base + 2 * m}
                : TMarkPlace{left, right, base, base + m};
}

QImage DrawStationMarks(int width, int height, const TRouteMarks& marks, qreal ratio) {
    QImage image(DeviceSize(width, height, ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int i = 0; i < kStationCount; ++i) {
        const bool reached = i <= marks.ShownStation;
        const bool end = i == 0 || i == kStationCount - 1;
        const bool checkpoint = Contains(marks.Checkpoints, i);
        QColor pen = kWhite, fill = reached ? kRed : kStationGreen;
        int penWidth = 1;
        if (i == 0) {
            pen = kRed;
            penWidth = reached ? 1 : 2;
            fill = reached ? kRed : kWhite;
        } else if (i == kStationCount - 1) {
            pen = reached ? kWhite : kRed;
            penWidth = reached ? 1 : 2;
            fill = reached ? kRed : kWhite;
        } else if (checkpoint && !reached) {
            fill = kCheckpointGreen;
        }
        const TMarkPlace place = StationMarkPlace(width, height, i, end || checkpoint);
        painter.setPen(QPen(pen, penWidth));
        painter.setBrush(fill);
        // The mark covers left .. right - 1 and top .. bottom - 1, with small round corners.
        painter.drawRoundedRect(QRectF(place.Left + 0.5, place.Top + 0.5,
                                       place.Right - place.Left - 1, place.Bottom - place.Top - 1),
                                1, 1);
    }
    return image;
}

TGalleryPlace GalleryPlace(int width, int height, int k) {
    const int c = width / 8;
    const int r = height / 2;
    const int left = (k % 8) * c + 8;
    const int top = (k / 8) * r;
    return {left, top, left + c - 8, top + r - 4};
}

QImage DrawCheckpointGallery(int width, int height, const TRouteMarks& marks,
                             const TStationPicture& picture, const QFont& font, qreal ratio) {
    QImage image(DeviceSize(width, height, ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kGalleryGround);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QFontMetrics metrics(font);
    for (int k = 0; k < static_cast<int>(marks.Checkpoints.size()); ++k) {
        const int s = marks.Checkpoints[static_cast<std::size_t>(k)];
        if (s < 0 || s >= kStationCount) continue;
        const TGalleryPlace place = GalleryPlace(width, height, k);
        const int room = place.PictureRight - place.Left;
        const QString title = QStringLiteral("%1 %2(%3)").arg(k + 1).arg(StationJapanese(s)).arg(s);
        // Two lines of text, then the picture below the second line's descenders.
        const int first = place.Top + 2;
        const int second = first + metrics.lineSpacing();
        painter.drawText(place.Left, first + metrics.ascent(),
                         metrics.elidedText(title, Qt::ElideRight, room));
        painter.drawText(place.Left + 8, second + metrics.ascent(),
                         metrics.elidedText(StationRomanised(s), Qt::ElideRight, room - 8));
        if (marks.ShownStation >= s) {
            const QRect target(QPoint(place.Left, second + metrics.height() + 2),
                               QPoint(place.PictureRight - 1, place.PictureBottom - 1));
            painter.drawImage(target, picture(s));
        }
    }
    return image;
}

QString PositionText(int station) {
    if (station < 0 || station >= kStationCount) return {};
    QString text = QStringLiteral("現在 %1 now %2 (%3)")
                       .arg(StationJapanese(station), StationRomanised(station))
                       .arg(station);
    if (station < kStationCount - 1)
        text += QStringLiteral("\n次は %1 next %2 (%3)")
                    .arg(StationJapanese(station + 1), StationRomanised(station + 1))
                    .arg(station + 1);
    return text;
}
