// Whole-file reading and atomic replacing of the data files, on POSIX.
//
// TFileSystem holds the system calls of a save, one virtual call each, so that a test can make
// any of them fail (a full disk, a read-only folder) without such a disk or folder. Every call
// returns 0 or an error number (an errno value). Paths are UTF-8.
#pragma once

#include <sys/types.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class TFileSystem {
  public:
    virtual ~TFileSystem() = default;
    // Creates path, which must not exist yet, for writing with the permission bits mode (the
    // process's umask applies).
    virtual int CreateNew(const std::string& path, mode_t mode, int& fd);
    // Writes some of the bytes; written tells how many.
    virtual int Write(int fd, const std::uint8_t* data, std::size_t size, std::size_t& written);
    // Flushes the file to the disk; a disk that is full or failing says so here at the latest.
    virtual int Sync(int fd);
    // Closes fd, also when the result is an error.
    virtual int Close(int fd);
    virtual int Link(const std::string& from, const std::string& to);
    virtual int Rename(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);
};

// The system's own calls.
TFileSystem& SystemFileSystem();

struct TReadResult {
    enum class TStatus { Read, Missing, NotRegular, TooLarge, Failed };
    TStatus Status = TStatus::Failed;
    int Error = 0;  // the errno value of a failed call
    std::vector<std::uint8_t> Bytes;
    bool Ok() const { return Status == TStatus::Read; }
};

// The whole content of path. What is not a regular file (a FIFO, a device, a folder) is refused
// before it is opened, so reading never waits for a writer; so is a file larger than maxSize.
// A symbolic link is followed.
TReadResult ReadRegularFile(const std::string& path, std::uint64_t maxSize);

// The backups kept by ReplaceFile: Backup becomes the old file; when Older is given too, the
// file at Backup moves to Older first, so that two generations are kept.
struct TBackupNames {
    TBackupNames() = default;
    TBackupNames(std::string backup, std::string older = {})
        : Backup(std::move(backup)), Older(std::move(older)) {}
    std::string Backup;
    std::string Older;
};

// Replaces path by bytes, whole or not at all: the bytes go to a new file beside it, created
// with the old file's permission bits (never more), are written and flushed to the disk, and
// only then is the new file renamed over the old one. Any failure removes the new file and
// leaves the old one as it was. When a backup is named and path exists, the older backup is
// moved on (see TBackupNames) and the old file becomes the backup (a hard link, or a copy where
// links are not possible), just before the rename; a backup that fails cancels the save. Missing
// folders are made; a symbolic link at path is followed, so its target is replaced. 0 on
// success, else an error number; failedPath, when given, then names the file whose call
// failed (path, or one of the backups).
int ReplaceFile(TFileSystem& files, const std::string& path, const std::vector<std::uint8_t>& bytes,
                const TBackupNames& backups = {}, std::string* failedPath = nullptr);

// Makes copyPath a file with the content of path, which stays as it is: a hard link (no room
// needed on the disk), else a copy with the same permission bits. A file at copyPath is
// replaced. 0 or an error number.
int KeepCopy(TFileSystem& files, const std::string& path, const std::string& copyPath);
