// senkaro-logic: the puzzle logic from the command line. Each command writes one JSON object per
// line to standard output; inspect and explain read their positions from standard input.
//
// Exit status: 0 success, 1 some input was bad (the command says which in its output) or the
// output could not be written (said on standard error), 2 the command line was wrong.
#include <iostream>
#include <span>
#include <string_view>
#include <vector>

#include "explain.h"
#include "inspect.h"
#include "output_check.h"
#include "puzzles.h"
#include "senkaro_version.h"

namespace {

struct TCommand {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    int (*run)(std::span<const std::string_view> args, std::istream& in, std::ostream& out);
};

constexpr TCommand kCommands[] = {
    {"inspect", "inspect < positions",
     "what each technique and the board find in each position read from standard input",
     RunInspect},
    {"explain", "explain < positions",
     "why the answer of each position read from standard input is forced, step by step",
     RunExplain},
    {"examples", "examples", "a worked example of each technique 1-9, with its sentences",
     RunExamples},
    {"templates", "templates", "the stored puzzle templates, in stored order", RunTemplates},
    {"make", "make KIND [COUNT] [--seed S]",
     "COUNT (default 1) puzzles of kind KIND (1-6) made as a round makes them", RunMake},
    {"practice", "practice T [COUNT] [--seed S]",
     "COUNT (default 1) practice positions of technique T (1-9) made as the game makes them",
     RunPractice},
};

void PrintHelp(std::ostream& out) {
    out << "usage: senkaro-logic COMMAND [ARGUMENTS]\n"
           "\n"
           "commands:\n";
    for (const TCommand& command : kCommands) {
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "  --help\n      this text\n"
           "  --version\n      the program's version\n"
           "\n"
           "A position is one line of 81 characters \"0\"-\"9\", row by row from the top left\n"
           "(\"0\" = empty cell); blank lines are skipped. A move is {\"col\", \"row\", "
           "\"digit\"}\n"
           "(col and row 0-8 from the top left) or null.\n"
           "\n"
           "inspect prints one JSON object per position:\n"
           "  position, state (\"open\", \"solved\", \"contradiction\"), empty (empty cells),\n"
           "  L1, L2 (for digits 1-9), L3, any, L7, L8: a forced move or null\n"
           "      (any = level 3, then 1, then 2 for digits 1-9),\n"
           "  L4, L4d (for digits 1-9), L5, L6, L9: an elimination {\"changed\", \"masks\"},\n"
           "  all: {\"masks\"} after levels 4-6 until nothing changes,\n"
           "  blocked: for digits 1-9, whether some unit has no room left for the digit,\n"
           "  next: the board's next-move search (levels 4-9, reporting only):\n"
           "      {\"level\", \"col\", \"row\", \"digit\"} or null,\n"
           "  next_basic: the same with levels 4-6 only,\n"
           "  answer: the board's answer of the position as a fresh puzzle (FindAnswer), a move.\n"
           "  Masks are 81 candidate sets, index = col + 9 * row, bit d-1 for digit d.\n"
           "  Each field is computed on its own copy of the position; next, next_basic and\n"
           "  answer are null when the position breaks the rule (the board refuses a given).\n"
           "A bad line prints {\"line\": n, \"error\": \"...\"} and the command goes on.\n"
           "\n"
           "explain reads positions as inspect does and prints one JSON object per position:\n"
           "  {\"position\", \"answer\": a move or null, \"steps\": [step, ...]}: why the board's\n"
           "  answer (as above) is forced, as steps on the position's candidates; every step\n"
           "  but the last removes candidates, the last places the answer; no answer: [].\n"
           "  A position with a dead end has no answer to explain: \"steps\": [] and\n"
           "  \"contradiction\" (its first dead end: an empty cell without candidates, else a\n"
           "  unit without room for a digit, shaped as a trial's), and the line counts as bad.\n"
           "  Cells are indexes col + 9 * row; a unit is {\"row\": y}, {\"col\": x} or\n"
           "  {\"box\": b} (b = bx + 3 * by); \"removed\" is [[cell, digit], ...], all that the\n"
           "  step's pattern rules out then; \"matters\" lists those of them the later steps\n"
           "  need (inside a trial, for its dead end). Each step has \"type\" and \"technique\"\n"
           "  (1-9) and, by type:\n"
           "    last_cell, last_place: unit, cell, digit;  last_candidate: cell, digit;\n"
           "    locked: digit, unit (where the digit is confined), other (the crossing unit),\n"
           "      removed, matters;  naked: unit, cells, digits, removed, matters;\n"
           "    hidden: unit, digits, cells, removed, matters;\n"
           "    contradiction: cell, assumed, chain [{unit, cell, digit}, ...], blocked\n"
           "      {unit, digit}, digit (the cell takes it);\n"
           "    trial: cell, assumed, steps (what follows from assumed), contradiction\n"
           "      ({\"cell\": i} left without candidates, or {unit, digit} without room),\n"
           "      removed, matters.\n"
           "\n"
           "examples prints, for techniques 1-9, {\"technique\", \"name\", \"position\",\n"
           "  \"answer\", \"steps\", \"sentences\": [{\"ja\", \"en\"}, ...]}: a worked example, "
           "one\n"
           "  sentence pair per step (a trial's pair has its own \"steps\" of pairs).\n"
           "\n"
           "templates prints {\"kind\", \"row\", \"template\"} for each stored template.\n"
           "\n"
           "make prints {\"kind\", \"row\", \"template\", \"puzzle\", \"answer\", \"level\"} for "
           "each\n"
           "  puzzle: the template drawn, the disguised puzzle, its answer (a move) and the level\n"
           "  of the technique that found it (0 when the units' agreement did). The same seed S\n"
           "  (a whole number 0-18446744073709551615) makes the same puzzles; without --seed\n"
           "  the clock seeds the generator.\n"
           "\n"
           "practice prints {\"technique\", \"puzzle\", \"answer\", \"level\"} for each "
           "position:\n"
           "  a puzzle with one solution in which no technique below T fills a cell and the\n"
           "  techniques up to T fill exactly one, its answer (a move) and level: the level the\n"
           "  board's answer search reports for the answer, T for T 4-9. For T 1-3 that search\n"
           "  answers at level 0 (the units' agreement) or from its first elimination, so level\n"
           "  is T there, the technique the explanation names. Seeds as for make; the same\n"
           "  seed makes the same positions.\n"
           "\n"
           "exit status: 0 done, 1 some input line bad (for explain also: a position with a\n"
           "  dead end), no practice position found or the output lost, 2 wrong command line\n";
}

// The command line's command, its status.
int Run(const std::vector<std::string_view>& args) {
    if (args.empty()) {
        PrintHelp(std::cerr);
        return 2;
    }
    const std::string_view name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(std::cout);
        return 0;
    }
    if (name == "--version") {
        std::cout << "senkaro-logic " SENKARO_VERSION "\n";
        return 0;
    }
    for (const TCommand& command : kCommands) {
        if (command.name == name)
            return command.run(std::span(args).subspan(1), std::cin, std::cout);
    }
    std::cerr << "senkaro-logic: unknown command " << name << " (see senkaro-logic --help)\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int status = Run(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc));
    // Output that did not arrive is a failure whatever the command made of its input.
    return OutputReached(std::cout, "senkaro-logic", std::cerr) ? status : 1;
}
