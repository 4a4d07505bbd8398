// Reading and writing position texts. The text is read as UTF-8: a well-formed sequence is one
// character, any other byte one character of its own, so that a wrong character is counted and
// named as the reader sees it.
#include "logic/position_text.h"

#include <cstdio>
#include <vector>

namespace {

// One character of the text: its bytes, and its code point when they are well-formed UTF-8.
struct TCharacter {
    std::string_view bytes;
    std::optional<char32_t> codePoint;
};

// The length of the well-formed UTF-8 sequence at the start of `text`, with its code point
// (no overlong forms, no surrogates, at most U+10FFFF); nothing for any other start.
std::optional<std::pair<std::size_t, char32_t>> Utf8At(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return std::pair<std::size_t, char32_t>{1, lead};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length) return std::nullopt;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return std::nullopt;
    return std::pair{length, code};
}

std::vector<TCharacter> Characters(std::string_view text) {
    std::vector<TCharacter> characters;
    while (!text.empty()) {
        const auto sequence = Utf8At(text);
        const std::size_t length = sequence ? sequence->first : 1;
        characters.push_back(
            {text.substr(0, length), sequence ? std::optional(sequence->second) : std::nullopt});
        text.remove_prefix(length);
    }
    return characters;
}

// 'x' for printable ASCII, U+FF11 for any other character, byte 0xE3 for a stray byte.
std::string Shown(const TCharacter& c) {
    char shown[24];
    if (!c.codePoint) {
        std::snprintf(shown, sizeof shown, "byte 0x%02X", static_cast<unsigned char>(c.bytes[0]));
    } else if (*c.codePoint >= 0x20 && *c.codePoint < 0x7F && *c.codePoint != '"' &&
               *c.codePoint != '\\') {
        std::snprintf(shown, sizeof shown, "'%c'", static_cast<char>(*c.codePoint));
    } else {
        std::snprintf(shown, sizeof shown, "U+%04X", static_cast<unsigned>(*c.codePoint));
    }
    return shown;
}

bool IsDigitCharacter(const TCharacter& c) {
    return c.codePoint && *c.codePoint >= '0' && *c.codePoint <= '9';
}

}  // namespace

std::optional<TMatrix> MatrixFromText(std::string_view text, std::string& error) {
    const std::vector<TCharacter> characters = Characters(text);
    if (characters.size() != 81) {
        error = "expected 81 characters, got " + std::to_string(characters.size());
        return std::nullopt;
    }
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (IsDigitCharacter(characters[i])) continue;
        error = "character " + std::to_string(i + 1) + " is " + Shown(characters[i]) +
                ", not a digit 0-9";
        return std::nullopt;
    }
    TMatrix matrix;
    for (int i = 0; i < 81; ++i) {
        const int digit = text[static_cast<std::size_t>(i)] - '0';
        if (digit != 0) matrix.SetValue(i % 9, i / 9, digit);
    }
    return matrix;
}

std::string PositionText(const TMatrix& matrix) {
    std::string text(81, '0');
    for (int i = 0; i < 81; ++i)
        text[i] = static_cast<char>('0' + matrix.ValueAt(i));
    return text;
}
