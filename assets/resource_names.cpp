// Resource paths of the game's assets; see resource_names.h.
#include "resource_names.h"

namespace assets {

QString MapPicture() {
    return QStringLiteral(":/pictures/map.png");
}
QString UserBanner() {
    return QStringLiteral(":/pictures/user-banner.png");
}
QString CirclePicture() {
    return QStringLiteral(":/pictures/maru.png");
}
QString PlayerDialogBackground() {
    return QStringLiteral(":/pictures/player-dialog.png");
}
QString CharacterPanel() {
    return QStringLiteral(":/pictures/character-panel.png");
}

QString StationPicture(int station) {
    return QStringLiteral(":/stations/%1.png").arg(station, 2, 10, QLatin1Char('0'));
}

QString CharacterPicture(int character) {
    return QStringLiteral(":/characters/%1.png").arg(character);
}

QString ActionIcon(int index, int size) {
    return QStringLiteral(":/icons/%1/%2.png").arg(size).arg(index);
}

QString ToolImage(int index) {
    return QStringLiteral(":/tools/%1.png").arg(index);
}
QString PenCursor() {
    return QStringLiteral(":/cursors/PEN02.png");
}
QString EraserCursor() {
    return QStringLiteral(":/cursors/ERASER01.png");
}
QString AppIcon(int size) {
    return QStringLiteral(":/app/senkaro-%1.png").arg(size);
}
QString Sound(const QString& name) {
    return QStringLiteral(":/sounds/%1.wav").arg(name);
}

}  // namespace assets
