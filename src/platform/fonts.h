// The faces the game's texts ask for by their Windows names are mapped to faces that Debian
// ships, so Japanese text never falls back to a face without the glyphs: IPAPGothic when it is
// installed, else whichever Japanese gothic face is. Call InstallSubstitutions right after the
// QApplication is made, before any widget.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace fonts {

// The window font and the brush font, as the game's texts name them.
inline const QString kWindowFace = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kBrushFace = QStringLiteral("江戸勘亭流Ｐ");

void InstallSubstitutions();

// The face the window font maps to, among the installed families that draw Japanese.
QString ChooseGothicFace(const QStringList& japaneseFamilies);

// The face at a size in pixels, bold or not.
inline QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace fonts
