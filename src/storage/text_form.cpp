// The file form of a list of lines. NUL, CR and LF never occur inside a CP932 character, so the
// text may be cut at them before or after conversion alike: it is checked whole, then split and
// converted a line at a time, so that no UTF-8 copy of the whole text is ever made.
#include "storage/text_form.h"

#include <algorithm>
#include <string_view>

#include "storage/cp932.h"
#include "storage/section_header.h"

namespace text_form {
namespace {

// Calls visit with every line of text, its end left off; a last line without an end counts, and
// an empty text has no lines. Stops, false, when visit returns false.
template <typename TVisit>
bool ForEachLine(std::string_view text, TVisit&& visit) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        if (!visit(text.substr(at, end - at))) return false;
        at = end;
        if (at < text.size() && text[at] == '\r') ++at;
        if (at < text.size() && text[at] == '\n') ++at;
    }
    return true;
}

// Follows the sections of a text line by line: which capped section a line belongs to.
class TCapTracker {
  public:
    TCapTracker(const TSectionCaps& caps, cp932::TDecoder& decoder)
        : caps_(caps), decoder_(decoder) {}

    // The cap the body line belongs to, or -1 for a header or a line of no capped section.
    int Follow(std::string_view line) {
        if (StartsSection(line)) {
            current_ = CapOf(line);
            return -1;
        }
        return current_;
    }

  private:
    int CapOf(std::string_view header) {
        std::string utf8;
        if (!decoder_.Append(header, utf8)) return -1;
        for (std::size_t i = 0; i < caps_.size(); ++i)
            if (IsSectionHeader(utf8, caps_[i].Name)) return static_cast<int>(i);
        return -1;
    }

    const TSectionCaps& caps_;
    cp932::TDecoder& decoder_;
    int current_ = -1;
};

// For every cap, how many body lines that are not empty its sections hold beyond it.
std::vector<std::size_t> Excess(std::string_view text, const TSectionCaps& caps,
                                cp932::TDecoder& decoder) {
    std::vector<std::size_t> count(caps.size(), 0);
    if (caps.empty()) return count;
    TCapTracker tracker(caps, decoder);
    ForEachLine(text, [&](std::string_view line) {
        const int cap = tracker.Follow(line);
        if (cap >= 0 && !line.empty()) ++count[static_cast<std::size_t>(cap)];
        return true;
    });
    for (std::size_t i = 0; i < caps.size(); ++i)
        count[i] -= std::min(count[i], caps[i].LastLines);
    return count;
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
    return Decode(bytes, {});
}

std::optional<std::vector<std::string>> Decode(const std::vector<std::uint8_t>& bytes,
                                               const TSectionCaps& caps, std::size_t* dropped) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    text = text.substr(0, text.find('\0'));
    cp932::TDecoder decoder;
    if (!decoder.Valid(text)) return std::nullopt;
    std::vector<std::size_t> excess = Excess(text, caps, decoder);
    std::size_t left = 0;
    std::vector<std::string> lines;
    std::string utf8;
    TCapTracker tracker(caps, decoder);
    const bool whole = ForEachLine(text, [&](std::string_view line) {
        const int cap = tracker.Follow(line);
        if (cap >= 0 && excess[static_cast<std::size_t>(cap)] > 0) {
            if (!line.empty()) --excess[static_cast<std::size_t>(cap)];
            ++left;
            return true;
        }
        utf8.clear();
        if (!decoder.Append(line, utf8)) return false;
        lines.emplace_back(utf8);  // sized to the line, not to the converter's room
        return true;
    });
    if (!whole) return std::nullopt;
    if (dropped) *dropped = left;
    return lines;
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
