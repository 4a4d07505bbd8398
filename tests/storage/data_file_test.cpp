// The sectioned data file: section lookup, erasing and writing, the save decision of Close,
// the backup, a file that cannot be read being kept rather than overwritten, and saves that
// fail being told.
#include "storage/data_file.h"
#include "storage/section_caps.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFileInfo>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "container_damage.h"
#include "storage/delta_code.h"
#include "storage_test_support.h"

namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

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
    EXPECT_EQ(Section(file, "userdata"), (Lines{"a=1", "b=2", "second"}))
        << "a section that occurs twice is read from both";
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

TEST_F(DataFileTest, ASectionTwiceIsWrittenBackAsOne) {
    TDataFile file = WithLines({"[userdata]", "a=1", "[other]", "x", "[USERDATA]", "b=2"});
    Lines body;
    file.ReadSection("userdata", body);
    file.WriteSection("userdata", body);
    EXPECT_EQ(file.Lines(), (Lines{"[other]", "x", "[userdata]", "a=1", "b=2"}));
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

class DataFileBackupTest : public DataFileTest {
  protected:
    void Save(const Lines& body, TFileSystem& files = SystemFileSystem()) {
        TDataFile file(path, reporter, SystemDriveTypes(), files);
        file.WriteSection("userdata", body);
        EXPECT_EQ(file.Close(), 0);
    }
    Lines Read(const std::string& name) {
        TCompressStringList list(reporter);
        EXPECT_TRUE(list.LoadFromFile(name)) << name;
        return list.Lines();
    }
    bool Mentions(std::size_t message, const std::string& text) const {
        return message < reporter.messages.size() &&
               reporter.messages[message].find(text) != std::string::npos;
    }
    std::string Folder() const {
        return QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
    }
    Lines ReadOrNothing(const std::string& name) {
        TRecordingReporter quiet;
        TCompressStringList list(quiet);
        return list.LoadFromFile(name) ? list.Lines() : Lines{"<unreadable>"};
    }
    static void WriteContainer(const std::string& name, const std::string& text) {
        TDeltaCode codec;
        codec.DataStream().assign(text.begin(), text.end());
        codec.Encode();
        WriteBytes(name, codec.CodeStream());
    }

    const Lines first{"[userdata]", "a=1"};
    const Lines second{"[userdata]", "a=2", "b=0"};
};

TEST_F(DataFileBackupTest, EverySaveKeepsTheFileBeforeItAsTheBackup) {
    Save({"a=1"});
    EXPECT_FALSE(std::filesystem::exists(path + ".bak"));
    Save({"a=2", "b=0"});
    EXPECT_EQ(Read(path + ".bak"), first);
    EXPECT_EQ(Read(path), second);
    EXPECT_TRUE(reporter.messages.empty());
}

// Whatever made the data file unreadable, the players come back from the backup and nothing
// is lost: a copy of the unreadable file is kept, and the restored file is written over it
// before the player is told, so a game killed while the message is up loses nothing.
TEST_F(DataFileBackupTest, AnUnreadableFileIsSetAsideAndTheBackupRestored) {
    const std::map<std::string, std::function<void()>> damages{
        {"a byte of the text changed",
         [&] {
             Bytes bytes = ReadBytes(path);
             bytes[32] ^= 1;
             WriteBytes(path, bytes);
         }},
        {"no container",
         [&] {
             WriteBytes(path, {'x', 'y'});
         }},
        {"a NUL inside the text", [&] { WriteContainer(path, "[userdata]\r\na=2\r\n\0b=0\r\n"s); }},
        {"a FIFO", [&] { std::filesystem::remove(path), ::mkfifo(path.c_str(), 0600); }},
        {"a folder",
         [&] { std::filesystem::remove(path), std::filesystem::create_directory(path); }},
    };
    for (const auto& [what, damage] : damages) {
        Save({"a=1"});
        Save({"a=2", "b=0"});
        damage();
        reporter.messages.clear();
        std::vector<Lines> whileShown;
        reporter.whileShown = [&] { whileShown.push_back(ReadOrNothing(path)); };
        {
            TDataFile file(path, reporter);
            EXPECT_TRUE(file.RestoredFromBackup()) << what;
            Lines body;
            file.ReadSection("userdata", body);
            EXPECT_EQ(body, Lines{"a=1"}) << what;
            EXPECT_EQ(file.Close(), 0) << what;
        }
        reporter.whileShown = nullptr;
        ASSERT_EQ(reporter.messages.size(), 1u) << what;
        EXPECT_TRUE(Mentions(0, "kept as " + path + ".damaged")) << what;
        EXPECT_TRUE(Mentions(0, "restored from the backup " + path + ".bak")) << what;
        EXPECT_EQ(whileShown, std::vector<Lines>{first}) << "written before the message: " << what;
        EXPECT_EQ(Read(path), first) << what;
        EXPECT_EQ(Read(path + ".bak"), first) << "the backup is left as it was: " << what;
        std::filesystem::remove_all(path + ".damaged");
        std::filesystem::remove(path + ".bak");
    }
}

TEST_F(DataFileBackupTest, AnUnreadableBackupIsSetAsideToo) {
    WriteBytes(path, {'x'});
    WriteBytes(path + ".bak", {'y'});
    TDataFile file(path, reporter);
    EXPECT_FALSE(file.RestoredFromBackup());
    EXPECT_TRUE(file.Lines().empty());
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(ReadBytes(path + ".damaged"), Bytes{'x'});
    EXPECT_EQ(ReadBytes(path + ".bak.damaged"), Bytes{'y'});
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_TRUE(Mentions(1, "kept as " + path + ".bak.damaged"));
}

TEST_F(DataFileBackupTest, AFileThatCannotBeSetAsideIsNotOverwritten) {
    WriteBytes(path, {'x'});
    TFaultyFileSystem readOnlyFolder(TFaultyFileSystem::TCall::Rename, EACCES);
    TDataFile file(path, reporter, SystemDriveTypes(), readOnlyFolder);
    file.WriteSection("userdata", Lines{"a=1"});
    EXPECT_EQ(file.Close(), EACCES);
    EXPECT_EQ(ReadBytes(path), Bytes{'x'});
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_TRUE(Mentions(0, "nothing was saved"));
    EXPECT_TRUE(Mentions(0, "in the folder " + Folder()));
}

TEST_F(DataFileBackupTest, AFailedSaveIsToldWithTheFolderAndKeepsTheOldFiles) {
    using TCall = TFaultyFileSystem::TCall;
    Save({"a=1"});
    Save({"a=2", "b=0"});
    const Bytes before = ReadBytes(path);
    // A full disk, and a file that another user owns in a folder with the sticky bit (EPERM,
    // which is also the number 1).
    for (const auto& [call, error] : {std::pair{TCall::Write, ENOSPC}, {TCall::Rename, EPERM}}) {
        reporter.messages.clear();
        TFaultyFileSystem files(call, error);
        TDataFile file(path, reporter, SystemDriveTypes(), files);
        file.WriteSection("userdata", Lines{"a=3"});
        EXPECT_EQ(file.Close(), error);
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(Read(path + ".bak"), first);
        ASSERT_EQ(reporter.messages.size(), 1u) << error;
        EXPECT_TRUE(Mentions(0, "could not be saved in the folder " + Folder()));
        EXPECT_TRUE(Mentions(0, std::strerror(error)));
    }
}

// A start reads the file and closes it: nothing is written, so the backups stay as they were.
TEST_F(DataFileBackupTest, ClosingWithTheLinesAsLoadedWritesNothing) {
    Save({"a=1"});
    Save({"a=2", "b=0"});
    const auto inode = [](const std::string& name) {
        struct stat status {};
        EXPECT_EQ(::stat(name.c_str(), &status), 0) << name;
        return status.st_ino;
    };
    const auto before = std::pair{inode(path), inode(path + ".bak")};
    {
        TDataFile file(path, reporter);
        Lines body;
        file.ReadSection("userdata", body);
        EXPECT_EQ(file.Close(), 0);
    }
    Save({"a=2", "b=0"});  // the same lines written again
    EXPECT_EQ((std::pair{inode(path), inode(path + ".bak")}), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".bak2"));
    EXPECT_EQ(TDataFile(folder.Path("new.ini"), reporter).Close(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("new.ini"))) << "no lines, no file";
}

