// The texts the data file tells the player: Japanese, a blank line, English. Each names the file
// it is about (as it was given) and, for a failure, the file or folder in the way and what to do
// about it.
#pragma once

#include <string>

namespace data_file_messages {

// The file could not be read and was kept as kept; the lines come from backup, when not empty.
std::string KeptAside(const std::string& file, const std::string& kept, const std::string& backup);

// A backup that could not be read either, kept as kept.
std::string BackupKeptAside(const std::string& backup, const std::string& kept);

// The file could not be read, and no copy of it could be kept as kept: nothing was saved.
std::string NotSetAside(const std::string& file, const std::string& folder, const std::string& kept,
                        int error);

// A save of file in folder failed with error at the call on failed (the file itself, its
// temporary file, or a backup).
std::string SaveFailed(const std::string& file, const std::string& folder,
                       const std::string& failed, int error);

}  // namespace data_file_messages
