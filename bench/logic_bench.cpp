// Speed of the puzzle logic on fixed positions: 0 a sparse template, 1 a mid-game position, 2 a
// hard position, 3 the slowest trial found. Targets: a copy under 100 ns, FindAnyForcedMove under 2
// us, one ApplyPuzzled on the hard position under 10 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "logic/matrix.h"
#include "logic/position_text.h"
#include "support/known_positions.h"

namespace {

// The first template of kind 4: eleven givens.
constexpr const char* kSparse = known::kKind4FirstTemplate;
// 44 givens of a solved grid.
constexpr const char* kMidGame =
    "483921000067305800201006400048000900029504000006708045000689514004250709090417082";
// Singles and subsets alone do not get far here.
constexpr const char* kHard = known::kHardPuzzle;

TMatrix Load(const char* text) {
    std::string error;
    return *MatrixFromText(text, error);
}

// The position as the solver meets it: levels 4-6 applied.
TMatrix Reduced(const char* text) {
    TMatrix matrix = Load(text);
    matrix.ApplyAllReservedSeats();
    return matrix;
}

// The slowest trial found among some 1500 positions played on from random grids: no candidate
// is proved wrong, so every candidate of every cell with two to four candidates is tried.
constexpr const char* kNothingToRemove =
    "085107000029008700706000080003214070000905020200806004004700360670003190030680457";

const char* PositionOf(const benchmark::State& state) {
    switch (state.range(0)) {
        case 0:
            return kSparse;
        case 1:
            return kMidGame;
        case 2:
            return kHard;
        default:
            return kNothingToRemove;
    }
}

void Positions(benchmark::internal::Benchmark* b) {
    b->ArgName("position")->Arg(0)->Arg(1)->Arg(2)->Arg(3);
}

void BM_Copy(benchmark::State& state) {
    const TMatrix source = Load(kMidGame);
    TMatrix target;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&source);
        target.CopyFrom(source);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Copy);

void BM_FindAnyForcedMove(benchmark::State& state) {
    const TMatrix matrix = Reduced(PositionOf(state));
    for (auto _ : state) {
        benchmark::DoNotOptimize(&matrix);
        benchmark::DoNotOptimize(matrix.FindAnyForcedMove());
    }
}
BENCHMARK(BM_FindAnyForcedMove)->Apply(Positions);

void BM_ApplyAllReservedSeats(benchmark::State& state) {
    const TMatrix start = Load(PositionOf(state));
    for (auto _ : state) {
        TMatrix matrix = start;
        benchmark::DoNotOptimize(matrix.ApplyAllReservedSeats());
    }
}
BENCHMARK(BM_ApplyAllReservedSeats)->Apply(Positions);

void BM_ApplyPuzzled(benchmark::State& state) {
    const TMatrix start = Reduced(PositionOf(state));
    for (auto _ : state) {
        TMatrix matrix = start;
        benchmark::DoNotOptimize(matrix.ApplyPuzzled());
    }
}
BENCHMARK(BM_ApplyPuzzled)->Apply(Positions)->Unit(benchmark::kMicrosecond);

}  // namespace
