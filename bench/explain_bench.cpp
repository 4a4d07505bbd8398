// Speed of explaining the answer of a made puzzle: 600 puzzles made as a round makes them (100
// of each kind 1-6: a template drawn, disguised, laid out, fixed, its answer found), explained one
// after another. Target: a median under 1 ms per explanation. BM_ExplainMadePuzzle reports each
// explanation's own time as counters (median_us, p90_us, max_us); BM_ExplainKind the mean by kind.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "board/board.h"
#include "logic/explanation.h"
#include "logic/random.h"
#include "logic/templates.h"

namespace {

struct TMadePuzzle {
    int Kind = 0;
    TMatrix Position;
    TMove Answer;
};

const std::vector<TMadePuzzle>& MadePuzzles() {
    static const std::vector<TMadePuzzle> puzzles = [] {
        SeedProgramRandom(2026);
        std::vector<TMadePuzzle> made;
        TBoard board;
        for (int n = 0; n < 600; ++n) {
            const int kind = n % 6 + 1;
            std::string text = DrawTemplate(kind, ProgramRandom()).Text;
            board.MakePuzzle(text);
            board.Fix();
            if (const std::optional<TFoundAnswer> answer = board.FindAnswer())
                made.push_back({kind, board.Matrix(), answer->Move});
        }
        return made;
    }();
    return puzzles;
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

void BM_ExplainMadePuzzle(benchmark::State& state) {
    const auto& puzzles = MadePuzzles();
    std::vector<double> micros;
    std::size_t next = 0;
    for (auto _ : state) {
        const TMadePuzzle& puzzle = puzzles[next++ % puzzles.size()];
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(Explain(puzzle.Position, puzzle.Answer));
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    state.counters["median_us"] = Percentile(micros, 0.5);
    state.counters["p90_us"] = Percentile(micros, 0.9);
    state.counters["max_us"] = Percentile(micros, 1.0);
}
BENCHMARK(BM_ExplainMadePuzzle)->Unit(benchmark::kMicrosecond);

void BM_ExplainKind(benchmark::State& state) {
    std::vector<const TMadePuzzle*> ofKind;
    for (const TMadePuzzle& puzzle : MadePuzzles())
        if (puzzle.Kind == state.range(0)) ofKind.push_back(&puzzle);
    std::size_t next = 0;
    for (auto _ : state) {
        const TMadePuzzle& puzzle = *ofKind[next++ % ofKind.size()];
        benchmark::DoNotOptimize(Explain(puzzle.Position, puzzle.Answer));
    }
}
BENCHMARK(BM_ExplainKind)->ArgName("kind")->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

}  // namespace
