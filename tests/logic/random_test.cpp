// The program's random generator: reproducible from a seed, uniform over its range.
#include "logic/random.h"

#include <gtest/gtest.h>

#include <array>

TEST(Random, SameSeedGivesSameSequence) {
    TRandom a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const int x = a.Below(1000);
        EXPECT_EQ(x, b.Below(1000));
        differs |= x != c.Below(1000);
    }
    EXPECT_TRUE(differs);
}

TEST(Random, BelowStaysInRangeAndHitsEveryValue) {
    TRandom r(7);
    std::array<int, 9> seen{};
    for (int i = 0; i < 9000; ++i) {
        const int x = r.Below(9);
        ASSERT_GE(x, 0);
        ASSERT_LT(x, 9);
        ++seen[x];
    }
    for (const int count : seen)
        EXPECT_NEAR(count, 1000, 150);
    EXPECT_EQ(r.Below(1), 0);
    EXPECT_EQ(r.Below(0), 0);
    for (int i = 0; i < 100; ++i) {
        const int y = r.Between(-1, 1);
        EXPECT_TRUE(y >= -1 && y <= 1);
    }
}
