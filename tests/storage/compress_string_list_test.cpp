// Saving and loading the container file: messages, permissions, folders, and saves that fail
// without touching the old file.
#include "storage/compress_string_list.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "storage/delta_code.h"
#include "storage_test_support.h"

namespace {

namespace fs = std::filesystem;

class CompressStringListTest : public ::testing::Test {
  protected:
    TCompressStringList Saved(const std::vector<std::string>& lines) {
        TCompressStringList list(reporter);
        list.Lines() = lines;
        EXPECT_EQ(list.SaveToFile(path), 0);
        return list;
    }

    std::vector<std::string> Loaded() {
        TCompressStringList list(reporter);
        EXPECT_TRUE(list.LoadFromFile(path));
        return list.Lines();
    }

    TScratchFolder folder;
    std::string path = folder.Path("data.ini");
    TRecordingReporter reporter;
};

TEST_F(CompressStringListTest, RoundTripsJapaneseLines) {
    const std::vector<std::string> lines{"[userdata]", "山田=0,12,\"3 7 52\",2026/12/08 9:05:01,1",
                                         ""};
    Saved(lines);
    EXPECT_EQ(Loaded(), lines);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(CompressStringListTest, MissingAndUndecodableFilesLeaveTheLines) {
    TCompressStringList list(reporter);
    list.Lines() = {"kept"};
    EXPECT_FALSE(list.LoadFromFile(path));
    EXPECT_EQ(reporter.messages, std::vector<std::string>{path + " がありません"});

    WriteBytes(path, {'B', 'D', 'C', '1', 0, 0});
    EXPECT_FALSE(list.LoadFromFile(path));
    EXPECT_EQ(list.Lines(), std::vector<std::string>{"kept"});
    EXPECT_EQ(reporter.messages.size(), 1u) << "an undecodable file is not reported";
}

// A text that passes its check but holds a NUL before its end would lose the lines after it at
// the next save: it is not read. NULs that only pad the end lose nothing.
TEST_F(CompressStringListTest, ANulWithTextAfterItMakesTheFileUnreadable) {
    using namespace std::string_literals;
    const struct {
        std::string text;
        bool read;
    } cases[] = {
        {"[userdata]\r\na=1\r\n\0b=2\r\n"s, false},
        {"\0[userdata]\r\na=1\r\n"s, false},
        {"[userdata]\r\na=1\r\n\0\0"s, true},
    };
    for (const auto& c : cases) {
        TDeltaCode codec;
        codec.DataStream().assign(c.text.begin(), c.text.end());
        codec.Encode();
        WriteBytes(path, codec.CodeStream());
        TCompressStringList list(reporter);
        EXPECT_EQ(list.LoadFromFile(path), c.read) << c.text;
        if (c.read) {
            EXPECT_EQ(list.Lines(), (std::vector<std::string>{"[userdata]", "a=1"}));
        }
    }
}

TEST_F(CompressStringListTest, EmptyNameIsErrorOne) {
    TCompressStringList list(reporter);
    EXPECT_EQ(list.SaveToFile(""), 1);
}

TEST_F(CompressStringListTest, ReadOnlyFileIsReplacedAndStaysReadOnly) {
    Saved({"old"});
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    Saved({"new"});
    EXPECT_EQ(Loaded(), std::vector<std::string>{"new"});
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::group_read);
}

TEST_F(CompressStringListTest, MissingFoldersAreMade) {
    path = folder.Path("a/b/c/data.ini");
    Saved({"deep"});
    EXPECT_EQ(Loaded(), std::vector<std::string>{"deep"});
}

TEST_F(CompressStringListTest, UnencodableLineFailsAndLeavesTheFile) {
    Saved({"old"});
    const Bytes before = ReadBytes(path);
    TCompressStringList list(reporter);
    list.Lines() = {"fine", "smile 😀"};
    EXPECT_EQ(list.SaveToFile(path), EILSEQ);
    EXPECT_EQ(ReadBytes(path), before);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("Line 2 of " + path), std::string::npos);
}

// A failure in the middle of writing (here: a file size limit) must leave the old file whole
// and no temporary file behind.
TEST_F(CompressStringListTest, FailedWriteLeavesTheOldFile) {
    Saved({"old"});
    const Bytes before = ReadBytes(path);

    std::vector<std::string> big(2000, "this line makes the file far larger than the limit");
    TCompressStringList list(reporter);
    list.Lines() = big;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const int result = list.SaveToFile(path);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_NE(result, 0);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"data.ini"});
}

TEST_F(CompressStringListTest, UnwritableFolderFailsWithTheSystemError) {
    WriteBytes(folder.Path("plain"), {'x'});
    path = folder.Path("plain/data.ini");  // a folder that is a file
    TCompressStringList list(reporter);
    EXPECT_NE(list.SaveToFile(path), 0);
    EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
