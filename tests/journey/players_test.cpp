// Players and their progress: the data-file line and its numbers brought into range, moves
// along the road, checkpoint drawing, and the players' section of the data file when saves
// fail or the section occurs twice. Also built with UBSan (players_sanitized).
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "journey/comma_text.h"
#include "journey/date_time.h"
#include "journey/same_user.h"
#include "journey/senkaro_user.h"
#include "logic/random.h"
#include "storage/compress_string_list.h"
#include "storage/storage_test_support.h"

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

// A line that does not read whole is no player: read as one, its next save would lose what
// could not be read.
TEST(SenkaroUser, ALineThatDoesNotReadWholeIsNoPlayer) {
    const char* const lines[] = {
        "no equals sign",
        "=1,20,\"3,52\",\"2026/01/02 3:04:05\",4",       // no name
        "Bob=1,20,\"3,52\"",                             // the date missing
        "Bob=1,\"3,52\",\"2026/01/02 3:04:05\",4",       // the station missing
        "Bob=1,20,3,52\",\"2026/01/02 3:04:05\",4",      // an opening quote missing
        "Bob=1,20,3\",\"2026/01/02 3:04:05\",4",         // the same, one checkpoint
        "Bob=1,20,\"3,52\",\"2026/01/02 3:04:05\",4,9",  // an item too many
        "Bob=1,,\"3,52\",\"2026/01/02 3:04:05\",4",      // the station empty
        "Bob=x,20,\"3,52\",\"2026/01/02 3:04:05\",4",    // the level no number
        "Bob=1,99999999999,,\"2026/01/02 3:04:05\",4",   // beyond any station
        "Bob=1,20,\"3,x,52\",\"2026/01/02 3:04:05\",4",  // a checkpoint no number
        "Bob=1,20,\"3,52\",someday,4",                   // a date that does not read
        "Bob=1,20,\"3,52\",\"2026/01/02 3:04:05\",",     // the character empty
        "a=b=1,20,,\"2026/01/02 3:04:05\",4",            // "=" in the name
    };
    for (const char* line : lines) {
        TSenkaroUser user;
        EXPECT_FALSE(user.FromText(QString::fromUtf8(line))) << line;
    }
}

TEST(SenkaroUser, AnOlderLineWithoutTheCharacterReadsWhole) {
    TSenkaroUser user;
    EXPECT_TRUE(user.FromText(QStringLiteral("Bob=1,20,\"3,52\",\"2026/01/02 3:04:05\"")));
    EXPECT_EQ(user.Name, QStringLiteral("Bob"));
    EXPECT_EQ(user.Level, 1);
    EXPECT_EQ(user.Station, 20);
    EXPECT_EQ(user.Checkpoints, QStringLiteral("3,52"));
    EXPECT_EQ(date_time::Format(user.Updated), QStringLiteral("2026/01/02 3:04:05"));
    EXPECT_EQ(user.Character, 3);  // the level's first
}

// Values from a damaged or edited file never reach the game out of range.
TEST(SenkaroUser, NumbersAreBroughtIntoRangeOnLoad) {
    struct Case {
        QStringList read;  // level, station, checkpoints, character as the line holds them
        int level;
        int station;
        const char* checkpoints;
        int character;
    };
    const Case cases[] = {
        {{"-100000", "5", "", "0"}, 0, 5, "", 0},
        {{"40", "5", "", "0"}, 2, 5, "", 0},
        {{"1", "-2147483648", "", "3"}, 1, 0, "", 3},
        {{"1", "2147483647", "", "3"}, 1, 54, "", 3},
        {{"0", "3", "0,3,54,99,-1,52", "1"}, 0, 3, "3,52", 1},
        {{"1", "3", "0,54", "4"}, 1, 3, "", 4},
        // Once the checkpoints are drawn the character is one of the level's three...
        {{"1", "3", "3,52", "100"}, 1, 3, "3,52", 5},
        {{"2", "3", "3,52", "-5"}, 2, 3, "3,52", 6},
        {{"1", "3", "3,52", "0"}, 1, 3, "3,52", 3},
        // ...before that it may be of the last journey: the next selection asks for a new one.
        {{"1", "0", "", "2"}, 1, 0, "", 2},
        {{"1", "0", "", "2147483647"}, 1, 0, "", 8},
        {{"1", "0", "", "-2147483648"}, 1, 0, "", 0},
    };
    for (const Case& c : cases) {
        const QString line = QStringLiteral("a=") +
                             comma_text::Join({c.read[0], c.read[1], c.read[2],
                                               QStringLiteral("2026/1/1 0:00:00"), c.read[3]});
        TSenkaroUser user;
        EXPECT_TRUE(user.FromText(line)) << line.toStdString();
        EXPECT_EQ(user.Level, c.level) << line.toStdString();
        EXPECT_EQ(user.Station, c.station) << line.toStdString();
        EXPECT_EQ(user.Checkpoints, QString::fromUtf8(c.checkpoints)) << line.toStdString();
        EXPECT_EQ(user.Character, c.character) << line.toStdString();
    }
}

