// The players in the data file: loading, saving, other sections kept, many players, and lines
// that are no player kept as they were.
#include <gtest/gtest.h>

#include "journey/same_user.h"
#include "journey/senkaro_user.h"
#include "storage/compress_string_list.h"
#include "storage/data_file.h"
#include "storage/storage_test_support.h"

namespace {

TSenkaroUser Player(int i) {
    TSenkaroUser user;
    user.Name = QStringLiteral("旅人 %1 \"q\"").arg(i);
    user.Level = i % 3;
    user.Station = i % 55;
    user.Checkpoints = i % 2 ? QStringLiteral("3,9,52") : QString();
    user.Updated = *date_time::Parse(
        QStringLiteral("2026/12/08 %1:%2:%3").arg(i % 24).arg(i % 60).arg((i * 7) % 60));
    user.Character = 3 * user.Level + i / 3 % 3;  // one of the level's three
    return user;
}

}  // namespace

TEST(PlayersFile, MissingFileLeavesTheListAlone) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    TSenkaroUsers users;
    users.Add(QStringLiteral("keep"));
    EXPECT_FALSE(users.LoadFromFile(folder.Path("senkaro.ini"), kUsersSection, reporter));
    EXPECT_EQ(users.Count(), 1);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(folder.Names().empty());
}

TEST(PlayersFile, AThousandPlayersComeBackEqual) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    const std::string path = folder.Path("senkaro.ini");
    TSenkaroUsers users;
    for (int i = 0; i < 1000; ++i) {
        users.Add(Player(i).Name);
        users.Items(i) = Player(i);
    }
    EXPECT_TRUE(users.SaveToFile(path, kUsersSection, reporter));

    TSenkaroUsers loaded;
    EXPECT_TRUE(loaded.LoadFromFile(path, kUsersSection, reporter));
    ASSERT_EQ(loaded.Count(), 1000);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(loaded.Items(i).Name, users.Items(i).Name);
        ExpectSameUser(loaded.Items(i), users.Items(i));
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(PlayersFile, OtherSectionsSurviveASave) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    const std::string path = folder.Path("senkaro.ini");
    {
        TDataFile file(path, reporter);
        file.WriteSection("userdata", QStringList{"old=0,0,,\"2026/1/1 0:00:00\",0"});
        file.WriteSection("settings", QStringList{"sound=on"});
        file.Close();
    }
    TSenkaroUsers users;
    ASSERT_TRUE(users.LoadFromFile(path, kUsersSection, reporter));
    ASSERT_EQ(users.Count(), 1);
    users.Items(users.Add(QStringLiteral("新人"))).Station = 4;
    users.SaveToFile(path, kUsersSection, reporter);

    TDataFile file(path, reporter);
    QStringList settings, players;
    file.ReadSection("settings", settings);
    file.ReadSection("userdata", players);
    EXPECT_EQ(settings, QStringList{"sound=on"});
    ASSERT_EQ(players.size(), 2);
    EXPECT_TRUE(players[1].startsWith(QStringLiteral("新人=0,4,,")));
}

// Hand-edited lines: one that does not read whole and a name in both sections stay in the file
// as they were at every save; the player is told once, the message naming them.
TEST(PlayersFile, LinesNotUnderstoodAreToldOnceAndKeptAtEverySave) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    const std::string path = folder.Path("senkaro.ini");
    const std::string cut = "Bob=1,20,3,52\",\"2026/01/02 3:04:05\",4";
    const std::string again = "a=2,9,,\"2026/01/01 0:00:00\",6";
    {
        TCompressStringList handMade(reporter);
        handMade.Lines() = {
            "[userdata]", "a=0,3,,\"2026/01/01 0:00:00\",0", cut, "[other]", "x=1", "[userdata]",
            again};
        ASSERT_EQ(handMade.SaveToFile(path), 0);
    }
    TSenkaroUsers users;
    ASSERT_TRUE(users.LoadFromFile(path, kUsersSection, reporter));
    ASSERT_EQ(users.Count(), 1);
    EXPECT_EQ(users.Items(0).Station, 3);
    ASSERT_EQ(reporter.messages.size(), 1u);
    // Japanese naming the lines, a blank line, English naming them again.
    const std::string& message = reporter.messages[0];
    const std::size_t english = message.find("\r\n\r\nThese lines of [userdata] in " + path);
    ASSERT_NE(english, std::string::npos) << message;
    for (const std::string& part : {message.substr(0, english), message.substr(english)})
        EXPECT_NE(part.find("\r\n  " + cut + "\r\n  " + again), std::string::npos) << part;

    users.Items(users.Add(QStringLiteral("new"))).Station = 4;
    for (int save = 0; save < 2; ++save)
        ASSERT_TRUE(users.SaveToFile(path, kUsersSection, reporter));
    EXPECT_EQ(reporter.messages.size(), 1u) << "told once";
    TCompressStringList written(reporter);
    ASSERT_TRUE(written.LoadFromFile(path));
    EXPECT_EQ(written.Lines(), (std::vector<std::string>{"[other]", "x=1", "[userdata]",
                                                         "a=0,3,,\"2026/01/01 0:00:00\",0", cut,
                                                         again, written.Lines().back()}));
    EXPECT_EQ(written.Lines().back().rfind("new=0,4,", 0), 0u);
}

TEST(PlayersFile, OtherSectionsAreReadInTheSameRead) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    const std::string path = folder.Path("senkaro.ini");
    {
        TDataFile file(path, reporter);
        file.WriteSection("userdata", QStringList{"a=0,0,,\"2026/1/1 0:00:00\",0"});
        file.WriteSection("records", QStringList{"r1", "r2"});
        file.Close();
    }
    TSenkaroUsers users;
    std::vector<std::string> records;
    ASSERT_TRUE(users.LoadFromFile(path, kUsersSection, reporter, [&](const TDataFile& file) {
        file.ReadSection("records", records);
    }));
    EXPECT_EQ(users.Count(), 1);
    EXPECT_EQ(records, (std::vector<std::string>{"r1", "r2"}));
}
