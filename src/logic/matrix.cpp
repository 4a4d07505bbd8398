// TMatrix: values, candidates, scans and the state of a position. The techniques are in
// techniques.cpp.
//
// Public operations check their arguments (a cell off the grid or a digit outside 1..9 reads as
// nothing and changes nothing); the private helpers take cell indexes and trust them.
#include <bit>

#include "logic/matrix.h"
#include "logic/units.h"

using namespace units;

namespace {

bool OnGrid(int x, int y) {
    return x >= 0 && x < 9 && y >= 0 && y < 9;
}
bool IsDigit(int d) {
    return d >= 1 && d <= 9;
}
bool IsBox(int bx, int by) {
    return bx >= 0 && bx < 3 && by >= 0 && by < 3;
}
int BoxUnitOfCell(int x, int y) {
    return BoxUnit(x / 3, y / 3);
}

}  // namespace

void TMatrix::Reset() {
    values_.fill(0);
    masks_.fill(kAllDigits);
}

int TMatrix::GetValue(int x, int y) const {
    return OnGrid(x, y) ? values_[Index(x, y)] : -1;
}

void TMatrix::SetValue(int x, int y, int d) {
    if (!OnGrid(x, y) || d < 0 || d > 9) return;
    const int i = Index(x, y);
    const int old = values_[i];
    values_[i] = static_cast<std::uint8_t>(d);
    if (d >= 1) {
        masks_[i] = 0;
        const auto keep = static_cast<std::uint16_t>(~Bit(d));
        for (const int unit : {y, kFirstColumn + x, BoxUnitOfCell(x, y)}) {
            for (const int j : kUnitCells[unit])
                masks_[j] &= keep;
        }
        return;
    }
    // Cleared: the placed digits of every unit as they now stand.
    std::array<unsigned, 27> placed{};
    for (int u = 0; u < 27; ++u) {
        for (const int j : kUnitCells[u]) {
            if (values_[j] != 0) placed[u] |= Bit(values_[j]);
        }
    }
    auto seen = [&](int cx, int cy) {
        return placed[cy] | placed[kFirstColumn + cx] | placed[BoxUnitOfCell(cx, cy)];
    };
    // The old digit comes back to every empty cell of the grid that no longer sees it, even
    // where a deduction had removed it.
    if (old != 0) {
        for (int j = 0; j < 81; ++j) {
            if (values_[j] == 0 && (seen(ColOf(j), RowOf(j)) & Bit(old)) == 0) {
                masks_[j] |= Bit(old);
            }
        }
    }
    masks_[i] = static_cast<std::uint16_t>(kAllDigits & ~seen(x, y));
}

bool TMatrix::HasCandidate(int x, int y, int d) const {
    return OnGrid(x, y) && IsDigit(d) && (masks_[Index(x, y)] & Bit(d)) != 0;
}

int TMatrix::GetCandidates(int x, int y) const {
    return OnGrid(x, y) ? masks_[Index(x, y)] : 0;
}

int TMatrix::CandidateCount(int x, int y) const {
    return OnGrid(x, y) ? CountOf(masks_[Index(x, y)]) : 0;
}

std::string TMatrix::CandidateText(int x, int y) const {
    std::string text;
    if (!OnGrid(x, y)) return text;
    for (int d = 1; d <= 9; ++d) {
        if (masks_[Index(x, y)] & Bit(d)) text += static_cast<char>('0' + d);
    }
    return text;
}

bool TMatrix::RemoveCandidate(int x, int y, int d) {
    return OnGrid(x, y) && IsDigit(d) && ClearBits(Index(x, y), Bit(d));
}

bool TMatrix::ClearBits(int i, unsigned bits) {
    if ((masks_[i] & bits) == 0) return false;
    masks_[i] = static_cast<std::uint16_t>(masks_[i] & ~bits);
    return true;
}

bool TMatrix::RowHas(int y, int d) const {
    if (!OnGrid(0, y) || !IsDigit(d)) return false;
    for (const int j : kUnitCells[y]) {
        if (values_[j] == d) return true;
    }
    return false;
}

bool TMatrix::ColumnHas(int x, int d) const {
    if (!OnGrid(x, 0) || !IsDigit(d)) return false;
    for (const int j : kUnitCells[kFirstColumn + x]) {
        if (values_[j] == d) return true;
    }
    return false;
}

bool TMatrix::BoxHas(int x, int y, int d) const {
    if (!OnGrid(x, y) || !IsDigit(d)) return false;
    for (const int j : kUnitCells[BoxUnitOfCell(x, y)]) {
        if (values_[j] == d) return true;
    }
    return false;
}

