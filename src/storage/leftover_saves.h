// The temporary files that saves of killed games leave beside the data file, and their removal
// when a game starts.
#pragma once

#include <string>

namespace leftover_saves {

// Removes the temporary files of saves of dataFile (and of its backups and the copies set
// aside) whose game is no longer running: regular files beside it named after one of those with
// ".save-<process ID>-<number>" added (see file_system.cpp). When dataFile is a symbolic link,
// those beside its target go too. The number of files removed.
int Remove(const std::string& dataFile);

}  // namespace leftover_saves
