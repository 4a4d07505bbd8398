// TDataFileLock: one game per data file. The game holds the system's own lock (flock) on a lock
// file beside the data file (its name + ".lock", holding the process ID) from its start to its
// end, so a second game in the same folder cannot undo the first one's saves. The kernel lets go
// of the lock when the game ends, however it ends: a lock file left behind, whatever it holds
// (nothing, garbage, another host's name), never keeps a game out. Where the lock cannot be held
// (the name is a folder or a link, or no file can be made there), the game runs unlocked, and
// Reason says why, naming the file.
#pragma once

#include <string>

// What a second game in the same folder says before it ends: Japanese, a blank line, English.
inline constexpr char kAlreadyRunningMessage[] =
    "このフォルダーではもうゲームが動いています\r\n\r\nThe game is already running in this folder";

class TDataFileLock {
  public:
    enum class TState {
        Held,           // this process holds the lock
        HeldElsewhere,  // another running process holds it
        Unavailable,    // the lock cannot be held here: nothing is locked
    };

    explicit TDataFileLock(const std::string& dataFile);
    ~TDataFileLock();
    TDataFileLock(const TDataFileLock&) = delete;
    TDataFileLock& operator=(const TDataFileLock&) = delete;

    TState State() const { return state_; }
    // When Unavailable: why, naming the lock file, and what follows (Japanese, a blank line,
    // English); else empty.
    const std::string& Reason() const { return reason_; }
    static std::string LockFileName(const std::string& dataFile) { return dataFile + ".lock"; }

  private:
    void Lock();
    void Unavailable(const std::string& japanese, const std::string& english);

    std::string fileName_;
    int fd_ = -1;
    TState state_ = TState::Unavailable;
    std::string reason_;
};
