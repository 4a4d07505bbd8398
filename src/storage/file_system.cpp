// The POSIX calls behind TFileSystem, reading a regular file whole, and the atomic replace.
//
// The new file is named after the old one with ".save-<pid>-<n>" added, in the same folder, so
// that the rename stays within one file system. A kill during a save leaves at most such a file
// beside an untouched old one; the next start removes it (leftover_saves.h).
#include "storage/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <limits>

namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 100;

int LastError() {
    return errno != 0 ? errno : EIO;
}

// What the replaced file's successor must carry.
struct TFileOwner {
    bool Existed = false;
    mode_t Mode = 0666;  // the permission bits; a new file gets 0666 less the umask
    uid_t Uid = 0;
    gid_t Gid = 0;
};

std::string TemporaryName(const std::string& path, int attempt) {
    return path + ".save-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
}

// The old file's owner where the system allows it, then exactly its bits (the umask may have
// taken some away, and a change of owner clears set-user-ID bits). Where the system refuses,
// the new file keeps what it was created with, which is never more than the old bits.
void KeepOwner(int fd, const TFileOwner& owner) {
    if ((owner.Uid != ::geteuid() || owner.Gid != ::getegid()) &&
        ::fchown(fd, owner.Uid, owner.Gid) != 0) {
        // another user's file saved by us: it becomes ours, with the same bits
    }
    if (::fchmod(fd, owner.Mode) != 0) {
        // a file system without permission bits
    }
}

// Writes bytes to a new file beside path (its name goes to temporary) with the owner's bits.
int WriteNewFile(TFileSystem& files, const std::string& path,
                 const std::vector<std::uint8_t>& bytes, const TFileOwner& owner,
                 std::string& temporary) {
    int fd = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        temporary = TemporaryName(path, attempt);
        error = files.CreateNew(temporary, owner.Mode & 0777, fd);
    }
    if (error != 0) {
        temporary.clear();
        return error;
    }
    if (owner.Existed) KeepOwner(fd, owner);
    std::size_t done = 0;
    while (error == 0 && done < bytes.size()) {
        std::size_t written = 0;
        error = files.Write(fd, bytes.data() + done, bytes.size() - done, written);
        if (error == 0 && written == 0) error = EIO;
        done += written;
    }
    if (error == 0) error = files.Sync(fd);
    const int closed = files.Close(fd);
    if (error == 0) error = closed;
    if (error != 0) {
        files.Remove(temporary);
        temporary.clear();
    }
    return error;
}

// Makes backupPath the file at path: a hard link (no room needed on the disk), else a copy.
int KeepBackup(TFileSystem& files, const std::string& path, const std::string& backupPath,
               const TFileOwner& owner) {
    std::string temporary;
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        temporary = TemporaryName(backupPath, attempt);
        error = files.Link(path, temporary);
    }
    if (error != 0 && error != EEXIST) {
        // Links are not possible here (or failed): copy the old file.
        const TReadResult old = ReadRegularFile(path, std::numeric_limits<std::uint64_t>::max());
        if (!old.Ok()) return old.Error != 0 ? old.Error : EIO;
        error = WriteNewFile(files, backupPath, old.Bytes, owner, temporary);
    }
    if (error != 0) return error;
    error = files.Rename(temporary, backupPath);
    if (error != 0) files.Remove(temporary);
    return error;
}

