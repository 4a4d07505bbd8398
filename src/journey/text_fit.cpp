#include "journey/text_fit.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

bool TextFits(const QFont& font, const QString& text, QSize box) {
    const QFontMetrics metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        // A brush face's ink can reach past its advance.
        const int ink = metrics.boundingRect(line).right() + 1;
        if (std::max(metrics.horizontalAdvance(line), ink) > box.width()) return false;
    }
    return metrics.lineSpacing() * (lines.size() - 1) + metrics.height() <= box.height();
}

QFont FittedFont(QFont font, const QString& text, QSize box, int minPixels) {
    for (int pixels = font.pixelSize(); pixels > minPixels; --pixels) {
        font.setPixelSize(pixels);
        if (TextFits(font, text, box)) return font;
    }
    font.setPixelSize(minPixels);
    return font;
}
