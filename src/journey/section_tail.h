// The last lines of a data file's section, taken without a list of all of them: what
// TDataFile::ReadSection gives, cut to its end, for a section that may be far longer than what
// is kept of it (a records section written by another tool). Sections are found as TDataFile
// finds them: a header "[" + name + "]" compared whole ignoring the case of letters, a body up
// to the next line that begins with "[", every section of the name in file order, empty lines
// left out.
#pragma once

#include <QStringList>
#include <string_view>

class TDataFile;

// The last count body lines of the sections name (fewer when there are fewer).
QStringList LastLinesOfSection(const TDataFile& file, std::string_view name, int count);
