// One-line JSON text.
#include "json_writer.h"

#include <cstdio>

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

TJsonWriter& TJsonWriter::String(std::string_view value) {
    Separate();
    text_ += '"';
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            text_ += escaped;
        } else {
            text_ += c;
        }
    }
    text_ += '"';
    return *this;
}
