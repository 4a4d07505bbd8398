// template-search: finds puzzle templates of one kind that keep every template rule (see
// tests/support/template_rules.h) and are no disguise of a stored template or of each other.
//
// Each attempt takes a random solved grid and grows a position from it, one given at a time in
// a random order, up to a random number of givens in the kind's range. A given that would break
// the kind's shape (a second basic move, a move of the wrong level, a move before the kind's
// eliminations) is taken back. Kind 1 starts from eight givens of one unit. Because every given
// comes from one solved grid, the position always has a completion; the exact solver still
// checks every find.
//
// Output: one line per template: the text, then the givens, the answer and its level.
#include <cstdlib>
#include <iostream>
#include <set>
#include <string>
#include <string_view>

#include "logic/position_text.h"
#include "logic/random.h"
#include "logic/templates.h"
#include "support/grid_solver.h"
#include "support/template_rules.h"

using namespace template_rules;

namespace {

struct TOptions {
    int Kind = 0;
    int Count = 1;
    std::uint64_t Seed = 1;
    long Attempts = 200000;
};

void PrintHelp(std::ostream& out) {
    out << "usage: template-search --kind K [--count N] [--seed S] [--attempts A]\n"
           "\n"
           "Finds N (default 1) new templates of puzzle kind K (1-6) and prints one per line:\n"
           "the 81-character text, the number of givens, the answer (col, row) = digit and the\n"
           "level FindAnswer reaches. A template found is no disguise of a stored template or of\n"
           "an earlier find. The search is repeatable for one seed (default 1) and gives up\n"
           "after A attempts (default 200000).\n"
           "\n"
           "exit status: 0 all found, 1 fewer found, 2 wrong command line\n";
}

bool ParseNumber(std::string_view text, long long low, long long high, long long& value) {
    char* end = nullptr;
    const std::string s(text);
    value = std::strtoll(s.c_str(), &end, 10);
    return !s.empty() && *end == '\0' && value >= low && value <= high;
}

bool ParseOptions(int argc, char* argv[], TOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc) return false;
        long long value = 0;
        const std::string_view text = argv[++i];
        if (name == "--kind" && ParseNumber(text, 1, 6, value)) {
            options.Kind = static_cast<int>(value);
        } else if (name == "--count" && ParseNumber(text, 1, 1000, value)) {
            options.Count = static_cast<int>(value);
        } else if (name == "--seed" && ParseNumber(text, 0, (1LL << 62), value)) {
            options.Seed = static_cast<std::uint64_t>(value);
        } else if (name == "--attempts" && ParseNumber(text, 1, 1LL << 40, value)) {
            options.Attempts = static_cast<long>(value);
        } else {
            return false;
        }
    }
    return options.Kind != 0;
}

// Whether the growing position still has the kind's shape (it may not have its move yet).
bool KeepsShape(int kind, const std::string& text) {
    std::string error;
    const std::optional<TMatrix> m = MatrixFromText(text, error);
    if (!m) return false;
    const std::vector<TBasicMove> raw = BasicMoves(*m);
    if (kind == 1) return raw.size() == 1;
    if (kind <= 3) {
        if (raw.empty()) return true;
        const bool* by = raw.front().ByLevel;
        const bool shape = kind == 2 ? by[2] && !by[1] && !by[3] : by[3] && !by[1] && !by[2];
        return raw.size() == 1 && shape && (kind == 2 || BasicMoves(Eliminated(*m, 6)).size() == 1);
    }
    return raw.empty() && BasicMoves(Eliminated(*m, kind - 1)).empty() &&
           BasicMoves(Eliminated(*m, kind)).size() <= 1;
}

std::optional<std::string> Attempt(int kind, TRandom& random) {
    const testgrid::TGrid solution = testgrid::RandomSolvedGrid(random);
    const TGivensRange range = GivensRange(kind);
    const int target = random.Between(range.Low, range.High);
    std::string text(81, '0');
    const auto give = [&](int i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + solution[i]);
    };
    if (kind == 1) {
        // Eight cells of one unit; the ninth is the move.
        const int unit = random.Below(27), hole = random.Below(9);
        for (int k = 0; k < 9; ++k) {
            if (k == hole) continue;
            const int col = unit < 9 ? k : unit < 18 ? unit - 9 : 3 * ((unit - 18) % 3) + k % 3;
            const int row = unit < 9 ? unit : unit < 18 ? k : 3 * ((unit - 18) / 3) + k / 3;
            give(col + 9 * row);
        }
    }
    std::array<int, 81> order{};
    for (int i = 0; i < 81; ++i)
        order[static_cast<std::size_t>(i)] = i;
    for (int k = 80; k > 0; --k)
        std::swap(order[static_cast<std::size_t>(k)],
                  order[static_cast<std::size_t>(random.Below(k + 1))]);
    for (const int i : order) {
        if (GivensOf(text) >= target) break;
        if (text[static_cast<std::size_t>(i)] != '0') continue;
        give(i);
        if (!KeepsShape(kind, text)) text[static_cast<std::size_t>(i)] = '0';
    }
    if (BrokenRule(kind, text, true)) return std::nullopt;
    return text;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        PrintHelp(std::cout);
        return 0;
    }
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "template-search: wrong command line\n";
        PrintHelp(std::cerr);
        return 2;
    }
    std::set<std::string> seen;
    for (int kind = 1; kind <= 6; ++kind)
        for (const std::string& text : TemplateGroup(kind))
            seen.insert(Fingerprint(text));

    TRandom random(options.Seed);
    int found = 0;
    for (long attempt = 0; attempt < options.Attempts && found < options.Count; ++attempt) {
        const std::optional<std::string> text = Attempt(options.Kind, random);
        if (!text || !seen.insert(Fingerprint(*text)).second) continue;
        // A text that keeps the rules has the board's answer: BrokenRule asked for it.
        const TFoundAnswer answer = BoardAnswer(*text).value();
        std::cout << *text << "  givens " << GivensOf(*text) << "  answer (" << answer.Move.Col
                  << ", " << answer.Move.Row << ") = " << answer.Move.Digit << "  level "
                  << answer.Technique << "  attempt " << attempt << std::endl;
        ++found;
    }
    return found == options.Count ? 0 : 1;
}
