// The explain and examples commands: why a position's answer is forced, step by step.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

// Reads positions as inspect does and writes {"position", "answer", "steps"} for each, and
// "contradiction" for a position with a dead end. Returns 1 when any line was bad or such a
// position, else 0; 2 when given arguments.
int RunExplain(std::span<const std::string_view> args, std::istream& in, std::ostream& out);

// The worked example of each technique 1-9, one line each: the explanation of a stored position
// with the sentences of its steps.
int RunExamples(std::span<const std::string_view> args, std::istream& in, std::ostream& out);
