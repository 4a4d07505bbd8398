// Random damage to a container, as a failing disk or a careless edit would do it: cut short,
// bits flipped, header fields that lie, bytes appended, a byte overwritten, the check and its
// flag zeroed. The recorded length
// is often made to match, so the decoder gets past its first checks. Plain C++.
#pragma once

#include <cstdint>
#include <vector>

#include "logic/random.h"

inline void SetU32(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void DamageOnce(TRandom& random, std::vector<std::uint8_t>& file) {
    switch (random.Below(6)) {
        case 0:
            file.resize(random.Below(static_cast<int>(file.size()) + 1));
            break;
        case 1:
            for (int flips = random.Between(1, 8); flips > 0; --flips)
                file[random.Below(static_cast<int>(file.size()))] ^= 1 << random.Below(8);
            break;
        case 2: {  // a lying header field: N, H, class-number width or a class width
            if (file.size() < 23) break;
            const int field = random.Below(4);
            const auto value = static_cast<std::uint32_t>(random.Next());
            if (field == 0) SetU32(file, 8, random.Below(2) ? value : value % 4096);
            if (field == 1) file[16 + random.Below(2)] = static_cast<std::uint8_t>(value);
            if (field == 2) file[18] = static_cast<std::uint8_t>(value % 4);
            if (field == 3) file[19 + random.Below(4)] = static_cast<std::uint8_t>(value % 10);
            break;
        }
        case 3:
            for (int extra = random.Between(1, 64); extra > 0; --extra)
                file.push_back(static_cast<std::uint8_t>(random.Below(256)));
            break;
        case 4:
            file[random.Below(static_cast<int>(file.size()))] =
                static_cast<std::uint8_t>(random.Below(256));
            break;
        default:
            if (file.size() < 24) break;
            SetU32(file, 12, 0);
            file[23] = 0;
            break;
    }
    if (file.size() >= 8 && random.Below(4) != 0)
        SetU32(file, 4, static_cast<std::uint32_t>(file.size()));
}

// One to three damages.
inline void Damage(TRandom& random, std::vector<std::uint8_t>& file) {
    for (int damages = random.Between(1, 3); damages > 0 && !file.empty(); --damages)
        DamageOnce(random, file);
}
