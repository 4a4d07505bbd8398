// The Windows face names of the game's texts resolve to installed Japanese faces.
#include "platform/fonts.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

TEST(Fonts, WindowFaceMapsToIpaGothic) {
    const QFont font(fonts::kWindowFace, 12);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
}

TEST(Fonts, BrushFaceMapsToKouzan) {
    const QFont font(fonts::kBrushFace, 12);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("KouzanBrushFont"));
}
