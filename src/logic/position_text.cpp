// Reading and writing position texts.
#include "logic/position_text.h"

#include <cstdio>

std::optional<TMatrix> MatrixFromText(std::string_view text, std::string& error) {
    if (text.size() != 81) {
        error = "expected 81 characters, got " + std::to_string(text.size());
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= '0' && c <= '9') continue;
        char shown[16];
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            std::snprintf(shown, sizeof shown, "'%c'", c);
        } else {
            std::snprintf(shown, sizeof shown, "byte 0x%02X", c);
        }
        error = "character " + std::to_string(i + 1) + " is " + shown + ", not a digit 0-9";
        return std::nullopt;
    }
    TMatrix matrix;
    for (int i = 0; i < 81; ++i) {
        const int digit = text[i] - '0';
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
