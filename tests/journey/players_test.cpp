// Players and their progress: the data-file line, moves along the road and checkpoint drawing.
#include <gtest/gtest.h>

#include <set>

#include "journey/comma_text.h"
#include "journey/date_time.h"
#include "journey/same_user.h"
#include "journey/senkaro_user.h"
#include "logic/random.h"

namespace {

TSenkaroUser MakeUser(const QString& name, int level, int station, const QString& checkpoints,
                      int character) {
    TSenkaroUser user;
    user.Name = name;
    user.Level = level;
    user.Station = station;
    user.Checkpoints = checkpoints;
    user.Updated = *date_time::Parse(QStringLiteral("2026/12/08 9:05:07"));
    user.Character = character;
    return user;
}

}  // namespace

TEST(CommaText, QuotesWhatNeedsIt) {
    EXPECT_EQ(comma_text::Join({"1", "", "a b", "x,y", "say \"hi\"", "z"}),
              QStringLiteral("1,,\"a b\",\"x,y\",\"say \"\"hi\"\"\",z"));
}

TEST(CommaText, SplitsAtCommasAndBlanksOutsideQuotes) {
    const QStringList cases[][2] = {
        {{"1,,\"a b\",\"x,y\",\"say \"\"hi\"\"\",z"}, {"1", "", "a b", "x,y", "say \"hi\"", "z"}},
        {{"a b,c"}, {"a", "b", "c"}},
        {{"  a ,  b  "}, {"a", "b"}},
        {{"a,"}, {"a", ""}},
        {{""}, {}},
        {{"\"unclosed"}, {"unclosed"}},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(comma_text::Split(input[0]), expected) << input[0].toStdString();
}

TEST(DateTime, WritesShortDateAndLongTime) {
    const auto value = date_time::Parse(QStringLiteral("2026/12/08 9:05:07"));
    ASSERT_TRUE(value);
    EXPECT_EQ(date_time::Format(*value), QStringLiteral("2026/12/08 9:05:07"));
    EXPECT_EQ(date_time::Format(*date_time::Parse(QStringLiteral("1899/12/30 0:00:00"))),
              QStringLiteral("1899/12/30 0:00:00"));
    EXPECT_DOUBLE_EQ(*date_time::Parse(QStringLiteral("1899/12/31")), 1.0);
    EXPECT_DOUBLE_EQ(*date_time::Parse(QStringLiteral("1900/1/1 12:00")), 2.5);
}

TEST(DateTime, ReadsLeniently) {
    const QString expected = QStringLiteral("2026/03/04 5:06:00");
    for (const char* text :
         {"2026/3/4 5:06", "2026-03-04 05:06:00", "2026/03/04 5:6:0", " 2026/3/4 5:06 "})
        EXPECT_EQ(date_time::Format(*date_time::Parse(QString::fromUtf8(text))), expected) << text;
    for (const char* text : {"", "yesterday", "2026/13/01", "2026/02/30", "2026/1/1 25:00", "1/2"})
        EXPECT_FALSE(date_time::Parse(QString::fromUtf8(text))) << text;
}

TEST(DateTime, NowRoundTripsToTheSecond) {
    const QDateTime moment = QDateTime::currentDateTime();
    const auto back = date_time::ToQDateTime(date_time::FromQDateTime(moment));
    EXPECT_LE(std::abs(back.secsTo(moment)), 1);
}

TEST(SenkaroUser, LineHasTheStoredForm) {
    EXPECT_EQ(MakeUser("たろう", 1, 12, "3,7,52", 4).ToText(),
              QStringLiteral("たろう=1,12,\"3,7,52\",\"2026/12/08 9:05:07\",4"));
    EXPECT_EQ(MakeUser("Ann", 0, 0, "", 0).ToText(),
              QStringLiteral("Ann=0,0,,\"2026/12/08 9:05:07\",0"));
}

TEST(SenkaroUser, RoundTripsThroughItsLine) {
    const TSenkaroUser users[] = {
        MakeUser("山田 花子", 2, 54, "1,2,3,4,5,6,7,8,52", 8),
        MakeUser("O\"Brien", 0, 0, "", 0),
        MakeUser("髙﨑①", 1, 30, "5,10,15,20,25,30,35,40,45,48,50,52", 3),
    };
    for (const TSenkaroUser& user : users) {
        TSenkaroUser back;
        EXPECT_TRUE(back.FromText(user.ToText()));
        ExpectSameUser(back, user);
    }
}

TEST(SenkaroUser, ReadsMalformedLinesWithoutFailing) {
    TSenkaroUser user;
    EXPECT_FALSE(user.FromText(QStringLiteral("no equals sign")));
    EXPECT_EQ(user.Name, QStringLiteral("no equals sign"));
    EXPECT_EQ(user.Level, 0);

    EXPECT_FALSE(user.FromText(QStringLiteral("Bob=1,2,3")));
    EXPECT_EQ(user.Name, QStringLiteral("Bob"));
    EXPECT_EQ(user.Level, 0);
    EXPECT_EQ(user.Station, 0);

    // Four items: no character item; the rest is read.
    EXPECT_TRUE(user.FromText(QStringLiteral("Bob=1,20,\"3,52\",\"2026/01/02 3:04:05\"")));
    EXPECT_EQ(user.Level, 1);
    EXPECT_EQ(user.Station, 20);
    EXPECT_EQ(user.Checkpoints, QStringLiteral("3,52"));
    EXPECT_EQ(date_time::Format(user.Updated), QStringLiteral("2026/01/02 3:04:05"));
    EXPECT_EQ(user.Character, 0);

    // An unreadable date keeps every other field.
    EXPECT_TRUE(user.FromText(QStringLiteral("Bob=2,7,\"3,52\",someday,6")));
    EXPECT_EQ(user.Level, 2);
    EXPECT_EQ(user.Station, 7);
    EXPECT_EQ(user.Updated, 0);
    EXPECT_EQ(user.Character, 6);

    // Non-numbers read as 0; a name with "=" is cut at its first "=".
    EXPECT_TRUE(user.FromText(QStringLiteral("a=b=x,y,,\"2026/1/1 0:00:00\",z")));
    EXPECT_EQ(user.Name, QStringLiteral("a"));
    EXPECT_EQ(user.Level, 0);
    EXPECT_EQ(user.Station, 0);
}

TEST(SenkaroUser, MovesAlongTheRoad) {
    TSenkaroUser user = MakeUser("a", 0, 53, "5,52", 0);
    user.Updated = 0;
    user.Advance();
    EXPECT_EQ(user.Station, 54);
    EXPECT_GT(user.Updated, 40000);
    user.Advance();
    EXPECT_EQ(user.Station, 54);

    user.Station = 0;
    user.StepBack();
    EXPECT_EQ(user.Station, 0);

    user.Station = 5;  // a checkpoint: no step back, but the time is set
    user.Updated = 0;
    user.StepBack();
    EXPECT_EQ(user.Station, 5);
    EXPECT_GT(user.Updated, 40000);

    user.Station = 6;
    user.StepBack();
    EXPECT_EQ(user.Station, 5);
}

TEST(SenkaroUser, CheckpointsSkipWhatIsNoNumber) {
    const TSenkaroUser user = MakeUser("a", 0, 0, "3,x,-2,7, 52", 0);
    EXPECT_EQ(user.GetCheckpoints(), (std::vector<int>{3, 7, 52}));
    EXPECT_TRUE(MakeUser("a", 0, 0, "", 0).GetCheckpoints().empty());
}

TEST(SenkaroUsers, AddFindsExactNamesOnly) {
    TSenkaroUsers users;
    EXPECT_EQ(users.Add("Taro"), 0);
    EXPECT_EQ(users.Add("taro"), 1);
    EXPECT_EQ(users.Add("Taro"), 0);
    EXPECT_EQ(users.Count(), 2);
    EXPECT_GT(users.Items(1).Updated, 40000);
}

TEST(SenkaroUsers, StringsKeepEveryLine) {
    TSenkaroUsers users;
    users.FromStrings(
        {"a=0,1,,\"2026/1/1 0:00:00\",2", "broken", "c=2,3,\"1,52\",\"2026/1/1 0:00:00\",7"});
    ASSERT_EQ(users.Count(), 3);
    EXPECT_EQ(users.Items(1).Name, QStringLiteral("broken"));
    EXPECT_EQ(users.Items(2).Character, 7);
    TSenkaroUsers again;
    again.FromStrings(users.ToStrings());
    ASSERT_EQ(again.Count(), 3);
    for (int i = 0; i < 3; ++i)
        ExpectSameUser(again.Items(i), users.Items(i));
}

TEST(Journey, CheckpointsPerLevel) {
    TRandom random(1234);
    for (int level = 0; level < 3; ++level) {
        for (int trial = 0; trial < 500; ++trial) {
            const std::vector<int> stations = DrawCheckpoints(level, random);
            ASSERT_EQ(static_cast<int>(stations.size()), 15 - 3 * level);
            EXPECT_GE(stations.front(), 1);
            EXPECT_EQ(stations.back(), 52);
            for (std::size_t i = 1; i < stations.size(); ++i)
                ASSERT_LT(stations[i - 1], stations[i]);
        }
    }
    // Out-of-range levels from a damaged file still give a journey.
    EXPECT_EQ(DrawCheckpoints(7, random).size(), 9u);
    EXPECT_EQ(DrawCheckpoints(-1, random).size(), 15u);
}

TEST(Journey, CheckpointsVaryAndReachEveryStation) {
    TRandom random(99);
    std::set<int> seen;
    for (int trial = 0; trial < 3000; ++trial)
        for (const int s : DrawCheckpoints(2, random))
            seen.insert(s);
    EXPECT_EQ(seen.size(), 52u);  // 1..52
}

TEST(Journey, NewJourneyStartsAtTheNextLevel) {
    TSenkaroUser user = MakeUser("a", 0, 54, "4,52", 2);
    StartNewJourney(user);
    EXPECT_EQ(user.Level, 1);
    EXPECT_EQ(user.Station, 0);
    EXPECT_TRUE(user.Checkpoints.isEmpty());
    EXPECT_EQ(user.Character, 2);
    EXPECT_FALSE(CharacterBelongsToLevel(user.Character, user.Level));
    EXPECT_TRUE(CharacterBelongsToLevel(5, 1));
    EXPECT_EQ(CheckpointText({3, 7, 52}), QStringLiteral("3,7,52"));
}
