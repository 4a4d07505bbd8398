// Backtracking over digit bitmasks, always at the empty cell with the fewest choices.
#include "support/grid_solver.h"

#include <bit>
#include <numeric>

namespace testgrid {

namespace {

constexpr unsigned kAll = 0x1FF;

int BoxOf(int i) {
    return (i % 9) / 3 + 3 * (i / 27);
}

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
        std::array<int, 9> digits{};
        int n = 0;
        for (int d = 1; d <= 9; ++d) {
            if (used_.Free(best) & (1u << (d - 1))) digits[n++] = d;
        }
        if (random_) {
            for (int k = n - 1; k > 0; --k)
                std::swap(digits[k], digits[random_->Below(k + 1)]);
        }
        for (int k = 0; k < n && found_ < limit_; ++k) {
            used_.Place(best, digits[k]);
            grid_[best] = digits[k];
            Search();
            grid_[best] = 0;
            used_.Remove(best, digits[k]);
        }
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
