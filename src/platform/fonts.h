// The faces the game's texts ask for by their Windows names are mapped to faces that Debian
// ships, so Japanese text never falls back to a face without the glyphs. Call right after the
// QApplication is made, before any widget.
#pragma once

#include <QString>

namespace fonts {

// The window font and the brush font, as the game's texts name them.
inline const QString kWindowFace = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kBrushFace = QStringLiteral("江戸勘亭流Ｐ");

void InstallSubstitutions();

}  // namespace fonts
