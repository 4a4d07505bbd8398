// Thousands of damaged containers must decode cleanly or fail cleanly: no crash, no hang, no
// allocation beyond what the file can hold, and never a decoded text other than the one that
// was written, since every container carries a check of its text. This program is also built
// with AddressSanitizer and UBSan.
#include <gtest/gtest.h>

#include <string>

#include "container_damage.h"
#include "logic/random.h"
#include "storage/delta_code.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomData(TRandom& random, int size, int spread) {
    Bytes data(static_cast<std::size_t>(size));
    for (auto& byte : data)
        byte = static_cast<std::uint8_t>(random.Below(spread));
    return data;
}

TEST(DeltaCodeFuzz, DamagedContainersFailCleanlyAndNeverGiveOtherData) {
    TRandom random(20261208);
    int decoded = 0;
    int refusedByTheCheck = 0;
    for (int round = 0; round < 4000; ++round) {
        TDeltaCode writer;
        writer.DataStream() = RandomData(random, random.Below(600), random.Between(1, 256));
        writer.Encode();
        Bytes file = writer.CodeStream();
        Damage(random, file);

        TDeltaCode codec;
        codec.CodeStream() = file;
        if (codec.Decode()) {
            ++decoded;
            ASSERT_GE(file.size(), 33u);
            EXPECT_EQ(codec.DataStream(), writer.DataStream()) << "round " << round;
        } else {
            EXPECT_FALSE(codec.LastError().empty());
            if (codec.LastError() == delta_code_error::kCheck) ++refusedByTheCheck;
        }
        // At most 8 plain bytes per stored byte: every code word takes at least 2 bits.
        EXPECT_LE(codec.DataStream().capacity(), 8 * file.size()) << "round " << round;
    }
    EXPECT_GT(decoded, 0) << "some damage (reserved bytes, the padding) still decodes";
    EXPECT_GT(refusedByTheCheck, 0) << "some damage decodes to other data and is caught";
}

}  // namespace
