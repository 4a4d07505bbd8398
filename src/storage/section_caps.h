// Sections of which a data file keeps only the last lines: a section far longer than what the
// program keeps of it (a records section of a million lines, written by another tool) is then
// never held whole in memory. Every section of the name counts, in file order, as
// TDataFile::ReadSection reads them; the body lines before the last LastLines that are not
// empty are left out, empty ones among them too.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct TSectionCap {
    std::string Name;
    std::size_t LastLines = 0;
};

using TSectionCaps = std::vector<TSectionCap>;
