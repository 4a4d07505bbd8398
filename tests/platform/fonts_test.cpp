// The Windows face names of the game's texts resolve to installed Japanese faces.
#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <initializer_list>

TEST(Fonts, WindowFaceMapsToIpaGothic) {
    const QFont font(fonts::kWindowFace, 12);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
}

TEST(Fonts, BrushFaceMapsToKouzan) {
    const QFont font(fonts::kBrushFace, 12);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("KouzanBrushFont"));
}

// Without IPAPGothic, whichever Japanese gothic face is installed (fonts-japanese-gothic is
// provided by many): a proportional one first, never a mincho or brush face.
TEST(Fonts, WithoutIpaAnyJapaneseGothicIsChosen) {
    const auto choose = [](std::initializer_list<const char*> names) {
        QStringList families;
        for (const char* name : names)
            families << QString::fromUtf8(name);
        return fonts::ChooseGothicFace(families);
    };
    EXPECT_EQ(choose({"IPAMincho", "TakaoGothic", "IPAPGothic"}), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(choose({"IPAMincho", "TakaoGothic", "TakaoPGothic"}), QStringLiteral("TakaoPGothic"));
    EXPECT_EQ(choose({"Noto Serif CJK JP", "KouzanBrushFont", "Noto Sans CJK JP"}),
              QStringLiteral("Noto Sans CJK JP"));
    EXPECT_EQ(choose({"IPAPMincho"}), QStringLiteral("IPAPMincho"));  // glyphs over none
    EXPECT_EQ(choose({}), QStringLiteral("IPAPGothic"));              // nothing better to ask for
}
