// templates and make. A puzzle is made as a round makes it: a template drawn for the kind, the
// board's MakePuzzle (the disguise), Fix, FindAnswer; "level" is the level of the technique that
// found the answer (0 when the agreement of the units answered).
#include "puzzles.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "board/board.h"
#include "board_json.h"
#include "logic/random.h"
#include "logic/templates.h"

namespace {

constexpr int kUsage = 2;
constexpr long long kMostPuzzles = 1000000;

// The whole text as a number from low to high, or nothing.
template <typename T>
std::optional<T> NumberIn(std::string_view text, T low, T high) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

int Usage(const std::string& message) {
    std::cerr << "senkaro-logic make: " << message
              << "\nusage: senkaro-logic make KIND [COUNT] [--seed S]  (KIND 1-6, COUNT 1-"
              << kMostPuzzles << ")\n";
    return kUsage;
}

void WriteTemplateFields(TJsonWriter& json, int kind, int row, const std::string& text) {
    json.Key("kind").Int(kind);
    json.Key("row").Int(row);
    json.Key("template").String(text);
}

}  // namespace

int RunTemplates(std::span<const std::string_view> args, std::istream&, std::ostream& out) {
    if (!args.empty()) {
        std::cerr << "senkaro-logic templates: takes no arguments\n";
        return kUsage;
    }
    for (int kind = 1; kind <= 6 && out; ++kind) {
        const auto& group = TemplateGroup(kind);
        for (std::size_t row = 0; row < group.size() && out; ++row) {
            TJsonWriter json;
            json.BeginObject();
            WriteTemplateFields(json, kind, static_cast<int>(row), group[row]);
            json.EndObject();
            out << json.Text() << '\n';
        }
    }
    return 0;
}

int RunMake(std::span<const std::string_view> args, std::istream&, std::ostream& out) {
    std::optional<int> kind;
    std::optional<long long> count;
    std::optional<std::uint64_t> seed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--seed") {
            if (seed) return Usage("--seed given twice");
            if (i + 1 == args.size()) return Usage("--seed needs a number");
            seed = NumberIn<std::uint64_t>(args[++i], 0, UINT64_MAX);
            if (!seed) {
                return Usage("the seed must be a whole number from 0 to " +
                             std::to_string(UINT64_MAX) + ", not \"" + std::string(args[i]) + "\"");
            }
        } else if (!kind) {
            kind = NumberIn(arg, 1, 6);
            if (!kind) return Usage("the kind must be 1-6, not \"" + std::string(arg) + "\"");
        } else if (!count) {
            count = NumberIn<long long>(arg, 1, kMostPuzzles);
            if (!count) return Usage("the count must be 1-" + std::to_string(kMostPuzzles));
        } else {
            return Usage("too many arguments");
        }
    }
    if (!kind) return Usage("which kind?");
    if (seed) {
        SeedProgramRandom(*seed);
    } else {
        SeedProgramRandomFromClock();
    }

    TBoard board;
    for (long long n = 0; n < count.value_or(1) && out; ++n) {
        const TDrawnTemplate drawn = DrawTemplate(*kind, ProgramRandom());
        std::string puzzle = drawn.Text;
        board.MakePuzzle(puzzle);
        board.Fix();
        const std::optional<TFoundAnswer> answer = board.FindAnswer();
        TJsonWriter json;
        json.BeginObject();
        WriteTemplateFields(json, drawn.Kind, drawn.Row, drawn.Text);
        json.Key("puzzle").String(puzzle);
        WriteMove(json.Key("answer"), answer ? std::optional(answer->Move) : std::nullopt);
        // Without an answer the level is 0, as the lay-out leaves the board's technique.
        json.Key("level").Int(answer ? answer->Technique : 0);
        json.EndObject();
        out << json.Text() << '\n';
    }
    return 0;
}
