// A small writer of one-line JSON: objects, arrays, keys, integers, booleans, null and strings.
// Separators are ", " and ": "; strings are escaped so that any bytes give valid, plain ASCII
// JSON text: well-formed UTF-8 comes out as \uXXXX escapes of its characters (a surrogate pair
// beyond U+FFFF), any other byte outside ASCII as \u00XX, one per byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TJsonWriter {
  public:
    TJsonWriter& BeginObject();
    TJsonWriter& EndObject();
    TJsonWriter& BeginArray();
    TJsonWriter& EndArray();
    // The next value belongs to this key of the open object.
    TJsonWriter& Key(std::string_view name);
    TJsonWriter& Int(long long value);
    TJsonWriter& Bool(bool value);
    TJsonWriter& Null();
    TJsonWriter& String(std::string_view value);

    const std::string& Text() const { return text_; }

  private:
    // Writes the comma before a value or key when it is not the first of its container.
    void Separate();
    void Open(char bracket);
    void Close(char bracket);

    std::string text_;
    std::vector<bool> hasItems_;  // one per open container
    bool afterKey_ = false;
};