int TMatrix::UnitEmptyCount(int unit) const {
    int count = 0;
    for (const int j : kUnitCells[unit])
        count += values_[j] == 0;
    return count;
}

int TMatrix::RowEmptyCount(int y) const {
    return OnGrid(0, y) ? UnitEmptyCount(y) : 0;
}

int TMatrix::ColumnEmptyCount(int x) const {
    return OnGrid(x, 0) ? UnitEmptyCount(kFirstColumn + x) : 0;
}

int TMatrix::BoxEmptyCount(int bx, int by) const {
    return IsBox(bx, by) ? UnitEmptyCount(BoxUnit(bx, by)) : 0;
}

int TMatrix::EmptyCount() const {
    int count = 0;
    for (const int v : values_)
        count += v == 0;
    return count;
}

// --- Scans ---------------------------------------------------------------------------------

bool TMatrix::ScanUnit(int unit, int d, TCell& cell, TCellList& list) const {
    list.Clear();
    for (const int j : kUnitCells[unit]) {
        if (values_[j] == d) {
            cell = {ColOf(j), RowOf(j)};
            list.Clear();
            return true;
        }
        if (masks_[j] & Bit(d)) list.Add({ColOf(j), RowOf(j)});
    }
    return false;
}

bool TMatrix::ScanRow(int y, int d, TCell& cell, TCellList& list) const {
    list.Clear();
    return OnGrid(0, y) && IsDigit(d) && ScanUnit(y, d, cell, list);
}

bool TMatrix::ScanColumn(int x, int d, TCell& cell, TCellList& list) const {
    list.Clear();
    return OnGrid(x, 0) && IsDigit(d) && ScanUnit(kFirstColumn + x, d, cell, list);
}

bool TMatrix::ScanBox(int bx, int by, int d, TCell& cell, TCellList& list) const {
    list.Clear();
    return IsBox(bx, by) && IsDigit(d) && ScanUnit(BoxUnit(bx, by), d, cell, list);
}

namespace {

// Runs a scan into a cell list and hands its cells over as a pair list.
template <typename Scan>
bool ScanIntoPairs(Scan scan, TD2IntegerList& list) {
    TCellList cells;
    const bool placed = scan(cells);
    cells.CopyTo(list);
    return placed;
}

}  // namespace

bool TMatrix::ScanRow(int y, int d, TCell& cell, TD2IntegerList& list) const {
    return ScanIntoPairs([&](TCellList& cells) { return ScanRow(y, d, cell, cells); }, list);
}

bool TMatrix::ScanColumn(int x, int d, TCell& cell, TD2IntegerList& list) const {
    return ScanIntoPairs([&](TCellList& cells) { return ScanColumn(x, d, cell, cells); }, list);
}

bool TMatrix::ScanBox(int bx, int by, int d, TCell& cell, TD2IntegerList& list) const {
    return ScanIntoPairs([&](TCellList& cells) { return ScanBox(bx, by, d, cell, cells); }, list);
}

// --- Units as masks ------------------------------------------------------------------------
// A placed digit never shows in a mask of its units, so "d is placed or has a candidate cell"
// is one bit of the union below, and "d is not placed and has one place" one bit of the
// singles.

unsigned TMatrix::UnitCoverage(int unit) const {
    unsigned covered = 0;
    for (const int j : kUnitCells[unit]) {
        covered |= values_[j] != 0 ? Bit(values_[j]) : masks_[j];
    }
    return covered;
}

unsigned TMatrix::UnitSingles(int unit) const {
    unsigned once = 0, twice = 0;
    for (const int j : kUnitCells[unit]) {
        twice |= once & masks_[j];
        once |= masks_[j];
    }
    return once & ~twice;
}

TCell TMatrix::CandidateCellInUnit(int unit, int d) const {
    for (const int j : kUnitCells[unit]) {
        if (masks_[j] & Bit(d)) return {ColOf(j), RowOf(j)};
    }
    return {-1, -1};
}

bool TMatrix::DigitBlocked(int d) const {
    if (!IsDigit(d)) return false;
    for (const int unit : kRowsColumnsBoxes) {
        if ((UnitCoverage(unit) & Bit(d)) == 0) return true;
    }
    return false;
}

TMatrixState TMatrix::GetState() const {
    unsigned anyCandidate = 0;
    for (const int unit : kRowsColumnsBoxes) {
        if (UnitCoverage(unit) != kAllDigits) return msContradiction;
    }
    for (const auto mask : masks_)
        anyCandidate |= mask;
    return anyCandidate == 0 ? msSolved : msOpen;
}
