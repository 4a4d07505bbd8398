// The product's exact solution counter against the tests' reference solver.
#include <gtest/gtest.h>

#include <algorithm>

#include "logic/random.h"
#include "logic/solution_counter.h"
#include "support/grid_solver.h"

namespace {

TGridValues ValuesOfGrid(const testgrid::TGrid& grid) {
    TGridValues values{};
    for (int i = 0; i < 81; ++i)
        values[i] = static_cast<std::uint8_t>(grid[i]);
    return values;
}

// Positions cut from random solutions with 17-45 givens (few solutions to very many), a third
// of them with a digit put where the solution has another (often none then).
TEST(SolutionCounter, CountsAsTheReferenceSolverDoes) {
    TRandom random(41);
    for (int n = 0; n < 600; ++n) {
        const testgrid::TGrid solution = testgrid::RandomSolvedGrid(random);
        testgrid::TGrid grid = testgrid::KeepRandomCells(solution, random.Between(17, 45), random);
        if (n % 3 == 0) {
            int i = random.Below(81);
            while (grid[i] != 0)
                i = (i + 1) % 81;
            grid[i] = solution[i] % 9 + 1;
        }
        for (const int limit : {1, 2, 3}) {
            TGridValues first{};
            testgrid::TGrid expectedFirst{};
            const int expected = testgrid::CountSolutions(grid, limit, &expectedFirst);
            ASSERT_EQ(CountSolutions(ValuesOfGrid(grid), limit, &first), expected)
                << testgrid::ToText(grid) << " limit " << limit;
            if (expected == 1 && limit > 1) {
                EXPECT_EQ(first, ValuesOfGrid(expectedFirst));
            }
        }
    }
    // Givens that clash have no solution, whatever the rest.
    testgrid::TGrid clash{};
    clash[0] = clash[4] = 5;
    EXPECT_EQ(CountSolutions(ValuesOfGrid(clash), 2), 0);
    // The solved grids it draws are solutions, and differ from draw to draw.
    const TGridValues a = RandomSolvedGrid(random), b = RandomSolvedGrid(random);
    testgrid::TGrid asGrid{};
    for (int i = 0; i < 81; ++i)
        asGrid[i] = a[i];
    EXPECT_EQ(testgrid::CountSolutions(asGrid, 2), 1);
    EXPECT_EQ(std::count(a.begin(), a.end(), 0), 0);
    EXPECT_NE(a, b);
}

}  // namespace