TEST(SenkaroUser, NoMoveOverflowsWhateverTheValues) {
    struct Case {
        int station;
        int advanced;
        int steppedBack;
    };
    for (const Case c :
         {Case{INT_MIN, 1, 0}, Case{INT_MAX, 54, 53}, Case{-1, 1, 0}, Case{55, 54, 53}}) {
        TSenkaroUser user;
        user.Station = c.station;
        user.Advance();
        EXPECT_EQ(user.Station, c.advanced) << c.station;
        user.Station = c.station;
        user.StepBack();
        EXPECT_EQ(user.Station, c.steppedBack) << c.station;
    }
    TSenkaroUser user;
    for (const int level : {INT_MIN, -1, 1, 2, INT_MAX}) {
        user.Level = level;
        StartNewJourney(user);
        EXPECT_EQ(user.Level, level < 1 ? 1 : 2) << level;
    }
    for (const int level : {INT_MIN, -1, 3, INT_MAX / 3 + 1, INT_MAX}) {
        EXPECT_FALSE(CharacterBelongsToLevel(INT_MAX, level)) << level;
        EXPECT_FALSE(CharacterBelongsToLevel(INT_MIN, level)) << level;
    }
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
    users.FromStrings({"a=0,1,,\"2026/1/1 0:00:00\",2", "c=2,3,\"1,52\",\"2026/1/1 0:00:00\",7"});
    ASSERT_EQ(users.Count(), 2);
    EXPECT_EQ(users.Items(1).Character, 7);
    TSenkaroUsers again;
    again.FromStrings(users.ToStrings());
    ASSERT_EQ(again.Count(), 2);
    for (int i = 0; i < 2; ++i)
        ExpectSameUser(again.Items(i), users.Items(i));
}

