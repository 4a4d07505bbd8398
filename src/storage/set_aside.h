// Keeping a file that could not be read under a name of its own (name + ".damaged", then
// ".damaged2", ...), so that nothing written later can replace it.
#pragma once

#include <string>

#include "storage/file_system.h"

namespace set_aside {

// The first of name + ".damaged", ".damaged2", ... that nothing holds (no file, folder or link).
std::string FreeName(const std::string& name);

// Makes kept hold what is at name. A regular file (a link to one is followed) is copied, by a
// hard link where possible, and stays at name, so that the name never stands empty: the caller
// writes its repaired file over it. Anything else (a folder, a FIFO) cannot be written over and
// is renamed. 0 or an error number.
int Keep(TFileSystem& files, const std::string& name, const std::string& kept);

}  // namespace set_aside
