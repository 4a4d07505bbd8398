// The header line of a data file's section: "[" + name + "]", compared whole ignoring the case
// of letters, without trimming. A section's body runs to the next line that begins with "[".
#pragma once

#include <string_view>

// Whether line ends the body of the section before it (it begins with "[").
bool StartsSection(std::string_view line);

// Whether line is the header of the section name.
bool IsSectionHeader(std::string_view line, std::string_view name);
