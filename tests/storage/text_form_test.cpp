// The text form of the lines: line ends, the NUL stop, CP932 without silent replacement, and the
// sections that keep only their last lines.
#include "storage/text_form.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using Lines = std::vector<std::string>;

Lines Read(const std::string& bytes) {
    const auto lines = text_form::Decode(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    return lines.value_or(Lines{"<not CP932>"});
}

std::string Written(const Lines& lines) {
    const auto bytes = text_form::Encode(lines);
    return std::string(bytes.begin(), bytes.end());
}

TEST(TextForm, LineEnds) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {std::string("a\r\nb\0c\r\n", 8), {"a", "b"}},
        {std::string("\0\x81", 2), {}},  // what follows the NUL is not even looked at
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.bytes), c.lines) << c.bytes;
}

// Where the text stops before its end: only a NUL with text after it counts.
TEST(TextForm, NulBeforeEndIsTheFirstNulWithTextAfterIt) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        std::optional<std::size_t> at;
    } cases[] = {
        {"a\r\nb\r\n"s, std::nullopt},
        {""s, std::nullopt},
        {"a\r\n\0"s, std::nullopt},
        {"a\r\n\0\0\0"s, std::nullopt},
        {"a\r\n\0b\r\n"s, 3},
        {"a\0\0\0\0b"s, 1},
        {"\0\0\r\n"s, 0},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes(c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(text_form::NulBeforeEnd(bytes), c.at) << c.bytes;
    }
}

TEST(TextForm, WritesCp932WithCrLf) {
    EXPECT_EQ(Written({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(Written({}), "");
    // 十 ends in 0x5C and ｶ is a single byte.
    EXPECT_EQ(Written({"十ｶ"}), "\x8F\x5C\xB6\r\n");
    const Lines japanese{"名前=0,12,\"3 7 15 30 52\",2026/12/08 9:05:01", "①Ⅱ～－髙﨑♪", "十\\"};
    EXPECT_EQ(Read(Written(japanese)), japanese);
}

TEST(TextForm, NeverReplacesWhatCp932CannotHold) {
    try {
        text_form::Encode({"ok", "絵文字 😀"});
        FAIL() << "an emoji was written";
    } catch (const text_form::TUnencodableLine& error) {
        EXPECT_EQ(error.Index(), 1u);
    }
    EXPECT_THROW(text_form::Encode({"\xFF broken UTF-8"}), text_form::TUnencodableLine);
    EXPECT_FALSE(text_form::Decode({'a', 0x81}));  // a lead byte without its trail byte
}

// Every section of the name counts, whatever the case of its header; the lines before the last
// ones are left out, empty ones among them, and all other lines are kept whole.
TEST(TextForm, ACappedSectionKeepsItsLastLines) {
    const std::string text =
        "top\r\n[Records]\r\nr1\r\n\r\nr2\r\n[userdata]\r\na=1\r\n[records]\r\nr3\r\n"
        "\r\nr4\r\n[x\r\nx1\r\n";
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    std::size_t dropped = 99;
    const auto lines = text_form::Decode(bytes, {{"records", 2}}, &dropped);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (Lines{"top", "[Records]", "[userdata]", "a=1", "[records]", "r3", "", "r4",
                             "[x", "x1"}));
    EXPECT_EQ(dropped, 3u);
    EXPECT_EQ(text_form::Decode(bytes, {{"records", 4}}, &dropped), text_form::Decode(bytes));
    EXPECT_EQ(dropped, 0u);
}

// A line left out is still read as CP932: bytes that are none make the text unreadable even
// there.
TEST(TextForm, ALineLeftOutMustStillBeCp932) {
    const std::string text = "[records]\r\nr1 \x81\r\nr2\r\n";
    EXPECT_FALSE(text_form::Decode({text.begin(), text.end()}, {{"records", 1}}));
}

TEST(TextForm, TheLineOfAnOffset) {
    const std::string text = "a\r\nb\rc\nd";
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    EXPECT_EQ(text_form::LineOfOffset(bytes, 0), 1u);
    EXPECT_EQ(text_form::LineOfOffset(bytes, 2), 1u);  // the LF of a CR LF
    EXPECT_EQ(text_form::LineOfOffset(bytes, 3), 2u);
    EXPECT_EQ(text_form::LineOfOffset(bytes, 5), 3u);
    EXPECT_EQ(text_form::LineOfOffset(bytes, 7), 4u);
}

}  // namespace
