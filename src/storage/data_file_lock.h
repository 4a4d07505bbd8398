// TDataFileLock: one game per data file. A lock file beside the data file (its name + ".lock",
// holding the process ID) is taken when the game starts and held until it ends, so a second
// game in the same folder cannot undo the first one's saves. A lock left by a process that is
// no longer running is taken over; a lock of a running game is never taken over, however old.
#pragma once

#include <QLockFile>
#include <string>

// What a second game in the same folder says before it ends: Japanese, a blank line, English.
inline constexpr char kAlreadyRunningMessage[] =
    "このフォルダーではもうゲームが動いています\r\n\r\nThe game is already running in this folder";

class TDataFileLock {
  public:
    enum class TState {
        Held,           // this process holds the lock
        HeldElsewhere,  // another running process holds it
        Unavailable,    // no lock file can be made here (a read-only folder): nothing is locked
    };

    explicit TDataFileLock(const std::string& dataFile);
    TDataFileLock(const TDataFileLock&) = delete;
    TDataFileLock& operator=(const TDataFileLock&) = delete;

    TState State() const { return state_; }
    static std::string LockFileName(const std::string& dataFile) { return dataFile + ".lock"; }

  private:
    QLockFile lock_;
    TState state_;
};
