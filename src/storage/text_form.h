// The file form of a list of lines: CP932 bytes, every line followed by CR LF. Reading accepts
// CR, LF or CR LF as a line end and stops at a NUL byte; NUL bytes that only pad the end lose
// nothing, but one with text after it would cut that text off (see NulBeforeEnd). Lines in
// memory are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/section_caps.h"

namespace text_form {

// Thrown by Encode for a line that has no CP932 form (an emoji, for instance).
class TUnencodableLine : public std::runtime_error {
  public:
    explicit TUnencodableLine(std::size_t index)
        : std::runtime_error("line without a CP932 form"), index_(index) {}
    std::size_t Index() const { return index_; }

  private:
    std::size_t index_;
};

std::vector<std::uint8_t> Encode(const std::vector<std::string>& lines);

// The lines of the text; nothing when the bytes before the first NUL are not CP932.
std::optional<std::vector<std::string>> Decode(const std::vector<std::uint8_t>& bytes);

// The same without the body lines that the caps leave out (see section_caps.h); dropped, when
// given, tells how many lines were left out. Those lines are checked as CP932 but never
// converted or held.
std::optional<std::vector<std::string>> Decode(const std::vector<std::uint8_t>& bytes,
                                               const TSectionCaps& caps,
                                               std::size_t* dropped = nullptr);

// Where Decode stops before the text's end: the offset of the first NUL byte when a byte other
// than NUL follows it somewhere; nothing when the text has no NUL or ends in NULs alone.
std::optional<std::size_t> NulBeforeEnd(const std::vector<std::uint8_t>& bytes);

// The number, from 1, of the line that holds the byte at offset (CR, LF and CR LF end a line).
std::size_t LineOfOffset(const std::vector<std::uint8_t>& bytes, std::size_t offset);

}  // namespace text_form
