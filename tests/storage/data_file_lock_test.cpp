// One game per data file: a second holder in this process or in another one is refused, a lock
// whose process has died is taken over, a lock of a running process is never taken over, and a
// lock file left behind never keeps a game out, whatever it holds.
#include "storage/data_file_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <functional>

#include "storage_test_support.h"

namespace {

using TState = TDataFileLock::TState;

// A child process that takes the lock and then waits to be killed (it never unlocks).
class TLockingChild {
  public:
    explicit TLockingChild(const std::string& dataFile) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            const TDataFileLock lock(dataFile);
            const char state = static_cast<char>('0' + static_cast<int>(lock.State()));
            if (::write(ready[1], &state, 1) != 1) ::_exit(2);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char state = 0;
        EXPECT_EQ(::read(ready[0], &state, 1), 1);
        ::close(ready[0]);
        state_ = static_cast<TState>(state - '0');
    }
    ~TLockingChild() { Kill(); }

    TState State() const { return state_; }
    // Ends the child without letting it unlock, as a crash would, and waits until it is gone.
    void Kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
    TState state_ = TState::Unavailable;
};

TEST(DataFileLock, ASecondHolderIsRefusedUntilTheFirstIsGone) {
    TScratchFolder folder;
    const std::string dataFile = folder.Path("senkaro.ini");
    {
        const TDataFileLock first(dataFile);
        EXPECT_EQ(first.State(), TState::Held);
        EXPECT_TRUE(QFile::exists(QString::fromStdString(dataFile + ".lock")));
        EXPECT_EQ(TDataFileLock(dataFile).State(), TState::HeldElsewhere) << "same process";
        TLockingChild child(dataFile);
        EXPECT_EQ(child.State(), TState::HeldElsewhere) << "another process";
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dataFile + ".lock")));
    EXPECT_EQ(TDataFileLock(dataFile).State(), TState::Held);
    EXPECT_EQ(TDataFileLock(folder.Path("other.ini")).State(), TState::Held)
        << "another data file in the same folder";
}

TEST(DataFileLock, ALockOfADeadProcessIsTakenOverButNotOneOfALiveProcess) {
    TScratchFolder folder;
    const std::string dataFile = folder.Path("senkaro.ini");
    const QString lockFile = QString::fromStdString(TDataFileLock::LockFileName(dataFile));
    TLockingChild child(dataFile);
    ASSERT_EQ(child.State(), TState::Held);

    // However old the lock looks, a running holder keeps it.
    const QDateTime longAgo = QDateTime::currentDateTime().addDays(-3);
    QFile file(lockFile);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(longAgo, QFileDevice::FileModificationTime);
    file.close();
    EXPECT_EQ(TDataFileLock(dataFile).State(), TState::HeldElsewhere);

    child.Kill();
    ASSERT_TRUE(QFile::exists(lockFile)) << "a killed holder leaves its lock file";
    const TDataFileLock again(dataFile);
    EXPECT_EQ(again.State(), TState::Held);
}

// Only a running game keeps another out: a leftover lock file is taken whatever it holds. A name
// that cannot be locked without touching something else is left alone, and the game runs
// unlocked, saying why.
TEST(DataFileLock, LeftoverLockFilesAreTakenAndOnlyWhatCannotBeLockedIsLeftAlone) {
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        std::function<void(const std::string& lock, const std::string& other)> make;
        TState state;
        std::string reason;
    };
    const auto file = [](const Bytes& bytes) {
        return [bytes](const std::string& lock, const std::string&) { WriteBytes(lock, bytes); };
    };
    const std::string parent = std::to_string(::getppid()) + "\n";
    const Case cases[] = {
        {"an empty file", file({}), TState::Held, ""},
        {"garbage", file({0xFF, 0x00, 0x13, '\n', 0x80}), TState::Held, ""},
        {"another host's lock", file(Bytes{'1', '2', '\n', 'x', '\n', 'f', 'a', 'r', '\n'}),
         TState::Held, ""},
        {"a running process's ID", file(Bytes(parent.begin(), parent.end())), TState::Held, ""},
        {"a folder",
         [](const std::string& lock, const std::string&) { fs::create_directory(lock); },
         TState::Unavailable, "is a folder"},
        {"a link to a file",
         [](const std::string& lock, const std::string& other) {
             WriteBytes(other, {'k'});
             fs::create_symlink(other, lock);
         },
         TState::Unavailable, "is a symbolic link"},
        {"a link to nothing",
         [](const std::string& lock, const std::string& other) { fs::create_symlink(other, lock); },
         TState::Unavailable, "is a symbolic link"},
    };
    for (const Case& c : cases) {
        TScratchFolder folder;
        const std::string dataFile = folder.Path("senkaro.ini");
        const std::string lockFile = TDataFileLock::LockFileName(dataFile);
        c.make(lockFile, folder.Path("other"));
        const TDataFileLock lock(dataFile);
        EXPECT_EQ(lock.State(), c.state) << c.what;
        if (c.state == TState::Held) {
            const std::string processId = std::to_string(::getpid()) + "\n";
            EXPECT_EQ(ReadBytes(lockFile), Bytes(processId.begin(), processId.end())) << c.what;
            EXPECT_EQ(TDataFileLock(dataFile).State(), TState::HeldElsewhere) << c.what;
            EXPECT_TRUE(lock.Reason().empty()) << c.what;
        } else {
            EXPECT_NE(lock.Reason().find("The lock file " + lockFile + " " + c.reason),
                      std::string::npos)
                << c.what << ": " << lock.Reason();
            EXPECT_NE(lock.Reason().find("runs unlocked"), std::string::npos) << c.what;
            const std::string other = folder.Path("other");
            EXPECT_TRUE(!fs::exists(other) || ReadBytes(other) == Bytes{'k'})
                << "a link's target is neither made nor changed: " << c.what;
        }
    }
}

TEST(DataFileLock, NoLockWhereNoLockFileCanBeMade) {
    TScratchFolder folder;
    const TDataFileLock lock(folder.Path("missing/senkaro.ini"));
    EXPECT_EQ(lock.State(), TState::Unavailable);
    EXPECT_NE(lock.Reason().find(folder.Path("missing/senkaro.ini.lock") + " cannot be made"),
              std::string::npos)
        << lock.Reason();
}

}  // namespace
