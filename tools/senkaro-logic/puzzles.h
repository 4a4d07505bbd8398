// The commands about the stored templates, the puzzles a round makes from them, and practice
// positions.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

// One line per stored template, in stored order: {"kind": k, "row": r, "template": T}.
int RunTemplates(std::span<const std::string_view> args, std::istream& in, std::ostream& out);

// make KIND [COUNT] [--seed S]: COUNT puzzles of the kind made as a round makes them, one line
// each. Returns 2 with a message on standard error when the arguments are wrong.
int RunMake(std::span<const std::string_view> args, std::istream& in, std::ostream& out);

// practice T [COUNT] [--seed S]: COUNT practice positions of technique T (1-9) made as the
// game's practice supply makes them, one line each: {"technique", "puzzle", "answer", "level"}.
// Returns 2 with a message on standard error when the arguments are wrong.
int RunPractice(std::span<const std::string_view> args, std::istream& in, std::ostream& out);
