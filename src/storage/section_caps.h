// Sections of which a data file keeps only the last lines: a section far longer than what the
// program keeps of it (a records section of a million lines, written by another tool) is then
// never held whole in memory. Every section of the name counts, in file order, as
// TDataFile::ReadSection reads them; the body lines before the last LastLines that are not
// empty are left out, empty ones among them too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TSectionCap {
    std::string Name;
    std::size_t LastLines = 0;
};

using TSectionCaps = std::vector<TSectionCap>;

// Declares for every data file opened from now on in this program that the sections name keep
// their last lastLines lines (a name declared again takes the new count).
void CapSection(std::string_view name, std::size_t lastLines);

// The caps declared so far: what a TDataFile applies unless given others.
TSectionCaps DeclaredSectionCaps();
