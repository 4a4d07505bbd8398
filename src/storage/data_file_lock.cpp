// TDataFileLock over flock(2). The lock belongs to the open file, so a second open in the same
// process is kept out too. The file is removed when the lock is given up; a game that opened
// the file just before it was removed finds, once it holds the lock, that the name leads to
// another file (or none) and tries again.
#include "storage/data_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr int kAttempts = 10;

bool SameFile(int fd, const std::string& name) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(name.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Opens the lock file without following a link: for writing where possible, else (a read-only
// folder that holds the file already) for reading, which can be locked just as well.
int OpenLockFile(const std::string& name) {
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
    if (fd >= 0 || (errno != EACCES && errno != EROFS && errno != EPERM)) return fd;
    const int error = errno;
    const int readOnly = ::open(name.c_str(), O_RDONLY | kFlags);
    if (readOnly < 0) errno = error;
    return readOnly;
}

void WriteProcessId(int fd) {
    const std::string text = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) != 0 || ::write(fd, text.data(), text.size()) < 0) {
        // a full disk or a read-only file: the lock holds all the same
    }
}

}  // namespace

TDataFileLock::TDataFileLock(const std::string& dataFile) : fileName_(LockFileName(dataFile)) {
    Lock();
}

TDataFileLock::~TDataFileLock() {
    if (fd_ < 0) return;
    if (SameFile(fd_, fileName_)) ::unlink(fileName_.c_str());
    ::close(fd_);
}

void TDataFileLock::Unavailable(const std::string& japanese, const std::string& english) {
    state_ = TState::Unavailable;
    reason_ = fileName_ + " " + japanese +
              "。ロックなしで動くため、このフォルダーで二つ目のゲームを止められません。\r\n\r\n"
              "The lock file " +
              fileName_ + " " + english +
              ". The game runs unlocked, so a second game started in this folder is not kept "
              "out.";
}

void TDataFileLock::Lock() {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = OpenLockFile(fileName_);
        if (fd < 0) {
            const int error = errno;
            struct stat status {};
            const bool present = ::lstat(fileName_.c_str(), &status) == 0;
            if (present && S_ISDIR(status.st_mode))
                return Unavailable("はフォルダーです。削除するか名前を変えてください",
                                   "is a folder: remove or rename it");
            if (present && S_ISLNK(status.st_mode))
                return Unavailable("はリンクです。削除してください",
                                   "is a symbolic link: remove it");
            return Unavailable("を作れません (" + std::string(std::strerror(error)) + ")",
                               "cannot be made (" + std::string(std::strerror(error)) + ")");
        }
        struct stat status {};
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(fd);
            return Unavailable("はファイルではありません。削除してください",
                               "is no regular file: remove it");
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) {
                state_ = TState::HeldElsewhere;
                return;
            }
            return Unavailable("をロックできません (" + std::string(std::strerror(error)) + ")",
                               "cannot be locked (" + std::string(std::strerror(error)) + ")");
        }
        if (!SameFile(fd, fileName_)) {  // removed by the game that held it meanwhile
            ::close(fd);
            continue;
        }
        WriteProcessId(fd);
        fd_ = fd;
        state_ = TState::Held;
        return;
    }
    Unavailable("を何度も取り直せませんでした", "kept changing while it was taken");
}
