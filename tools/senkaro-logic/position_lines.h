// The reading of positions that the commands on standard input share: one position per line
// (81 characters "0"-"9", row by row; blank lines skipped; a CR before the line end dropped), one
// JSON object per line out, and {"line": n, "error": "..."} for a bad line.
#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "json_writer.h"
#include "logic/matrix.h"

// Writes the object of one position; false when the position itself is bad for the command.
using TPositionWriter =
    std::function<bool(TJsonWriter& json, const std::string& text, const TMatrix& position)>;

// The command `name`, which takes no arguments: one object per position line. 1 when any line
// was bad (no position, or one the writer found bad), else 0; 2 with a message on standard
// error when given arguments.
int RunOnPositions(std::string_view name, std::span<const std::string_view> args, std::istream& in,
                   std::ostream& out, const TPositionWriter& write);
