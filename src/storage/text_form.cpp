// The file form of a list of lines. NUL, CR and LF never occur inside a CP932 character, so the
// text may be cut at them before or after conversion alike.
#include "storage/text_form.h"

#include <algorithm>
#include <string_view>

#include "storage/cp932.h"

namespace text_form {
namespace {

// A last line without an end counts; an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        lines.emplace_back(text.substr(at, end - at));
        at = end;
        if (at < text.size() && text[at] == '\r') ++at;
        if (at < text.size() && text[at] == '\n') ++at;
    }
    return lines;
}

}  // namespace

std::vector<std::uint8_t> Encode(const std::vector<std::string>& lines) {
    cp932::TEncoder encoder;
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!encoder.Append(lines[i], text)) throw TUnencodableLine(i);
        text += "\r\n";
    }
    return {text.begin(), text.end()};
}

std::optional<std::vector<std::string>> Decode(const std::vector<std::uint8_t>& bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    text = text.substr(0, text.find('\0'));
    const auto utf8 = cp932::ToUtf8(text);
    if (!utf8) return std::nullopt;
    return SplitLines(*utf8);
}

std::optional<std::size_t> NulBeforeEnd(const std::vector<std::uint8_t>& bytes) {
    const auto nul = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    if (std::all_of(nul, bytes.end(), [](std::uint8_t byte) { return byte == 0; }))
        return std::nullopt;
    return static_cast<std::size_t>(nul - bytes.begin());
}

std::size_t LineOfOffset(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::size_t line = 1;
    const std::size_t end = std::min(offset, bytes.size());
    for (std::size_t i = 0; i < end; ++i) {
        const bool crBeforeLf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if ((bytes[i] == '\r' && !crBeforeLf) || bytes[i] == '\n') ++line;
    }
    return line;
}

}  // namespace text_form
