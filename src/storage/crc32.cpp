// CRC-32, eight bytes per step ("slicing by 8"): table k gives the CRC of a byte followed by k
// zero bytes, so eight table look-ups replace eight dependent steps. The tables are built at
// compile time; the tail of fewer than eight bytes goes one byte per step.
#include "storage/crc32.h"

#include <array>

namespace {

using TTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr TTables MakeTables() {
    TTables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t value = byte;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) != 0 ? 0xEDB88320u ^ (value >> 1) : value >> 1;
        tables[0][byte] = value;
    }
    for (std::size_t k = 1; k < 8; ++k)
        for (std::size_t byte = 0; byte < 256; ++byte)
            tables[k][byte] = tables[0][tables[k - 1][byte] & 0xFF] ^ (tables[k - 1][byte] >> 8);
    return tables;
}

constexpr TTables kTables = MakeTables();

std::uint32_t Word(const std::uint8_t* at) {
    return at[0] | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (; size >= 8; data += 8, size -= 8) {
        const std::uint32_t low = crc ^ Word(data);
        const std::uint32_t high = Word(data + 4);
        crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^
              kTables[5][(low >> 16) & 0xFF] ^ kTables[4][low >> 24] ^ kTables[3][high & 0xFF] ^
              kTables[2][(high >> 8) & 0xFF] ^ kTables[1][(high >> 16) & 0xFF] ^
              kTables[0][high >> 24];
    }
    for (; size > 0; ++data, --size)
        crc = kTables[0][(crc ^ *data) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}
