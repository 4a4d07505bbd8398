// TDataFileLock over QLockFile: no stale time, so only a dead holder's lock is given up.
#include "storage/data_file_lock.h"

#include <QString>

namespace {

TDataFileLock::TState TryLock(QLockFile& lock) {
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) return TDataFileLock::TState::Held;
    return lock.error() == QLockFile::LockFailedError ? TDataFileLock::TState::HeldElsewhere
                                                      : TDataFileLock::TState::Unavailable;
}

}  // namespace

TDataFileLock::TDataFileLock(const std::string& dataFile)
    : lock_(QString::fromStdString(LockFileName(dataFile))), state_(TryLock(lock_)) {}
