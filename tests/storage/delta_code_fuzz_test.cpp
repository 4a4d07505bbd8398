// Thousands of damaged containers (cut short, bits flipped, headers that lie, bytes appended)
// must decode cleanly or fail cleanly: no crash, no hang, no allocation beyond what the file
// can hold. This program is also built with AddressSanitizer and UBSan.
#include <gtest/gtest.h>

#include <string>

#include "logic/random.h"
#include "storage/delta_code.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Encoded(TRandom& random, int size, int spread) {
    TDeltaCode codec;
    codec.DataStream().resize(size);
    for (auto& byte : codec.DataStream())
        byte = static_cast<std::uint8_t>(random.Below(spread));
    codec.Encode();
    return codec.CodeStream();
}

void SetU32(Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// One random damage; the recorded length is often made to match, so the decoder gets past its
// first checks and into the header and the code stream.
void Damage(TRandom& random, Bytes& file) {
    switch (random.Below(5)) {
        case 0:
            file.resize(random.Below(static_cast<int>(file.size()) + 1));
            break;
        case 1:
            for (int flips = random.Between(1, 8); flips > 0; --flips)
                file[random.Below(static_cast<int>(file.size()))] ^= 1 << random.Below(8);
            break;
        case 2: {  // a lying header field: N, H, class-number width or a class width
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
        default:
            file[random.Below(static_cast<int>(file.size()))] =
                static_cast<std::uint8_t>(random.Below(256));
            break;
    }
    if (file.size() >= 8 && random.Below(4) != 0)
        SetU32(file, 4, static_cast<std::uint32_t>(file.size()));
}

TEST(DeltaCodeFuzz, DamagedContainersFailCleanly) {
    TRandom random(20261208);
    int decoded = 0;
    for (int round = 0; round < 4000; ++round) {
        Bytes file = Encoded(random, random.Below(600), random.Between(1, 256));
        for (int damages = random.Between(1, 3); damages > 0 && file.size() > 0; --damages)
            Damage(random, file);

        TDeltaCode codec;
        codec.CodeStream() = file;
        if (codec.Decode()) {
            ++decoded;
            ASSERT_GE(file.size(), 33u);
            const std::uint32_t plainLength =
                file[8] | file[9] << 8 | file[10] << 16 | file[11] << 24;
            EXPECT_EQ(codec.DataStream().size(), plainLength);
        } else {
            EXPECT_FALSE(codec.LastError().empty());
        }
        // At most 8 plain bytes per stored byte: every code word takes at least 2 bits.
        EXPECT_LE(codec.DataStream().capacity(), 8 * file.size()) << "round " << round;
    }
    EXPECT_GT(decoded, 0) << "some damage (reserved bytes, the padding) still decodes";
}

}  // namespace
