#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace fonts {

namespace {

const QString kPreferredGothic = QStringLiteral("IPAPGothic");
const QString kPreferredBrush = QStringLiteral("KouzanBrushFont");

// Faces that draw Japanese but are no gothic: serif (mincho) faces and decorative ones.
bool LooksLikeGothic(const QString& family) {
    for (const char* other : {"mincho", "serif", "brush", "明朝", "kyokasho", "gyousyo", "sousyo"})
        if (family.contains(QString::fromUtf8(other), Qt::CaseInsensitive)) return false;
    return true;
}

}  // namespace

QString ChooseGothicFace(const QStringList& japaneseFamilies) {
    if (japaneseFamilies.contains(kPreferredGothic)) return kPreferredGothic;
    // A proportional face first, as the window font is one; then any gothic at all.
    for (const QString& family : japaneseFamilies)
        if (LooksLikeGothic(family) && family.contains(QStringLiteral("PGothic"))) return family;
    for (const QString& family : japaneseFamilies)
        if (LooksLikeGothic(family)) return family;
    return japaneseFamilies.value(0, kPreferredGothic);
}

void InstallSubstitutions() {
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    const QString gothic = ChooseGothicFace(japanese);
    QFont::insertSubstitution(kWindowFace, gothic);
    // Without the brush face its titles are at least legible in the gothic one.
    QFont::insertSubstitution(kBrushFace,
                              japanese.contains(kPreferredBrush) ? kPreferredBrush : gothic);
}

}  // namespace fonts
