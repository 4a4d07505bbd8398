// The exact solution counter. A node of the search is a copy of a small state (the values and
// the 27 unit masks), so going back is dropping the copy. Most positions the practice maker
// asks about have a wrong digit put in on purpose, so what matters is finding a contradiction
// fast: each pass fills every naked and hidden single and checks every unit for a digit
// without room.
#include "logic/solution_counter.h"

#include <array>

#include "logic/matrix.h"
#include "logic/random.h"
#include "logic/units.h"

using namespace units;

namespace {

// The units of each cell: its row, its column and its box.
constexpr std::array<std::array<std::uint8_t, 3>, 81> kUnitsOfCell = [] {
    std::array<std::array<std::uint8_t, 3>, 81> table{};
    for (int i = 0; i < 81; ++i) {
        table[i] = {static_cast<std::uint8_t>(RowOf(i)),
                    static_cast<std::uint8_t>(kFirstColumn + ColOf(i)),
                    static_cast<std::uint8_t>(BoxUnit(ColOf(i) / 3, RowOf(i) / 3))};
    }
    return table;
}();

// Whether the mask holds exactly one digit (without a popcount, which the baseline target
// lacks).
constexpr bool OneDigit(unsigned mask) {
    return mask != 0 && (mask & (mask - 1)) == 0;
}

struct TState {
    TGridValues values{};
    std::array<std::uint16_t, 27> used{};  // the digits placed in each unit

    unsigned Free(int i) const {
        const auto& u = kUnitsOfCell[i];
        return kAllDigits & ~(used[u[0]] | used[u[1]] | used[u[2]]);
    }
    // False when the digit stands in one of the cell's units already.
    bool Place(int i, int d) {
        if ((Free(i) & Bit(d)) == 0) return false;
        values[i] = static_cast<std::uint8_t>(d);
        for (const int unit : kUnitsOfCell[i])
            used[unit] = static_cast<std::uint16_t>(used[unit] | Bit(d));
        return true;
    }

    // Naked and hidden singles until there are none; false at a contradiction.
    bool PlaceSingles() {
        for (bool progress = true; progress;) {
            progress = false;
            // The free digits of the empty cells as the pass begins. Placements only shrink
            // them, so the stale sets are supersets: a digit without room in them has none, and
            // a hidden single read from them is checked again as it is placed.
            std::array<std::uint16_t, 81> free{};
            for (int i = 0; i < 81; ++i) {
                if (values[i] != 0) continue;
                const unsigned f = Free(i);
                if (f == 0) return false;
                if (OneDigit(f)) {
                    Place(i, DigitOf(f));
                    progress = true;
                } else {
                    free[i] = static_cast<std::uint16_t>(f);
                }
            }
            for (int unit = 0; unit < 27; ++unit) {
                unsigned once = 0, twice = 0;
                for (const int j : kUnitCells[unit]) {
                    twice |= once & free[j];
                    once |= free[j];
                }
                if ((once | used[unit]) != kAllDigits) return false;
                for (unsigned singles = once & ~twice & ~used[unit]; singles != 0;
                     singles &= singles - 1) {
                    const int d = LowestDigitOf(singles);
                    for (const int j : kUnitCells[unit]) {
                        if ((free[j] & Bit(d)) == 0) continue;
                        // Its one place was taken meanwhile, or d went into a crossing unit.
                        if (!Place(j, d)) return false;
                        progress = true;
                        break;
                    }
                }
            }
        }
        return true;
    }
};

class TSearch {
  public:
    TSearch(int limit, TGridValues* first, TRandom* random)
        : limit_(limit), first_(first), random_(random) {}

    int Run(const TState& start) {
        Search(start);
        return found_;
    }

  private:
    void Search(TState s) {
        if (!s.PlaceSingles()) return;
        int best = -1, fewest = 10;
        for (int i = 0; i < 81 && fewest > 2; ++i) {
            if (s.values[i] != 0) continue;
            if (const int n = CountOf(s.Free(i)); n < fewest) {
                fewest = n;
                best = i;
            }
        }
        if (best < 0) {
            if (++found_ == 1 && first_) *first_ = s.values;
            return;
        }
        std::array<int, 9> digits{};
        int count = 0;
        for (unsigned free = s.Free(best); free != 0; free &= free - 1)
            digits[count++] = LowestDigitOf(free);
        if (random_) {
            for (int k = count - 1; k > 0; --k)
                std::swap(digits[k], digits[random_->Below(k + 1)]);
        }
        for (int k = 0; k < count && found_ < limit_; ++k) {
            TState next = s;
            next.Place(best, digits[k]);
            Search(next);
        }
    }

    int limit_;
    TGridValues* first_;
    TRandom* random_;
    int found_ = 0;
};

}  // namespace

TGridValues ValuesOf(const TMatrix& position) {
    TGridValues values{};
    for (int i = 0; i < 81; ++i)
        values[i] = static_cast<std::uint8_t>(position.ValueAt(i));
    return values;
}

int CountSolutions(const TGridValues& grid, int limit, TGridValues* first) {
    TState start;
    for (int i = 0; i < 81; ++i) {
        const int d = grid[i];
        if (d == 0) continue;
        if (d > 9 || !start.Place(i, d)) return 0;
    }
    return TSearch(limit < 1 ? 1 : limit, first, nullptr).Run(start);
}

TGridValues RandomSolvedGrid(TRandom& random) {
    TGridValues grid{};
    TSearch(1, &grid, &random).Run(TState{});
    return grid;
}
