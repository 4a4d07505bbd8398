// The round's rules without a window: the countdown under pauses, the judgement of the one
// move against the clock, and the rule for closing during a round. The clock is a number the
// test moves.
#include <gtest/gtest.h>

#include <cstdint>

#include <set>

#include "journey/round.h"
#include "journey/round_rules.h"
#include "logic/random.h"

namespace {

constexpr TMove kForced{4, 2, 7};

// A kind-1 round of a beginner (128 s) started at t = 1000.
struct RoundModelTest : ::testing::Test {
    TRound round;
    std::int64_t now = 1000;

    void StartRound(int kind = 1, int level = 0) {
        ASSERT_TRUE(round.BeginMaking(kind));
        round.Start(kForced, level, now);
    }
};

}  // namespace

TEST_F(RoundModelTest, StatesFollowMakingStartPauseAndTheJudgement) {
    EXPECT_EQ(round.State(), TRoundState::Idle);
    ASSERT_TRUE(round.BeginMaking(3));
    EXPECT_EQ(round.State(), TRoundState::Making);
    EXPECT_FALSE(round.BeginMaking(3));  // one puzzle at a time
    round.Abandon();
    EXPECT_EQ(round.State(), TRoundState::Idle);

    StartRound(6, 2);
    EXPECT_EQ(round.State(), TRoundState::Running);
    EXPECT_EQ(round.TimeLimit(), 1024000);
    EXPECT_EQ(round.ForcedMove(), kForced);
    EXPECT_FALSE(round.BeginMaking(1));  // not while a round runs
    EXPECT_TRUE(round.Pause(now));
    EXPECT_EQ(round.State(), TRoundState::Paused);
    EXPECT_FALSE(round.Judge(kForced, now));  // a hidden board takes no move
    round.Resume(now);
    EXPECT_EQ(round.Judge(kForced, now), TVerdict::Success);
    EXPECT_EQ(round.State(), TRoundState::Idle);
    EXPECT_FALSE(round.Judge(kForced, now));  // judged once
    round.FinishJudging();
    EXPECT_TRUE(round.BeginMaking(1));
}

TEST_F(RoundModelTest, MovesAreJudgedOnCellDigitAndTime) {
    struct Case {
        TMove move;
        std::int64_t after;
        TVerdict verdict;
    };
    const Case cases[] = {
        {kForced, 0, TVerdict::Success},        {kForced, 127999, TVerdict::Success},
        {{4, 2, 6}, 500, TVerdict::WrongMove},   // a wrong digit in the forced cell
        {{5, 2, 7}, 500, TVerdict::WrongMove},   // the digit in another cell
        {kForced, 128000, TVerdict::TimeOut},    // the limit itself
        {{5, 2, 7}, 900000, TVerdict::TimeOut},  // any move after the limit
    };
    for (const Case& c : cases) {
        TRound fresh;
        ASSERT_TRUE(fresh.BeginMaking(1));
        fresh.Start(kForced, 0, now);
        EXPECT_EQ(fresh.Judge(c.move, now + c.after), c.verdict) << c.after;
    }
}

TEST_F(RoundModelTest, TicksCountDownAndEndTheRoundAtTheLimit) {
    StartRound();
    EXPECT_EQ(round.Tick(now + 1600).RemainingMs, 126400);
    EXPECT_EQ(round.NextTickDelay(now + 1600), 400);  // when the caption shows 2:06
    EXPECT_EQ(round.NextTickDelay(now + 2000), 1000);
    const TTick last = round.Tick(now + 128000);
    EXPECT_TRUE(last.TimedOut);
    EXPECT_EQ(last.RemainingMs, 0);
    EXPECT_EQ(round.State(), TRoundState::Idle);
    EXPECT_FALSE(round.Tick(now + 129000).TimedOut);  // ended once
}

TEST_F(RoundModelTest, AResumeAfterTheLimitEndsTheRound) {
    StartRound();
    ASSERT_TRUE(round.Pause(now + 128500));  // paused after the time ran out, before a tick
    EXPECT_TRUE(round.Resume(now + 200000).TimedOut);
    EXPECT_EQ(round.State(), TRoundState::Idle);
}

