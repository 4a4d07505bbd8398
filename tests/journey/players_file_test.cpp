// The players in the data file: loading, saving, other sections kept, many players.
#include <gtest/gtest.h>

#include "journey/same_user.h"
#include "journey/senkaro_user.h"
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
