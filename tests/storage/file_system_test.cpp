// Replacing a file whole or not at all, whatever call fails (a full disk, a read-only folder,
// a failing flush), with its permission bits from the first byte on and the old file kept as
// the backup; and reading only what is a regular file.
#include "storage/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "storage_test_support.h"

namespace {

namespace fs = std::filesystem;
using TCall = TFaultyFileSystem::TCall;

class FileSystemTest : public ::testing::Test {
  protected:
    mode_t Mode(const std::string& file) const {
        struct stat status {};
        EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
        return status.st_mode & 07777;
    }
    std::vector<std::string> SortedNames() const {
        std::vector<std::string> names = folder.Names();
        std::sort(names.begin(), names.end());
        return names;
    }

    TScratchFolder folder;
    std::string path = folder.Path("data.ini");
    std::string backup = path + ".bak";
    const Bytes older{'o', 'l', 'd', 'e', 'r'};
    const Bytes old{'o', 'l', 'd'};
    const Bytes fresh = Bytes(5000, 'n');
};

TEST_F(FileSystemTest, AnyFailingCallLeavesTheOldFileAndNoTemporaryFile) {
    struct Case {
        const char* what;
        TCall call;
        int error;
        int from;
        bool backupMade;  // the failure comes after the old file became the backup
    };
    const Case cases[] = {
        {"read-only folder", TCall::CreateNew, EACCES, 0, false},
        {"disk full while writing", TCall::Write, ENOSPC, 0, false},
        {"disk full seen at the flush", TCall::Sync, ENOSPC, 0, false},
        {"failing disk", TCall::Sync, EIO, 0, false},
        {"quota seen at the close", TCall::Close, EDQUOT, 0, false},
        {"backup cannot be renamed", TCall::Rename, EROFS, 0, false},
        {"new file cannot be renamed", TCall::Rename, EACCES, 1, true},
    };
    for (const Case& c : cases) {
        WriteBytes(path, old);
        WriteBytes(backup, older);
        TFaultyFileSystem files(c.call, c.error, c.from);
        EXPECT_EQ(ReplaceFile(files, path, fresh, backup), c.error) << c.what;
        EXPECT_EQ(ReadBytes(path), old) << c.what;
        EXPECT_EQ(ReadBytes(backup), c.backupMade ? old : older) << c.what;
        EXPECT_EQ(SortedNames(), (std::vector<std::string>{"data.ini", "data.ini.bak"})) << c.what;
    }
}

TEST_F(FileSystemTest, TheOldFileBecomesTheBackupByLinkOrByCopy) {
    for (const int linkError : {0, EPERM}) {
        WriteBytes(path, old);
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
        TFaultyFileSystem files(linkError ? TCall::Link : TCall::None, linkError);
        ASSERT_EQ(ReplaceFile(files, path, fresh, backup), 0) << linkError;
        EXPECT_EQ(ReadBytes(path), fresh);
        EXPECT_EQ(ReadBytes(backup), old) << linkError;
        EXPECT_EQ(Mode(backup), 0440u) << linkError;
        EXPECT_EQ(SortedNames(), (std::vector<std::string>{"data.ini", "data.ini.bak"}));
        fs::remove(path);
        fs::remove(backup);
    }
    // No old file, no backup.
    EXPECT_EQ(ReplaceFile(SystemFileSystem(), path, fresh, backup), 0);
    EXPECT_FALSE(fs::exists(backup));
}

// A kill between writing and renaming must not leave a read-only file writable: the new file
// has the old bits before a byte of it is flushed, and the old file's bits are never touched.
TEST_F(FileSystemTest, PermissionBitsAreTheFinalOnesFromTheStartAndNeverWidened) {
    WriteBytes(path, old);
    ::chmod(path.c_str(), 0440);
    TFaultyFileSystem killedBeforeRename(TCall::Rename, EINTR);
    EXPECT_NE(ReplaceFile(killedBeforeRename, path, fresh), 0);
    EXPECT_EQ(Mode(path), 0440u);
    EXPECT_EQ(killedBeforeRename.modesAtSync, std::vector<mode_t>{0440});

    TFaultyFileSystem files;
    ASSERT_EQ(ReplaceFile(files, path, fresh), 0);
    EXPECT_EQ(Mode(path), 0440u);
    EXPECT_EQ(files.modesAtSync, std::vector<mode_t>{0440});

    // Bits the umask would take away are kept exactly; a new file gets the umask's bits.
    ::chmod(path.c_str(), 0664);
    const mode_t savedMask = ::umask(022);
    EXPECT_EQ(ReplaceFile(files, path, fresh), 0);
    EXPECT_EQ(Mode(path), 0664u);
    const std::string other = folder.Path("new.ini");
    EXPECT_EQ(ReplaceFile(files, other, fresh), 0);
    ::umask(savedMask);
    EXPECT_EQ(Mode(other), 0644u);
}

TEST_F(FileSystemTest, ASymbolicLinkStaysAndItsTargetIsReplaced) {
    const std::string target = folder.Path("real/data.ini");
    fs::create_directories(folder.Path("real"));
    WriteBytes(target, old);
    fs::create_symlink(target, path);
    ASSERT_EQ(ReplaceFile(SystemFileSystem(), path, fresh, backup), 0);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(ReadBytes(target), fresh);
    EXPECT_EQ(ReadBytes(backup), old);
}

TEST_F(FileSystemTest, OnlyRegularFilesAreRead) {
    using TStatus = TReadResult::TStatus;
    WriteBytes(path, old);
    const std::string fifo = folder.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(folder.Path("folder"));
    const std::string link = folder.Path("link-to-fifo");
    fs::create_symlink(fifo, link);

    const TReadResult read = ReadRegularFile(path, 100);
    EXPECT_EQ(read.Status, TStatus::Read);
    EXPECT_EQ(read.Bytes, old);
    EXPECT_EQ(ReadRegularFile(path, 2).Status, TStatus::TooLarge);
    EXPECT_EQ(ReadRegularFile(folder.Path("missing"), 100).Status, TStatus::Missing);
    // Each of these would block or fail on opening; none is opened.
    for (const std::string& name : {fifo, link, folder.Path("folder"), std::string("/dev/null")})
        EXPECT_EQ(ReadRegularFile(name, 100).Status, TStatus::NotRegular) << name;
}

}  // namespace
