#include "platform/clock.h"

#include <gtest/gtest.h>

#include <thread>

TEST(SystemClock, NeverGoesBackAndAdvances) {
    TSystemClock clock;
    const auto first = clock.NowMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto second = clock.NowMs();
    EXPECT_GE(second - first, 15);
}
