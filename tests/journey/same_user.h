// Two player records are the same as the data file keeps them (the time to the second).
#pragma once

#include <gtest/gtest.h>

#include "journey/date_time.h"
#include "journey/senkaro_user.h"

inline void ExpectSameUser(const TSenkaroUser& a, const TSenkaroUser& b) {
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.Level, b.Level);
    EXPECT_EQ(a.Station, b.Station);
    EXPECT_EQ(a.Checkpoints, b.Checkpoints);
    EXPECT_EQ(date_time::Format(a.Updated), date_time::Format(b.Updated));
    EXPECT_EQ(a.Character, b.Character);
}