// A section capped at open loses its oldest lines, so the file no longer holds what was read:
// Close writes the lines kept, every other section whole, and the file as it was becomes the
// backup. The next open of that file reads it unchanged and writes nothing.
TEST_F(DataFileBackupTest, ACappedSectionIsCutAtOpenAndWrittenBack) {
    Lines original{"[userdata]", "a=1", "[records]"};
    for (int i = 0; i < 10; ++i)
        original.push_back("r" + std::to_string(i));
    original.insert(original.end(), {"[other]", "o1"});
    {
        TCompressStringList list(reporter);
        list.Lines() = original;
        ASSERT_EQ(list.SaveToFile(path), 0);
    }
    const TSectionCaps caps{{"records", 3}};
    const Lines kept{"[userdata]", "a=1", "[records]", "r7", "r8", "r9", "[other]", "o1"};
    TDataFile file(path, reporter, SystemDriveTypes(), SystemFileSystem(), caps);
    EXPECT_EQ(file.Lines(), kept);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(Read(path), kept);
    EXPECT_EQ(Read(path + ".bak"), original);
    std::filesystem::remove(path + ".bak");
    EXPECT_EQ(TDataFile(path, reporter, SystemDriveTypes(), SystemFileSystem(), caps).Close(), 0);
    EXPECT_FALSE(std::filesystem::exists(path + ".bak")) << "a file already cut is not written";
    EXPECT_TRUE(reporter.messages.empty());
}

