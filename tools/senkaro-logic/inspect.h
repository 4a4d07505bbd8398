// The inspect command: what every technique finds in each position read from a stream.
#pragma once

#include <iosfwd>

// Reads positions, one per line (81 characters "0"-"9", row by row; blank lines skipped), and
// writes one JSON object per line for each. A bad line gets {"line": n, "error": "..."}. Returns
// 1 when any line was bad, else 0.
int RunInspect(std::istream& in, std::ostream& out);
