// Names of the game's built-in resources (pictures, icons, cursors, sounds), compiled in from
// assets/generated/ by the senkaro_assets library. Station numbers run 0-54, characters 0-8,
// action icon indices 0-10 (9 is an empty slot).
#pragma once

#include <QPoint>
#include <QString>

namespace assets {

inline constexpr int kStationCount = 55;
inline constexpr int kCharacterCount = 9;
inline constexpr int kIconCount = 15;
// Both pen cursors are 32 x 32 with the tip at the lower left.
inline constexpr QPoint kCursorHotSpot{1, 30};

QString MapPicture();                 // route picture, 437 x 405
QString UserBanner();                 // banner behind the player name, 438 x 78
QString CirclePicture();              // red brush circle over a judged piece, 64 x 64, transparent
QString PlayerDialogBackground();     // 474 x 254
QString CharacterPanel();             // top panel of the character dialog, 407 x 41
QString StationPicture(int station);  // 274 x 178
QString CharacterPicture(int character);  // 128 x 128, transparent
QString ActionIcon(int index, int size);  // size 16 or 32, transparent
QString ToolImage(int index);             // 64 x 64 images of the tool bands, transparent
QString PenCursor();                      // "PEN02"
QString EraserCursor();                   // "ERASER01"
QString AppIcon(int size);                // 16, 32, 48 or 256
QString Sound(const QString& name);       // "Trumpet001", "fanfare001", ..., "chimes"

}  // namespace assets