// Lines that are no player, and a name that comes again, are not offered and come back as they
// were, in their places; a player added later goes after them.
TEST(SenkaroUsers, LinesThatAreNoPlayerComeBackAsTheyWere) {
    const QStringList lines = {
        "broken",
        "a=0,1,,\"2026/01/01 0:00:00\",2",
        "Bob=1,20,3,52\",\"2026/01/02 3:04:05\",4",
        "a=2,9,,\"2026/01/01 0:00:00\",6",
        "c=2,3,\"1,52\",\"2026/01/01 0:00:00\",7",
        "",
        "d=1,,,\"2026/01/01 0:00:00\",3",
    };
    TSenkaroUsers users;
    users.FromStrings(lines);
    ASSERT_EQ(users.Count(), 2);
    EXPECT_EQ(users.Items(0).Name, QStringLiteral("a"));
    EXPECT_EQ(users.Items(0).Station, 1) << "the first line of a name is the player";
    EXPECT_EQ(users.Items(1).Name, QStringLiteral("c"));
    EXPECT_EQ(users.NotUnderstood(), (QStringList{lines[0], lines[2], lines[3], lines[6]}));
    QStringList expected = lines;
    expected.removeAt(5);  // an empty line is dropped
    EXPECT_EQ(users.ToStrings(), expected);

    users.Add(QStringLiteral("e"));
    EXPECT_TRUE(users.ToStrings().last().startsWith(QStringLiteral("e=0,0,,")));
    EXPECT_EQ(users.ToStrings().mid(0, expected.size()), expected);
    users.FromStrings(users.ToStrings());
    EXPECT_EQ(users.Count(), 3);
    users.Clear();
    EXPECT_TRUE(users.ToStrings().isEmpty());
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

// A save that fails is told once, not at every round, and told again once saving has worked.
TEST(PlayersFile, AFailingSaveIsToldOnceAndAgainAfterASuccess) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    const std::string path = folder.Path("senkaro.ini");
    TSenkaroUsers users;
    users.Add(QStringLiteral("Taro"));
    ASSERT_TRUE(users.SaveToFile(path, kUsersSection, reporter));
    const Bytes saved = ReadBytes(path);

    TFaultyFileSystem fullDisk(TFaultyFileSystem::TCall::Write, ENOSPC);
    EXPECT_TRUE(users.LoadFromFile(path, kUsersSection, reporter, fullDisk));
    for (int round = 0; round < 3; ++round) {
        users.Items(0).Advance();
        EXPECT_FALSE(users.SaveToFile(path, kUsersSection, reporter, fullDisk));
    }
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find(folder.Path("")), std::string::npos)
        << "the message names the folder: " << reporter.messages[0];
    EXPECT_EQ(ReadBytes(path), saved);

    EXPECT_TRUE(users.SaveToFile(path, kUsersSection, reporter));
    users.Items(0).Advance();
    EXPECT_FALSE(users.SaveToFile(path, kUsersSection, reporter, fullDisk));
    EXPECT_EQ(reporter.messages.size(), 2u);
}

TEST(PlayersFile, PlayersOfASectionThatOccursTwiceAreAllKept) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    const std::string path = folder.Path("senkaro.ini");
    TCompressStringList handMade(reporter);
    handMade.Lines() = {"[userdata]", "a=0,3,,\"2026/1/1 0:00:00\",0", "[other]", "x=1",
                        "[userdata]", "b=1,7,,\"2026/1/1 0:00:00\",4"};
    ASSERT_EQ(handMade.SaveToFile(path), 0);

    TSenkaroUsers users;
    ASSERT_TRUE(users.LoadFromFile(path, kUsersSection, reporter));
    ASSERT_EQ(users.Count(), 2);
    EXPECT_EQ(users.Items(1).Station, 7);
    ASSERT_TRUE(users.SaveToFile(path, kUsersSection, reporter));
    TCompressStringList written(reporter);
    ASSERT_TRUE(written.LoadFromFile(path));
    EXPECT_EQ(written.Lines(), (std::vector<std::string>{"[other]", "x=1", "[userdata]",
                                                         "a=0,3,,\"2026/01/01 0:00:00\",0",
                                                         "b=1,7,,\"2026/01/01 0:00:00\",4"}));
    TSenkaroUsers again;
    ASSERT_TRUE(again.LoadFromFile(path, kUsersSection, reporter));
    EXPECT_EQ(again.Count(), 2);
}

TEST(PlayersFile, ADamagedFileGivesThePlayersOfTheBackup) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    const std::string path = folder.Path("senkaro.ini");
    TSenkaroUsers users;
    users.Add(QStringLiteral("Taro"));
    ASSERT_TRUE(users.SaveToFile(path, kUsersSection, reporter));
    users.Items(users.Add(QStringLiteral("Hanako"))).Station = 9;
    ASSERT_TRUE(users.SaveToFile(path, kUsersSection, reporter));
    Bytes damaged = ReadBytes(path);
    damaged.back() ^= 0x40;
    WriteBytes(path, damaged);

    TSenkaroUsers loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path, kUsersSection, reporter));
    ASSERT_EQ(loaded.Count(), 1) << "the players of the save before";
    EXPECT_EQ(loaded.Items(0).Name, QStringLiteral("Taro"));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("restored from the backup"), std::string::npos);
    EXPECT_EQ(ReadBytes(path + ".damaged"), damaged);
}
