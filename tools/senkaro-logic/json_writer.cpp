// One-line JSON text.
#include "json_writer.h"

#include <cstdio>
#include <optional>
#include <utility>

void TJsonWriter::Separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasItems_.empty()) {
        if (hasItems_.back()) text_ += ", ";
        hasItems_.back() = true;
    }
}

void TJsonWriter::Open(char bracket) {
    Separate();
    text_ += bracket;
    hasItems_.push_back(false);
}

void TJsonWriter::Close(char bracket) {
    hasItems_.pop_back();
    text_ += bracket;
}

TJsonWriter& TJsonWriter::BeginObject() {
    Open('{');
    return *this;
}

TJsonWriter& TJsonWriter::EndObject() {
    Close('}');
    return *this;
}

TJsonWriter& TJsonWriter::BeginArray() {
    Open('[');
    return *this;
}

TJsonWriter& TJsonWriter::EndArray() {
    Close(']');
    return *this;
}

TJsonWriter& TJsonWriter::Key(std::string_view name) {
    String(name);
    text_ += ": ";
    afterKey_ = true;
    return *this;
}

TJsonWriter& TJsonWriter::Int(long long value) {
    Separate();
    text_ += std::to_string(value);
    return *this;
}

TJsonWriter& TJsonWriter::Bool(bool value) {
    Separate();
    text_ += value ? "true" : "false";
    return *this;
}

TJsonWriter& TJsonWriter::Null() {
    Separate();
    text_ += "null";
    return *this;
}

namespace {

// The code point of the well-formed UTF-8 sequence at value[i] and its length, or nothing.
std::optional<std::pair<unsigned, std::size_t>> DecodeUtf8(std::string_view value, std::size_t i) {
    const auto byte = static_cast<unsigned char>(value[i]);
    std::size_t length = 0;
    unsigned code = 0, lowest = 0;
    if (byte >= 0xC2 && byte <= 0xDF) {
        length = 2, code = byte & 0x1Fu, lowest = 0x80;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        length = 3, code = byte & 0x0Fu, lowest = 0x800;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        length = 4, code = byte & 0x07u, lowest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + length > value.size()) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(value[i + k]);
        if ((next & 0xC0u) != 0x80u) return std::nullopt;
        code = code << 6 | (next & 0x3Fu);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    return std::pair{code, length};
}

void AppendEscape(std::string& text, unsigned unit) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", unit);
    text += escaped;
}

}  // namespace

TJsonWriter& TJsonWriter::String(std::string_view value) {
    Separate();
    text_ += '"';
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            AppendEscape(text_, byte);
        } else if (byte < 0x7F) {
            text_ += c;
        } else if (const auto decoded = DecodeUtf8(value, i)) {
            const auto [code, length] = *decoded;
            if (code < 0x10000) {
                AppendEscape(text_, code);
            } else {
                AppendEscape(text_, 0xD800 + ((code - 0x10000) >> 10));
                AppendEscape(text_, 0xDC00 + ((code - 0x10000) & 0x3FF));
            }
            i += length - 1;
        } else {
            AppendEscape(text_, byte);
        }
    }
    text_ += '"';
    return *this;
}
