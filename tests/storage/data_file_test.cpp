// The sectioned data file: section lookup, erasing and writing, the save decision of Close,
// and a file that cannot be read being kept rather than overwritten.
#include "storage/data_file.h"

#include <gtest/gtest.h>

#include <map>

#include "storage_test_support.h"

namespace {

using Lines = std::vector<std::string>;

class TFakeDriveTypes final : public TDriveTypes {
  public:
    TDriveType DriveType(char letter) const override {
        asked += letter;
        const auto found = types.find(letter);
        return found == types.end() ? TDriveType::NoRootDir : found->second;
    }
    std::map<char, TDriveType> types;
    mutable std::string asked;
};

class DataFileTest : public ::testing::Test {
  protected:
    // A data file whose lines are given, without touching the disk.
    TDataFile WithLines(const Lines& lines) {
        TDataFile file("", reporter);
        file.Lines() = lines;
        return file;
    }

    Lines Section(const TDataFile& file, const std::string& name) {
        Lines lines{"stale"};
        file.ReadSection(name, lines);
        return lines;
    }

    TScratchFolder folder;
    std::string path = folder.Path("senkaro.ini");
    TRecordingReporter reporter;
};

TEST_F(DataFileTest, ReadSectionFindsHeadersByWholeLineIgnoringCase) {
    const TDataFile file =
        WithLines({"loose line", "[UserData] ", "trailing blank", "[UserData]", "a=1", "", "b=2",
                   "[broken", "after", "[userdata]", "second"});
    EXPECT_EQ(Section(file, "userdata"), (Lines{"a=1", "b=2"}));
    EXPECT_EQ(Section(file, "missing"), Lines{});
    EXPECT_EQ(Section(file, "broken"), Lines{}) << "a header must close with ]";
}

TEST_F(DataFileTest, WriteSectionMovesItToTheEndAndKeepsEmptyLines) {
    TDataFile file = WithLines({"top", "[userdata]", "old", "[other]", "x"});
    file.WriteSection("userdata", Lines{"a=1", "", "b=2"});
    EXPECT_EQ(file.Lines(), (Lines{"top", "[other]", "x", "[userdata]", "a=1", "", "b=2"}));
    file.WriteSection("userdata", Lines{});
    EXPECT_EQ(file.Lines(), (Lines{"top", "[other]", "x", "[userdata]"}));
    file.EraseSection("nothing");
    file.EraseSection("OTHER");
    EXPECT_EQ(file.Lines(), (Lines{"top", "[userdata]"}));
}

TEST_F(DataFileTest, QStringListSectionsConvert) {
    TDataFile file = WithLines({});
    file.WriteSection("userdata", QStringList{"名前=1", ""});
    QStringList lines{"stale"};
    file.ReadSection("userdata", lines);
    EXPECT_EQ(lines, QStringList{"名前=1"});
}

TEST_F(DataFileTest, SaveDecisionAsksTheDriveOnlyForDriveLetters) {
    TFakeDriveTypes drives;
    drives.types = {{'a', TDriveType::Removable}, {'c', TDriveType::Fixed},
                    {'n', TDriveType::Remote},    {'d', TDriveType::CdRom},
                    {'r', TDriveType::RamDisk},   {'u', TDriveType::Unknown}};
    const std::map<std::string, bool> cases{{"A:\\senkaro.ini", true},
                                            {"c:senkaro.ini", true},
                                            {"N:\\x", true},
                                            {"D:\\senkaro.ini", false},
                                            {"r:\\senkaro.ini", false},
                                            {"u:\\x", false},
                                            {"z:\\senkaro.ini", false},
                                            {"senkaro.ini", true},
                                            {"\\\\server\\share\\x", true},
                                            {"1:x", true},
                                            {"c", true},
                                            {"", false}};
    for (const auto& [name, saved] : cases) {
        const TDataFile file(name, reporter, drives);
        EXPECT_EQ(file.SaveAllowed(), saved) << name;
    }
    EXPECT_EQ(drives.asked, "adncruz");
}

TEST_F(DataFileTest, OpenWriteCloseKeepsOtherSections) {
    {
        TDataFile file(path, reporter);
        EXPECT_TRUE(file.Lines().empty());
        file.WriteSection("other", Lines{"kept"});
        file.WriteSection("userdata", Lines{"a=1"});
        file.Close();
    }
    TDataFile file(path, reporter);
    file.WriteSection("other", Lines{"changed"});
    file.Close();
    EXPECT_EQ(TDataFile(path, reporter).Lines(),
              (Lines{"[userdata]", "a=1", "[other]", "changed"}));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(DataFileTest, UnreadableFileIsKeptAsideBeforeSaving) {
    const Bytes damaged{'B', 'D', 'C', '1', 9, 9, 9, 9};
    WriteBytes(path, damaged);
    WriteBytes(path + ".damaged", {'x'});  // an earlier one is not overwritten either

    TDataFile file(path, reporter);
    Lines lines{"stale"};
    file.ReadSection("userdata", lines);
    EXPECT_TRUE(lines.empty());
    file.Close();

    EXPECT_EQ(ReadBytes(path + ".damaged2"), damaged);
    EXPECT_EQ(ReadBytes(path + ".damaged"), Bytes{'x'});
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("kept as " + path + ".damaged2"), std::string::npos);
    EXPECT_TRUE(TDataFile(path, reporter).Lines().empty()) << "the new file is readable";
    EXPECT_EQ(reporter.messages.size(), 1u);
}

}  // namespace
