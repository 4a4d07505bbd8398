// CRC-32 as zip and PNG use it (reflected polynomial 0xEDB88320, start and final XOR all ones):
// "123456789" gives 0xCBF43926, and no bytes give 0. Plain C++.
#pragma once

#include <cstddef>
#include <cstdint>

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size);
