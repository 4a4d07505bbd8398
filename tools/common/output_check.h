// Whether a command-line tool's standard output got everything written to it. Output lost to a
// full disk, /dev/full or a closed standard output must not let the tool end as a success.
#pragma once

#include <iosfwd>
#include <string_view>

// Flushes out; true when it and every write before it succeeded. Otherwise says so on err
// ("<program>: cannot write standard output: <reason>") and gives false. Writers stop at the
// first failed write, so the reason is that write's.
bool OutputReached(std::ostream& out, std::string_view program, std::ostream& err);
