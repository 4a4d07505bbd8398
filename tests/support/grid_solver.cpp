// Backtracking over digit bitmasks, always at the empty cell with the fewest choices. Counting
// also branches on a digit's places in a unit when they are fewer, so that a position whose
// contradiction hides in one unit (a digit with no place left) fails at once, even on a grid
// with few givens.
#include "support/grid_solver.h"

#include <bit>
#include <numeric>

namespace testgrid {

namespace {

constexpr unsigned kAll = 0x1FF;

int BoxOf(int i) {
    return (i % 9) / 3 + 3 * (i / 27);
}

// The cells of the 27 units: rows, columns, boxes.
const std::array<std::array<int, 9>, 27> kUnits = [] {
    std::array<std::array<int, 9>, 27> units{};
    for (int u = 0; u < 9; ++u) {
        for (int k = 0; k < 9; ++k) {
            units[u][k] = k + 9 * u;
            units[9 + u][k] = u + 9 * k;
            units[18 + u][k] = 3 * (u % 3) + k % 3 + 9 * (3 * (u / 3) + k / 3);
        }
    }
    return units;
}();

// The digits used in each row, column and box.
struct TUsed {
    std::array<unsigned, 9> rows{}, columns{}, boxes{};

    bool Place(int i, int d) {
        const unsigned bit = 1u << (d - 1);
        if ((rows[i / 9] | columns[i % 9] | boxes[BoxOf(i)]) & bit) return false;
        rows[i / 9] |= bit;
        columns[i % 9] |= bit;
        boxes[BoxOf(i)] |= bit;
        return true;
    }
    void Remove(int i, int d) {
        const unsigned bit = ~(1u << (d - 1));
        rows[i / 9] &= bit;
        columns[i % 9] &= bit;
        boxes[BoxOf(i)] &= bit;
    }
    unsigned Free(int i) const { return kAll & ~(rows[i / 9] | columns[i % 9] | boxes[BoxOf(i)]); }
};

class TSearch {
  public:
    TSearch(const TGrid& grid, int limit, TGrid* first, TRandom* random)
        : grid_(grid), limit_(limit), first_(first), random_(random) {}

    // False when the givens already clash.
    bool Start() {
        for (int i = 0; i < 81; ++i) {
            if (grid_[i] != 0 && !used_.Place(i, grid_[i])) return false;
        }
        return true;
    }

    int Run() {
        Search();
        return found_;
    }

  private:
    // The places of the digit with the fewest places in some unit, when fewer than `fewest`;
    // false when some digit has no place left in some unit.
    bool FewestPlaces(int& fewest, int& digit, std::array<int, 9>& places) const {
        for (const auto& unit : kUnits) {
            std::array<int, 9> count{};
            unsigned placed = 0;
            for (const int i : unit) {
                if (grid_[i] != 0) {
                    placed |= 1u << (grid_[i] - 1);
                    continue;
                }
                const unsigned free = used_.Free(i);
                for (int d = 0; d < 9; ++d)
                    count[d] += (free >> d) & 1u;
            }
            for (int d = 0; d < 9; ++d) {
                if (placed & (1u << d)) continue;
                if (count[d] == 0) return false;
                if (count[d] >= fewest) continue;
                fewest = count[d];
                digit = d + 1;
                int n = 0;
                for (const int i : unit)
                    if (grid_[i] == 0 && (used_.Free(i) & (1u << d))) places[n++] = i;
            }
        }
        return true;
    }

    void Try(int i, int d) {
        used_.Place(i, d);
        grid_[i] = d;
        Search();
        grid_[i] = 0;
        used_.Remove(i, d);
    }

    void Search() {
        int best = -1, bestCount = 10;
        for (int i = 0; i < 81 && bestCount > 1; ++i) {
            if (grid_[i] != 0) continue;
            const int count = std::popcount(used_.Free(i));
            if (count < bestCount) {
                best = i;
                bestCount = count;
            }
        }
        if (best < 0) {
            if (found_++ == 0 && first_) *first_ = grid_;
            return;
        }
        if (!random_ && bestCount > 1) {
            int fewest = bestCount, digit = 0;
            std::array<int, 9> places{};
            if (!FewestPlaces(fewest, digit, places)) return;
            if (digit != 0) {
                for (int k = 0; k < fewest && found_ < limit_; ++k)
                    Try(places[k], digit);
                return;
            }
        }
        std::array<int, 9> digits{};
        int n = 0;
        for (int d = 1; d <= 9; ++d) {
            if (used_.Free(best) & (1u << (d - 1))) digits[n++] = d;
        }
        if (random_) {
            for (int k = n - 1; k > 0; --k)
                std::swap(digits[k], digits[random_->Below(k + 1)]);
        }
        for (int k = 0; k < n && found_ < limit_; ++k)
            Try(best, digits[k]);
    }

    TGrid grid_;
    TUsed used_;
    int limit_;
    TGrid* first_;
    TRandom* random_;
    int found_ = 0;
};

}  // namespace

TGrid FromText(std::string_view text) {
    TGrid grid{};
    for (int i = 0; i < 81 && i < static_cast<int>(text.size()); ++i)
        grid[i] = text[i] - '0';
    return grid;
}

std::string ToText(const TGrid& grid) {
    std::string text(81, '0');
    for (int i = 0; i < 81; ++i)
        text[i] = static_cast<char>('0' + grid[i]);
    return text;
}

bool IsConsistent(const TGrid& grid) {
    return TSearch(grid, 0, nullptr, nullptr).Start();
}

int CountSolutions(const TGrid& puzzle, int limit, TGrid* first) {
    TSearch search(puzzle, limit, first, nullptr);
    return search.Start() ? search.Run() : 0;
}

TGrid RandomSolvedGrid(TRandom& random) {
    TGrid grid{};
    TSearch search(TGrid{}, 1, &grid, &random);
    search.Start();
    search.Run();
    return grid;
}

TGrid KeepRandomCells(const TGrid& solution, int givens, TRandom& random) {
    std::array<int, 81> order{};
    std::iota(order.begin(), order.end(), 0);
    for (int k = 80; k > 0; --k)
        std::swap(order[k], order[random.Below(k + 1)]);
    TGrid puzzle{};
    for (int k = 0; k < givens && k < 81; ++k)
        puzzle[order[k]] = solution[order[k]];
    return puzzle;
}

}  // namespace testgrid
