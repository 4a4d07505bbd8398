#include "platform/fonts.h"

#include <QFont>

namespace fonts {

void InstallSubstitutions() {
    QFont::insertSubstitution(kWindowFace, QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(kBrushFace, QStringLiteral("KouzanBrushFont"));
}

}  // namespace fonts
