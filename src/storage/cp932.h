// Conversion between the UTF-8 text the program keeps in memory and the CP932 (Shift-JIS) bytes
// of the files on disk. Nothing is ever replaced silently: text that has no CP932 form, and
// bytes that are not CP932, give no result.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cp932 {

class TEncoder {
  public:
    TEncoder();
    ~TEncoder();
    TEncoder(const TEncoder&) = delete;
    TEncoder& operator=(const TEncoder&) = delete;

    // Appends the CP932 form of utf8 to out; false (out then of no use) when utf8 is not valid
    // UTF-8 or holds a character CP932 cannot store.
    bool Append(std::string_view utf8, std::string& out);

  private:
    void* handle_;
};

// The UTF-8 form of pieces of CP932 text converted one at a time (the lines of a file), with
// one converter for all.
class TDecoder {
  public:
    TDecoder();
    ~TDecoder();
    TDecoder(const TDecoder&) = delete;
    TDecoder& operator=(const TDecoder&) = delete;

    // Appends the UTF-8 form of bytes to out; false (out then of no use) when they are not
    // valid CP932.
    bool Append(std::string_view bytes, std::string& out);
    // Whether bytes are valid CP932, converted through a small buffer and not kept.
    bool Valid(std::string_view bytes);

  private:
    void* handle_;
};

// The UTF-8 form of CP932 bytes; nothing when they are not valid CP932.
std::optional<std::string> ToUtf8(std::string_view bytes);

}  // namespace cp932
