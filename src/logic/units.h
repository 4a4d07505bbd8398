// The 27 units of the grid as tables of cell indexes, and the orders in which the techniques
// visit them. Internal to the puzzle logic.
//
// Index = col + 9 x row. Unit numbers: 0..8 the rows (y), 9..17 the columns (x), 18..26 the
// boxes, box 18 + bx + 3 x by. kUnitCells lists each unit's cells in scan order: a row from
// x = 0 to 8, a column from y = 0 to 8, a box column by column (x outer, y inner). Position k of a
// unit always means kUnitCells[unit][k].
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace units {

using TUnitCells = std::array<std::uint8_t, 9>;

constexpr int kFirstColumn = 9;
constexpr int kFirstBox = 18;

constexpr int Index(int col, int row) {
    return col + 9 * row;
}
constexpr int ColOf(int index) {
    return index % 9;
}
constexpr int RowOf(int index) {
    return index / 9;
}
constexpr int BoxUnit(int bx, int by) {
    return kFirstBox + bx + 3 * by;
}

// Bit d - 1 for digit d; 511 is the full set.
constexpr std::uint16_t kAllDigits = 511;
constexpr std::uint16_t Bit(int digit) {
    return static_cast<std::uint16_t>(1u << (digit - 1));
}
// The digit of a single-bit mask (for several bits: the highest).
constexpr int DigitOf(unsigned mask) {
    return std::bit_width(mask);
}
constexpr int LowestDigitOf(unsigned mask) {
    return std::countr_zero(mask) + 1;
}
constexpr bool IsSingle(unsigned mask) {
    return std::has_single_bit(mask);
}

// The number of digits in a mask, by table: the baseline x86-64 target has no popcount
// instruction, and the library call it falls back on dominated the trial.
inline constexpr std::array<std::uint8_t, 512> kDigitCount = [] {
    std::array<std::uint8_t, 512> counts{};
    for (unsigned m = 0; m < 512; ++m)
        counts[m] = static_cast<std::uint8_t>(std::popcount(m));
    return counts;
}();
constexpr int CountOf(unsigned mask) {
    return kDigitCount[mask & kAllDigits];
}

inline constexpr std::array<TUnitCells, 27> kUnitCells = [] {
    std::array<TUnitCells, 27> units{};
    for (int i = 0; i < 9; ++i) {
        for (int k = 0; k < 9; ++k) {
            units[i][k] = static_cast<std::uint8_t>(Index(k, i));
            units[kFirstColumn + i][k] = static_cast<std::uint8_t>(Index(i, k));
        }
    }
    for (int by = 0; by < 3; ++by) {
        for (int bx = 0; bx < 3; ++bx) {
            for (int k = 0; k < 9; ++k) {
                units[BoxUnit(bx, by)][k] =
                    static_cast<std::uint8_t>(Index(3 * bx + k / 3, 3 * by + k % 3));
            }
        }
    }
    return units;
}();

// The box cells row by row (position k = (3bx + k mod 3, 3by + k div 3)), as the naked subsets
// walk them; rows and columns as in kUnitCells.
inline constexpr std::array<TUnitCells, 27> kUnitCellsRowByRow = [] {
    auto units = kUnitCells;
    for (int by = 0; by < 3; ++by) {
        for (int bx = 0; bx < 3; ++bx) {
            for (int k = 0; k < 9; ++k) {
                units[BoxUnit(bx, by)][k] =
                    static_cast<std::uint8_t>(Index(3 * bx + k % 3, 3 * by + k / 3));
            }
        }
    }
    return units;
}();

using TUnitOrder = std::array<std::uint8_t, 27>;

// Rows, columns, then boxes with box rows outer and box columns inner.
inline constexpr TUnitOrder kRowsColumnsBoxes = [] {
    TUnitOrder order{};
    for (int u = 0; u < 27; ++u)
        order[u] = static_cast<std::uint8_t>(u);
    return order;
}();

// Rows, columns, then boxes with box columns outer and box rows inner.
inline constexpr TUnitOrder kRowsColumnsBoxesByColumn = [] {
    TUnitOrder order = kRowsColumnsBoxes;
    int next = kFirstBox;
    for (int bx = 0; bx < 3; ++bx) {
        for (int by = 0; by < 3; ++by)
            order[next++] = static_cast<std::uint8_t>(BoxUnit(bx, by));
    }
    return order;
}();

// Boxes (box rows outer), then rows, then columns.
inline constexpr TUnitOrder kBoxesRowsColumns = [] {
    TUnitOrder order{};
    int next = 0;
    for (int u = kFirstBox; u < 27; ++u)
        order[next++] = static_cast<std::uint8_t>(u);
    for (int u = 0; u < kFirstBox; ++u)
        order[next++] = static_cast<std::uint8_t>(u);
    return order;
}();

// One line (row or column) cut at one box: the three cells they share, the line's six other
// cells, and the box's six other cells.
struct TLineSegment {
    std::array<std::uint8_t, 3> shared;
    std::array<std::uint8_t, 6> lineRest;
    std::array<std::uint8_t, 6> boxRest;
};

// The 27 row segments (row y outer, segment s inner), then the 27 column segments.
inline constexpr std::array<TLineSegment, 54> kLineSegments = [] {
    std::array<TLineSegment, 54> segments{};
    int next = 0;
    for (int alongColumns = 0; alongColumns < 2; ++alongColumns) {
        // For a row, line = y and pos = x; for a column, line = x and pos = y.
        auto at = [&](int line, int pos) {
            return static_cast<std::uint8_t>(alongColumns ? Index(line, pos) : Index(pos, line));
        };
        for (int line = 0; line < 9; ++line) {
            for (int s = 0; s < 3; ++s) {
                TLineSegment& seg = segments[next++];
                int lineRest = 0, boxRest = 0;
                for (int pos = 0; pos < 9; ++pos) {
                    if (pos / 3 == s) {
                        seg.shared[pos % 3] = at(line, pos);
                    } else {
                        seg.lineRest[lineRest++] = at(line, pos);
                    }
                }
                for (int other = 3 * (line / 3); other < 3 * (line / 3) + 3; ++other) {
                    if (other == line) continue;
                    for (int pos = 3 * s; pos < 3 * s + 3; ++pos) {
                        seg.boxRest[boxRest++] = at(other, pos);
                    }
                }
            }
        }
    }
    return segments;
}();

}  // namespace units
