// The inspect command: what every technique finds in each position read from a stream.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

// Reads positions, one per line (81 characters "0"-"9", row by row; blank lines skipped), and
// writes one JSON object per line for each. A bad line gets {"line": n, "error": "..."}. Returns
// 1 when any line was bad, else 0; 2 when given arguments.
int RunInspect(std::span<const std::string_view> args, std::istream& in, std::ostream& out);