// A practice round counts up: no limit to run out, closing free, and the time it keeps stops at
// the day a record holds.
TEST_F(RoundModelTest, ARoundThatCountsUpNeverRunsOut) {
    constexpr std::int64_t kThirtyHours = 30LL * 3600 * 1000;
    ASSERT_TRUE(round.BeginMaking(0));
    round.StartCountingUp(kForced, now, 4);
    EXPECT_TRUE(round.CountsUp());
    EXPECT_EQ(round.AnswerTechnique(), 4);
    EXPECT_EQ(round.NextTickDelay(now + 1300), 700);  // when the caption shows 0:02
    EXPECT_FALSE(round.Tick(now + kThirtyHours).TimedOut);
    EXPECT_EQ(round.CloseRule(now + kThirtyHours, false), TCloseRule::Free);
    ASSERT_TRUE(round.Pause(now + kThirtyHours));
    EXPECT_FALSE(round.Resume(now + 2 * kThirtyHours).TimedOut);
    EXPECT_EQ(round.State(), TRoundState::Running);
    EXPECT_EQ(round.PlayedMs(now + 2 * kThirtyHours), TRound::kLongestPlayMs);
    EXPECT_EQ(round.Judge(kForced, now + 2 * kThirtyHours), TVerdict::Success);

    // A round that counts down after one that counted up has its limit again.
    round.FinishJudging();
    StartRound();
    EXPECT_FALSE(round.CountsUp());
    EXPECT_TRUE(round.Tick(now + 128000).TimedOut);
}

TEST(RoundRules, KindsByLevelAndStation) {
    struct Band {
        int level, fromStation, toStation;
        std::set<int> kinds;
    };
    const Band bands[] = {
        {0, 0, 1, {1}},          {0, 2, 5, {1, 2}},     {0, 6, 9, {1, 2, 3}},  {0, 10, 54, {2, 3}},
        {1, 0, 4, {1, 2, 3, 4}}, {1, 5, 54, {2, 3, 4}}, {2, 0, 54, {4, 5, 6}},
    };
    TRandom random(3);
    for (const Band& band : bands) {
        for (int station = band.fromStation; station <= band.toStation; ++station) {
            std::set<int> seen;
            for (int i = 0; i < 400; ++i)
                seen.insert(ChooseKind(band.level, station, random));
            EXPECT_EQ(seen, band.kinds) << "level " << band.level << " station " << station;
        }
    }
}

TEST(RoundRules, TimeLimits) {
    EXPECT_EQ(TimeLimitMs(1, 0), 128000);
    EXPECT_EQ(TimeLimitMs(3, 0), 512000);
    EXPECT_EQ(TimeLimitMs(1, 1), 64000);
    EXPECT_EQ(TimeLimitMs(4, 1), 512000);
    EXPECT_EQ(TimeLimitMs(4, 2), 256000);
    EXPECT_EQ(TimeLimitMs(6, 2), 1024000);
}

TEST(RoundRules, CountdownCaptions) {
    EXPECT_EQ(CountdownCaption(127400), QStringLiteral("2:07"));
    EXPECT_EQ(CountdownCaption(59999), QStringLiteral("59"));
    EXPECT_EQ(CountdownCaption(999), QStringLiteral("0"));
    EXPECT_EQ(CountdownCaption(1024000), QStringLiteral("17:04"));
    EXPECT_EQ(CountdownCaption(3723000), QStringLiteral("1:02:03"));
    EXPECT_EQ(CountdownCaption(0), QStringLiteral("0"));
    // Counting up, the minutes show from the start.
    EXPECT_EQ(ElapsedCaption(0), QStringLiteral("0:00"));
    EXPECT_EQ(ElapsedCaption(59999), QStringLiteral("0:59"));
    EXPECT_EQ(ElapsedCaption(61000), QStringLiteral("1:01"));
    EXPECT_EQ(ElapsedCaption(3723000), QStringLiteral("1:02:03"));
}