// Flushes the folder's entry of a renamed file; where the system cannot, the rename stands.
void SyncFolder(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    const int fd =
        ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int TFileSystem::CreateNew(const std::string& path, mode_t mode, int& fd) {
    errno = 0;
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    return fd < 0 ? LastError() : 0;
}

int TFileSystem::Write(int fd, const std::uint8_t* data, std::size_t size, std::size_t& written) {
    written = 0;
    for (;;) {
        errno = 0;
        const ssize_t result = ::write(fd, data, size);
        if (result >= 0) {
            written = static_cast<std::size_t>(result);
            return 0;
        }
        if (errno != EINTR) return LastError();
    }
}

int TFileSystem::Sync(int fd) {
    errno = 0;
    return ::fsync(fd) != 0 ? LastError() : 0;
}

int TFileSystem::Close(int fd) {
    errno = 0;
    return ::close(fd) != 0 ? LastError() : 0;
}

int TFileSystem::Link(const std::string& from, const std::string& to) {
    errno = 0;
    return ::link(from.c_str(), to.c_str()) != 0 ? LastError() : 0;
}

int TFileSystem::Rename(const std::string& from, const std::string& to) {
    errno = 0;
    return ::rename(from.c_str(), to.c_str()) != 0 ? LastError() : 0;
}

int TFileSystem::Remove(const std::string& path) {
    errno = 0;
    return ::unlink(path.c_str()) != 0 ? LastError() : 0;
}

TFileSystem& SystemFileSystem() {
    static TFileSystem files;
    return files;
}

TReadResult ReadRegularFile(const std::string& path, std::uint64_t maxSize) {
    using TStatus = TReadResult::TStatus;
    TReadResult result;
    struct stat before {};
    errno = 0;
    if (::stat(path.c_str(), &before) != 0) {
        result.Error = LastError();
        result.Status = result.Error == ENOENT ? TStatus::Missing : TStatus::Failed;
        return result;
    }
    if (!S_ISREG(before.st_mode)) {
        result.Status = TStatus::NotRegular;
        return result;
    }
    // Without O_NONBLOCK a FIFO put in the file's place meanwhile would block the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.Error = LastError();
        return result;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        result.Status = TStatus::NotRegular;
    } else if (static_cast<std::uint64_t>(opened.st_size) > maxSize) {
        result.Status = TStatus::TooLarge;
    } else {
        result.Bytes.reserve(static_cast<std::size_t>(opened.st_size));
        std::uint8_t buffer[65536];
        for (;;) {
            errno = 0;
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                result.Error = LastError();
                break;
            }
            if (got == 0) {
                result.Status = TStatus::Read;
                break;
            }
            if (result.Bytes.size() + static_cast<std::size_t>(got) > maxSize) {
                result.Status = TStatus::TooLarge;  // grew while being read
                break;
            }
            result.Bytes.insert(result.Bytes.end(), buffer, buffer + got);
        }
    }
    ::close(fd);
    if (!result.Ok()) result.Bytes.clear();
    return result;
}

int ReplaceFile(TFileSystem& files, const std::string& path, const std::vector<std::uint8_t>& bytes,
                const TBackupNames& backups, std::string* failedPath) {
    const auto fail = [failedPath](const std::string& failed, int code) {
        if (failedPath != nullptr) *failedPath = failed;
        return code;
    };
    std::error_code error;
    fs::path target(path);
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), error);
        if (error) return fail(target.parent_path().string(), error.value());
    }
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::canonical(target, error);
        if (!error) target = resolved;
    }
    const std::string targetName = target.string();

    TFileOwner owner;
    struct stat old {};
    if (::stat(targetName.c_str(), &old) == 0) {
        owner = {true, static_cast<mode_t>(old.st_mode & 07777), old.st_uid, old.st_gid};
    } else if (errno != ENOENT) {
        return fail(targetName, LastError());
    }

    std::string temporary;
    int result = WriteNewFile(files, targetName, bytes, owner, temporary);
    if (result != 0) return fail(targetName, result);
    const auto cancel = [&](const std::string& failed, int code) {
        files.Remove(temporary);
        return fail(failed, code);
    };
    if (owner.Existed && !backups.Backup.empty()) {
        // Only a regular file moves on: whatever else holds the name is left where it is.
        struct stat backup {};
        if (!backups.Older.empty() && ::lstat(backups.Backup.c_str(), &backup) == 0 &&
            S_ISREG(backup.st_mode)) {
            result = files.Rename(backups.Backup, backups.Older);
            if (result != 0) return cancel(backups.Older, result);
        }
        result = KeepBackup(files, targetName, backups.Backup, owner);
        if (result != 0) return cancel(backups.Backup, result);
    }
    result = files.Rename(temporary, targetName);
    if (result != 0) return cancel(targetName, result);
    SyncFolder(targetName);
    return 0;
}

int KeepCopy(TFileSystem& files, const std::string& path, const std::string& copyPath) {
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0) return LastError();
    const TFileOwner owner{true, static_cast<mode_t>(old.st_mode & 07777), old.st_uid, old.st_gid};
    return KeepBackup(files, path, copyPath, owner);
}
