// The game's mark in the reserved header bytes of a container, and the decision to check.
#include "storage/container_mark.h"

#include <algorithm>

namespace container_mark {
namespace {

constexpr int kEnoughSignatureBytes = 4;

}  // namespace

void Put(std::uint8_t* header, std::uint32_t crc) {
    for (int i = 0; i < 4; ++i)
        header[kCheckOffset + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    header[kFlagOffset] = kFlag;
    std::copy(kSignature.begin(), kSignature.end(), header + kSignatureOffset);
}

bool Checked(const std::uint8_t* header) {
    const std::uint8_t* const signature = header + kSignatureOffset;
    int inPlace = 0;
    for (std::size_t i = 0; i < kSignature.size(); ++i)
        inPlace += signature[i] == kSignature[i] ? 1 : 0;
    if (inPlace >= kEnoughSignatureBytes) return true;
    const bool zerosAfterFlag = std::all_of(signature, signature + kSignature.size(),
                                            [](std::uint8_t b) { return b == 0; });
    return header[kFlagOffset] == kFlag && zerosAfterFlag;
}

std::uint32_t Check(const std::uint8_t* header) {
    std::uint32_t crc = 0;
    for (int i = 3; i >= 0; --i)
        crc = crc << 8 | header[kCheckOffset + i];
    return crc;
}

}  // namespace container_mark
