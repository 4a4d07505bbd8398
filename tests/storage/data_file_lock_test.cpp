// One game per data file: a second holder in this process or in another one is refused, a lock
// whose process has died is taken over, and a lock of a running process is never taken over.
#include "storage/data_file_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include <filesystem>

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

TEST(DataFileLock, NoLockWhereNoLockFileCanBeMade) {
    TScratchFolder folder;
    EXPECT_EQ(TDataFileLock(folder.Path("missing/senkaro.ini")).State(), TState::Unavailable);
}

}  // namespace
