// The name check: a name is accepted only when the data file gives it back unchanged, and a
// refusal names the character that cannot be kept.
#include <gtest/gtest.h>

#include "journey/user_name.h"

TEST(UserName, RefusesWhatTheFileCannotKeep) {
    const char* refused[] = {"", "   ", "a=b", "[admin", "tab\there", "smile\U0001F600", "☺"};
    for (const char* input : refused) {
        const TNameCheck check = ValidateUserName(QString::fromUtf8(input));
        EXPECT_FALSE(check.Ok()) << input;
        if (check.Error) {
            EXPECT_TRUE(check.Error->contains(QStringLiteral("\n\n"))) << input;
        }
    }
    for (const char* input : {"Taro", "山田 花子", "髙﨑①", "a[b]", "O'Brien"})
        EXPECT_TRUE(ValidateUserName(QString::fromUtf8(input)).Ok()) << input;
    EXPECT_EQ(ValidateUserName(QStringLiteral("  Taro  ")).Name, QStringLiteral("Taro"));
}

// These have a Shift-JIS form, but it reads back as another character, so two different names
// could become one on disk. The look-alikes they turn into are kept as they are.
TEST(UserName, RefusesCharactersThatComeBackChangedAndNamesThem) {
    for (const char* character : {"¥", "〜", "−", "—", "‾", "¢", "£", "¬", "\U0001F600"}) {
        const QString refused = QString::fromUtf8(character);
        const TNameCheck check = ValidateUserName(QStringLiteral("Taro") + refused + "san");
        ASSERT_FALSE(check.Ok()) << character;
        EXPECT_TRUE(check.Error->contains(QStringLiteral("「") + refused + QStringLiteral("」")))
            << check.Error->toStdString();
        EXPECT_TRUE(check.Error->endsWith(QStringLiteral(": ") + refused))
            << check.Error->toStdString();
    }
    for (const char* name : {"～", "－", "―", "￠", "￡", "￢", "\\", "~"})
        EXPECT_TRUE(ValidateUserName(QString::fromUtf8(name)).Ok()) << name;
}
