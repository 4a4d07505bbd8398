// The mark by which the game knows the containers it wrote, and so whether a container's check
// applies. Plain C++.
//
// The format leaves bytes 12-15 and 23-31 of the header to the writer: readers ignore them, and
// any content is valid. The game writes the CRC-32 of the text at 12, the flag 1 at 23 and an
// eight-byte signature at 24. A container is checked when it carries that mark, also when damage
// has changed a few of its bytes: at least half of the signature still in place is enough, so
// neither zeroed check bytes nor a changed flag turn the check off. The game's files from before
// the signature (the flag 1 at 23 and zeros at 24-31) are checked too. Every other container is
// read unchecked, as the format says.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace container_mark {

inline constexpr std::size_t kCheckOffset = 12;
inline constexpr std::size_t kFlagOffset = 23;
inline constexpr std::size_t kSignatureOffset = 24;
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::uint8_t kFlag = 1;
// Eight different bytes, none of them 0, 0xFF or ASCII, so that neither zeros, a repeated
// filler nor text can match more than one of them.
inline constexpr std::array<std::uint8_t, 8> kSignature{0xB5, 0x8E, 0xD2, 0x9C,
                                                        0xE7, 0xA3, 0xC9, 0x86};

// Writes the mark and the check crc into a header of kHeaderSize bytes.
void Put(std::uint8_t* header, std::uint32_t crc);

// Whether the container whose header (kHeaderSize bytes) this is must pass its check.
bool Checked(const std::uint8_t* header);

// The check the header carries (bytes 12-15, little-endian).
std::uint32_t Check(const std::uint8_t* header);

}  // namespace container_mark