// A cap applies to the sections of its name in any case; a data file given none keeps all.
TEST_F(DataFileTest, CapsApplyToTheirSectionsWhateverTheCase) {
    {
        TCompressStringList list(reporter);
        list.Lines() = {"[declared cap]", "1", "2", "3"};
        ASSERT_EQ(list.SaveToFile(path), 0);
    }
    EXPECT_EQ(
        TDataFile(path, reporter, SystemDriveTypes(), SystemFileSystem(), {{"Declared Cap", 1}})
            .Lines(),
        (Lines{"[declared cap]", "3"}));
    EXPECT_EQ(TDataFile(path, reporter).Lines().size(), 4u);
}

// Two generations: the backup moves on to the older one only when it is a good file with other
// lines than the file that replaces it, so neither a damaged backup nor a copy of the data
// file pushes the last different good one out.
TEST_F(DataFileBackupTest, TwoGenerationsOfBackupsAreKept) {
    const Lines a{"[userdata]", "a=1"}, b{"[userdata]", "a=2"}, c{"[userdata]", "a=3"};
    Save({"a=1"});
    Save({"a=2"});
    Save({"a=3"});
    EXPECT_EQ(Read(path + ".bak"), b);
    EXPECT_EQ(Read(path + ".bak2"), a);

    WriteBytes(path + ".bak", {'x'});
    Save({"a=4"});
    EXPECT_EQ(Read(path + ".bak"), c);
    EXPECT_EQ(Read(path + ".bak2"), a) << "a damaged backup does not replace the older one";

    WriteBytes(path, {'x'});  // restored from the backup: file and backup hold c
    EXPECT_EQ(TDataFile(path, reporter).Close(), 0);
    Save({"a=5"});
    EXPECT_EQ(Read(path + ".bak"), c);
    EXPECT_EQ(Read(path + ".bak2"), a) << "a backup like the file does not replace the older one";
}

