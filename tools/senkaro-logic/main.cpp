// senkaro-logic: the puzzle logic from the command line. Each command reads standard input and
// writes one JSON object per line to standard output.
//
// Exit status: 0 success, 1 some input was bad (the command says which in its output), 2 the
// command line was wrong.
#include <cstring>
#include <iostream>
#include <span>
#include <string_view>

#include "inspect.h"

namespace {

struct TCommand {
    std::string_view name;
    std::string_view summary;
    int (*run)(std::istream& in, std::ostream& out);
};

constexpr TCommand kCommands[] = {
    {"inspect", "what each technique finds in each position read from standard input", RunInspect},
};

void PrintHelp(std::ostream& out) {
    out << "usage: senkaro-logic COMMAND < positions\n"
           "\n"
           "commands:\n";
    for (const TCommand& command : kCommands) {
        out << "  " << command.name << "  " << command.summary << "\n";
    }
    out << "  --help   this text\n"
           "\n"
           "A position is one line of 81 characters \"0\"-\"9\", row by row from the top left\n"
           "(\"0\" = empty cell); blank lines are skipped. For each position one JSON object is\n"
           "printed on one line.\n"
           "\n"
           "inspect prints:\n"
           "  position, state (\"open\", \"solved\", \"contradiction\"), empty (empty cells),\n"
           "  L1, L2 (for digits 1-9), L3, any, L7, L8: a forced move {\"col\", \"row\", "
           "\"digit\"}\n"
           "      or null (any = level 3, then 1, then 2 for digits 1-9),\n"
           "  L4, L4d (for digits 1-9), L5, L6, L9: an elimination {\"changed\", \"masks\"},\n"
           "  all: {\"masks\"} after levels 4-6 until nothing changes,\n"
           "  blocked: for digits 1-9, whether some unit has no room left for the digit.\n"
           "  Masks are 81 candidate sets, index = col + 9 * row, bit d-1 for digit d.\n"
           "  Each field is computed on its own copy of the position.\n"
           "A bad line prints {\"line\": n, \"error\": \"...\"} and the command goes on.\n"
           "\n"
           "exit status: 0 all lines good, 1 some line bad, 2 wrong command line\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::span<char*> args(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
    if (args.empty()) {
        PrintHelp(std::cerr);
        return 2;
    }
    const std::string_view name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(std::cout);
        return 0;
    }
    for (const TCommand& command : kCommands) {
        if (command.name != name) continue;
        if (args.size() > 1) {
            std::cerr << "senkaro-logic " << name
                      << ": takes no arguments (reads standard input)\n";
            return 2;
        }
        return command.run(std::cin, std::cout);
    }
    std::cerr << "senkaro-logic: unknown command " << name << " (see senkaro-logic --help)\n";
    return 2;
}
