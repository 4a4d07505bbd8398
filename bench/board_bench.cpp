// Speed of making a round's puzzle on the board, per puzzle kind 1-6: a template drawn for the
// kind, MakePuzzle (disguise and lay-out), Fix and FindAnswer, on one board as the round uses
// it. Target: a median under 200 us for every kind (the median of the repetitions is reported).
#include <benchmark/benchmark.h>

#include <string>

#include "board/board.h"
#include "logic/random.h"
#include "logic/templates.h"

namespace {

void BM_MakeRound(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    SeedProgramRandom(static_cast<std::uint64_t>(kind));
    TBoard board;
    for (auto _ : state) {
        std::string text = DrawTemplate(kind, ProgramRandom()).Text;
        board.MakePuzzle(text);
        board.Fix();
        benchmark::DoNotOptimize(board.FindAnswer());
    }
}
BENCHMARK(BM_MakeRound)
    ->DenseRange(1, 6)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