TEST_F(DataFileBackupTest, WhenTheBackupIsUnreadableTooTheOlderOneRestores) {
    Save({"a=1"});
    Save({"a=2"});
    Save({"a=3"});
    WriteBytes(path, {'x'});
    WriteBytes(path + ".bak", {'y'});
    TDataFile file(path, reporter);
    EXPECT_EQ(file.Lines(), first);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(Read(path), first);
    EXPECT_EQ(ReadBytes(path + ".bak.damaged"), Bytes{'y'});
    EXPECT_EQ(Read(path + ".bak2"), first);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_TRUE(Mentions(0, "restored from the backup " + path + ".bak2"));
    EXPECT_TRUE(Mentions(1, "kept as " + path + ".bak.damaged"));
}

// A save that something blocks names it and says what to do; the data file stays as it was.
TEST_F(DataFileBackupTest, WhatIsInTheWayOfASaveIsNamed) {
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        std::function<void()> block;
        TFaultyFileSystem files;
        std::string told;
    };
    const Case cases[] = {
        {"a folder named as the backup",
         [&] { fs::create_directory(path + ".bak"); },
         {},
         path + ".bak is in the way (a folder): move it elsewhere or rename it"},
        {"a folder named as the older backup",
         [&] { Save({"a=1"}), fs::create_directory(path + ".bak2"); },
         {},
         path + ".bak2 is in the way (a folder): move it elsewhere or rename it"},
        {"a full disk", [] {}, TFaultyFileSystem(TFaultyFileSystem::TCall::Write, ENOSPC),
         "The disk is full: make room on it."},
    };
    for (Case c : cases) {
        for (const std::string& name : folder.Names())
            fs::remove_all(folder.Path(name));
        Save({"a=0"});
        c.block();
        const Bytes before = ReadBytes(path);
        reporter.messages.clear();
        TDataFile file(path, reporter, SystemDriveTypes(), c.files);
        file.WriteSection("userdata", Lines{"a=9"});
        EXPECT_NE(file.Close(), 0) << c.what;
        EXPECT_EQ(ReadBytes(path), before) << c.what;
        ASSERT_EQ(reporter.messages.size(), 1u) << c.what;
        EXPECT_TRUE(Mentions(0, c.told)) << c.what << ": " << reporter.messages[0];
        EXPECT_TRUE(Mentions(0, "could not be saved in the folder " + Folder())) << c.what;
    }
}

// Files the game wrote, then damaged: each either loads with exactly the lines written or is
// refused (and would be set aside); none gives other lines.
TEST_F(DataFileBackupTest, DamagedFilesOfTheGameNeverLoadAsOtherText) {
    TRandom random(16);
    int refused = 0;
    for (int round = 0; round < 600; ++round) {
        for (const std::string& name : folder.Names())
            std::filesystem::remove(folder.Path(name));
        Lines body;
        for (int i = random.Between(0, 12); i > 0; --i)
            body.push_back("旅人" + std::to_string(random.Below(1000)) + "=" +
                           std::to_string(random.Below(3)) + "," +
                           std::to_string(random.Below(55)) +
                           ",\"3,9,52\",\"2026/12/08 9:05:07\"," + std::to_string(random.Below(9)));
        TDataFile written(path, reporter);
        written.WriteSection("userdata", body);
        ASSERT_EQ(written.Close(), 0);

        Bytes bytes = ReadBytes(path);
        Damage(random, bytes);
        WriteBytes(path, bytes);
        TCompressStringList loaded(reporter);
        if (!loaded.LoadFromFile(path)) {
            ++refused;
            continue;
        }
        Lines expected{"[userdata]"};
        expected.insert(expected.end(), body.begin(), body.end());
        ASSERT_EQ(loaded.Lines(), expected) << "round " << round;
    }
    EXPECT_GT(refused, 500);
}

}  // namespace
