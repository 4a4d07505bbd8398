// Positions that several tests and the benchmarks use, as position texts (81 characters row by
// row, "0" for an empty cell).
#pragma once

namespace known {

// A solved grid (rows: 123456789 456789123 789123456 214365897 ...).
inline constexpr const char* kSolvedGrid =
    "123456789456789123789123456214365897365897214897214365531642978642978531978531642";

// The first template of kind 4, untransformed: no move of levels 1-3 until one round of
// level 4 eliminations.
inline constexpr const char* kKind4FirstTemplate =
    "205670340000000000000000000100000000000000000080000000006000000007000000008000000";

// An easy puzzle with one solution that singles alone solve; (0, 0) is 4.
inline constexpr const char* kEasyPuzzle =
    "003020600900305001001806400008102900700000008006708200002609500800203009005010300";

// A well-known hard puzzle with one solution; its first row is 812753649.
inline constexpr const char* kHardPuzzle =
    "800000000003600000070090200050007000000045700000100030001000068008500010090000400";

}  // namespace known
