// templates, make and practice. A puzzle is made as a round makes it: a template drawn for the
// kind, the board's MakePuzzle (the disguise), Fix, FindAnswer; "level" is the level of the
// technique that found the answer (0 when the agreement of the units answered). A practice
// position is made as the game's practice supply makes it, on a generator of its own seeded
// with one number.
#include "puzzles.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "board/board.h"
#include "board_json.h"
#include "logic/practice_positions.h"
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

// What make and practice take: the kind or technique, a count and a seed.
struct TMakeArguments {
    int Number = 0;  // the kind or the technique
    long long Count = 1;
    std::optional<std::uint64_t> Seed;
};

// The command's words for its first argument and the numbers it takes.
struct TMakeCommand {
    std::string_view Name;         // "make"
    std::string_view What;         // "kind"
    std::string_view Placeholder;  // "KIND"
    int Highest;
};

void PrintUsage(const TMakeCommand& command, const std::string& message) {
    std::cerr << "senkaro-logic " << command.Name << ": " << message << "\nusage: senkaro-logic "
              << command.Name << " " << command.Placeholder << " [COUNT] [--seed S]  ("
              << command.Placeholder << " 1-" << command.Highest << ", COUNT 1-" << kMostPuzzles
              << ")\n";
}

// The arguments, or nothing after a message on standard error (status kUsage).
std::optional<TMakeArguments> ParseMakeArguments(std::span<const std::string_view> args,
                                                 const TMakeCommand& command) {
    const std::string what(command.What);
    const std::string range = "1-" + std::to_string(command.Highest);
    std::optional<int> number;
    std::optional<long long> count;
    TMakeArguments parsed;
    auto fail = [&](const std::string& message) {
        PrintUsage(command, message);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--seed") {
            if (parsed.Seed) return fail("--seed given twice");
            if (i + 1 == args.size()) return fail("--seed needs a number");
            parsed.Seed = NumberIn<std::uint64_t>(args[++i], 0, UINT64_MAX);
            if (!parsed.Seed) {
                return fail("the seed must be a whole number from 0 to " +
                            std::to_string(UINT64_MAX) + ", not \"" + std::string(args[i]) + "\"");
            }
        } else if (!number) {
            number = NumberIn(arg, 1, command.Highest);
            if (!number)
                return fail("the " + what + " must be " + range + ", not \"" + std::string(arg) +
                            "\"");
        } else if (!count) {
            count = NumberIn<long long>(arg, 1, kMostPuzzles);
            if (!count) return fail("the count must be 1-" + std::to_string(kMostPuzzles));
        } else {
            return fail("too many arguments");
        }
    }
    if (!number) return fail("which " + what + "?");
    parsed.Number = *number;
    parsed.Count = count.value_or(1);
    return parsed;
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
    const std::optional<TMakeArguments> parsed =
        ParseMakeArguments(args, {"make", "kind", "KIND", 6});
    if (!parsed) return kUsage;
    if (parsed->Seed) {
        SeedProgramRandom(*parsed->Seed);
    } else {
        SeedProgramRandomFromClock();
    }

    TBoard board;
    for (long long n = 0; n < parsed->Count && out; ++n) {
        const TDrawnTemplate drawn = DrawTemplate(parsed->Number, ProgramRandom());
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

int RunPractice(std::span<const std::string_view> args, std::istream&, std::ostream& out) {
    const std::optional<TMakeArguments> parsed =
        ParseMakeArguments(args, {"practice", "technique", "T", 9});
    if (!parsed) return kUsage;
    // Seeded as the game seeds its practice supply: a generator of its own, from one number.
    if (!parsed->Seed) SeedProgramRandomFromClock();
    TRandom random(parsed->Seed ? *parsed->Seed : ProgramRandom().Next());

    for (long long n = 0; n < parsed->Count && out; ++n) {
        const std::optional<TPracticePosition> made = MakePracticePosition(parsed->Number, random);
        if (!made) {
            std::cerr << "senkaro-logic practice: no position of technique " << parsed->Number
                      << " found\n";
            return 1;
        }
        TJsonWriter json;
        json.BeginObject();
        json.Key("technique").Int(made->Technique);
        json.Key("puzzle").String(made->Puzzle);
        WriteMove(json.Key("answer"), made->Answer);
        json.Key("level").Int(made->Level);
        json.EndObject();
        out << json.Text() << '\n';
    }
    return 0;
}
