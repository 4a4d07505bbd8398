// The nine techniques of TMatrix. Orders matter wherever the first find wins: every walk below
// follows the unit and cell orders named in its comment, see units.h for the tables.
//
// Place lists of a unit are held as 9-bit masks over the unit's positions in scan order (bit k =
// the unit's k-th cell). Two lists of the same unit hold the same cells in the same order exactly
// when their masks are equal, so comparing masks is comparing the lists.
#include <bit>

#include "logic/matrix.h"
#include "logic/technique_observer.h"
#include "logic/units.h"

using namespace units;

namespace {

// Multiplying the bits at 0, 9, ..., 54 by this moves bit 9k to 56 + k and every other product
// bit to a place of its own outside 56..62, so the seven bits arrive side by side, carry-free.
constexpr std::uint64_t kEveryNinthBit = 0x0040201008040201ull;
constexpr std::uint64_t kGatherNinths = [] {
    std::uint64_t m = 0;
    for (int j = 0; j < 7; ++j)
        m |= 1ull << (56 - 8 * j);
    return m;
}();

}  // namespace

// The place lists of the nine digits in one unit: the unit's 9 x 9 bit matrix (cells by digits)
// turned over. Cells 0..6 are packed nine bits apart in one word and gathered by one multiply per
// digit; cells 7 and 8 are added by hand.
std::array<unsigned, 9> TMatrix::PlacesOfDigits(const std::array<std::uint8_t, 9>& cells) const {
    std::uint64_t low = 0;
    for (int k = 0; k < 7; ++k)
        low |= std::uint64_t{masks_[cells[k]]} << (9 * k);
    const unsigned cell7 = masks_[cells[7]], cell8 = masks_[cells[8]];
    std::array<unsigned, 9> places{};
    for (int bit = 0; bit < 9; ++bit) {
        const std::uint64_t column = (low >> bit) & kEveryNinthBit;
        places[bit] = static_cast<unsigned>((column * kGatherNinths) >> 56) |
                      ((cell7 >> bit) & 1u) << 7 | ((cell8 >> bit) & 1u) << 8;
    }
    return places;
}

namespace {

TMove MoveAt(int index, int digit) {
    return {ColOf(index), RowOf(index), digit};
}

}  // namespace

// --- Levels 1-3 ----------------------------------------------------------------------------

std::optional<TMove> TMatrix::FindJustOneEmptyCell() const {
    for (const int unit : kRowsColumnsBoxesByColumn) {
        int emptyCell = -1, empties = 0;
        unsigned placed = 0;
        for (const int j : kUnitCells[unit]) {
            if (values_[j] == 0) {
                emptyCell = j;
                ++empties;
            } else {
                placed |= Bit(values_[j]);
            }
        }
        if (empties != 1) continue;
        // With a digit twice in the unit no single digit is missing: no move here.
        const unsigned missing = kAllDigits & ~placed;
        if (IsSingle(missing)) return MoveAt(emptyCell, DigitOf(missing));
    }
    return std::nullopt;
}

std::array<std::uint16_t, 27> TMatrix::AllUnitSingles() const {
    std::array<std::uint16_t, 27> singles{};
    for (int unit = 0; unit < 27; ++unit)
        singles[unit] = static_cast<std::uint16_t>(UnitSingles(unit));
    return singles;
}

std::optional<TMove> TMatrix::FindOnlyOnePlaceLeft(
    int d, const std::array<std::uint16_t, 27>& singles) const {
    for (const int unit : kRowsColumnsBoxes) {
        if (singles[unit] & Bit(d)) {
            const TCell cell = CandidateCellInUnit(unit, d);
            return TMove{cell.Col, cell.Row, d};
        }
    }
    return std::nullopt;
}

std::optional<TMove> TMatrix::FindOnlyOnePlaceLeft(int d) const {
    if (d < 1 || d > 9) return std::nullopt;
    return FindOnlyOnePlaceLeft(d, AllUnitSingles());
}

std::optional<TMove> TMatrix::FindOnlyMissingNumber() const {
    for (int i = 0; i < 81; ++i) {
        if (values_[i] == 0 && IsSingle(masks_[i])) return MoveAt(i, DigitOf(masks_[i]));
    }
    return std::nullopt;
}

std::optional<TMove> TMatrix::FindAnyForcedMove() const {
    if (auto move = FindOnlyMissingNumber()) return move;
    if (auto move = FindJustOneEmptyCell()) return move;
    const auto singles = AllUnitSingles();
    for (int d = 1; d <= 9; ++d) {
        if (auto move = FindOnlyOnePlaceLeft(d, singles)) return move;
    }
    return std::nullopt;
}

// --- Level 4 -------------------------------------------------------------------------------

// Rows y = 0..8 with their segments s = 0..2, then the columns. S, R and B are read before
// either removal of a segment.
bool TMatrix::ApplyMyReservedSeat(TTechniqueObserver* observer) {
    bool changed = false;
    for (int s = 0; s < static_cast<int>(kLineSegments.size()); ++s) {
        const TLineSegment& seg = kLineSegments[static_cast<std::size_t>(s)];
        unsigned shared = 0, lineRest = 0, boxRest = 0;
        for (const int j : seg.shared)
            shared |= masks_[j];
        for (const int j : seg.lineRest)
            lineRest |= masks_[j];
        for (const int j : seg.boxRest)
            boxRest |= masks_[j];
        // The box can hold these only in the segment: the rest of the line loses them.
        const unsigned offLine = shared & lineRest & ~boxRest;
        // The line can hold these only in the segment: the rest of the box loses them.
        const unsigned offBox = shared & boxRest & ~lineRest;
        if (observer && (offLine | offBox)) {
            const int first = seg.shared[0];
            const int line = s < 27 ? RowOf(first) : kFirstColumn + ColOf(first);
            const int box = BoxUnit(ColOf(first) / 3, RowOf(first) / 3);
            for (int d = 1; d <= 9; ++d) {
                if (offLine & Bit(d)) observer->Locked(*this, d, box, line);
            }
            for (int d = 1; d <= 9; ++d) {
                if (offBox & Bit(d)) observer->Locked(*this, d, line, box);
            }
        }
        if (offLine) {
            for (const int j : seg.lineRest)
                changed |= ClearBits(j, offLine);
        }
        if (offBox) {
            for (const int j : seg.boxRest)
                changed |= ClearBits(j, offBox);
        }
    }
    return changed;
}

// One pass for digit d along rows (or, with alongColumns, along columns). "line" is the row (or
// column) and "pos" the place along it; boxes are visited with the band of lines outer.
bool TMatrix::ReservedSeatPassOfDigit(int d, bool alongColumns) {
    const unsigned bit = Bit(d);
    auto at = [alongColumns](int line, int pos) {
        return alongColumns ? Index(line, pos) : Index(pos, line);
    };
    auto removeFromLineOutsideStack = [&](int line, int stack) {
        bool changed = false;
        for (int pos = 0; pos < 9; ++pos) {
            if (pos / 3 != stack) changed |= ClearBits(at(line, pos), bit);
        }
        return changed;
    };
    auto removeFromBoxOutsideLine = [&](int line, int stack) {
        bool changed = false;
        for (int other = 3 * (line / 3); other < 3 * (line / 3) + 3; ++other) {
            if (other == line) continue;
            for (int pos = 3 * stack; pos < 3 * stack + 3; ++pos) {
                changed |= ClearBits(at(other, pos), bit);
            }
        }
        return changed;
    };

    bool changed = false;
    // (a) A box whose candidates for d lie in one of its lines: that line outside the box.
    for (int band = 0; band < 3; ++band) {
        for (int stack = 0; stack < 3; ++stack) {
            int linesWithD = 0, theLine = -1;
            for (int line = 3 * band; line < 3 * band + 3; ++line) {
                for (int pos = 3 * stack; pos < 3 * stack + 3; ++pos) {
                    if (masks_[at(line, pos)] & bit) {
                        ++linesWithD;
                        theLine = line;
                        break;
                    }
                }
            }
            if (linesWithD == 1) changed |= removeFromLineOutsideStack(theLine, stack);
        }
    }
    // (b) A line whose candidates for d (more than one) lie in one box: the box's other lines.
    for (int line = 0; line < 9; ++line) {
        int count = 0;
        unsigned stacks = 0;
        for (int pos = 0; pos < 9; ++pos) {
            if (masks_[at(line, pos)] & bit) {
                ++count;
                stacks |= 1u << (pos / 3);
            }
        }
        // A placed d has no candidate cells in its line, so count > 1 means d is not placed.
        if (count > 1 && IsSingle(stacks)) {
            changed |= removeFromBoxOutsideLine(line, std::countr_zero(stacks));
        }
    }
    return changed;
}

// A row pass; then column pass and row pass in turn until one of them removes nothing.
bool TMatrix::ApplyMyReservedSeatOfDigit(int d) {
    if (d < 1 || d > 9) return false;
    bool changed = ReservedSeatPassOfDigit(d, false);
    while (ReservedSeatPassOfDigit(d, true)) {
        changed = true;
        if (!ReservedSeatPassOfDigit(d, false)) break;
    }
    return changed;
}

// --- Level 5 -------------------------------------------------------------------------------

// Rows, columns, boxes (box rows outer); box cells row by row. A cell of n candidates forms a
// subset with the later cells of exactly its mask; the cells before it always count as the rest.
bool TMatrix::ApplyYourReservedSeat(TTechniqueObserver* observer) {
    bool changed = false;
    for (const int unit : kRowsColumnsBoxes) {
        const auto& cells = kUnitCellsRowByRow[unit];
        const int empties = UnitEmptyCount(unit);
        int budget = empties;
        for (int k = 0; k < 9; ++k) {
            const unsigned mask = masks_[cells[k]];
            const int n = CountOf(mask);
            if (n <= 1) continue;
            if (n <= budget && n < empties) {
                int matching = 1;
                for (int j = k + 1; j < 9; ++j)
                    matching += masks_[cells[j]] == mask;
                if (matching == n) {
                    if (observer) {
                        TUnitCellSet subset;
                        for (int j = k; j < 9; ++j) {
                            if (j == k || masks_[cells[j]] == mask) subset.Add(cells[j]);
                        }
                        observer->Naked(*this, unit, subset, mask);
                    }
                    for (int j = 0; j < 9; ++j) {
                        if (j == k || (j > k && masks_[cells[j]] == mask)) continue;
                        changed |= ClearBits(cells[j], mask);
                    }
                }
            }
            --budget;
        }
    }
    return changed;
}

// --- Level 6 -------------------------------------------------------------------------------

// Rows, columns, boxes (box rows outer). The place lists of all nine digits are taken before the
// unit changes. A digit groups with the larger digits of the same place list; when the list has
// as many cells as the group has digits, those cells keep only the group's digits.
bool TMatrix::ApplyOurReservedSeat(TTechniqueObserver* observer) {
    bool changed = false;
    for (const int unit : kRowsColumnsBoxes) {
        const auto& cells = kUnitCells[unit];
        const auto places = PlacesOfDigits(cells);  // places[d - 1]: bit k = cell k has d
        for (int d = 1; d <= 9; ++d) {
            const unsigned list = places[d - 1];
            if (list == 0) continue;
            unsigned group = Bit(d);
            for (int e = d + 1; e <= 9; ++e) {
                if (places[e - 1] == list) group |= Bit(e);
            }
            if (CountOf(list) != CountOf(group)) continue;
            if (observer) {
                TUnitCellSet subset;
                for (int k = 0; k < 9; ++k) {
                    if (list & (1u << k)) subset.Add(cells[k]);
                }
                observer->Hidden(*this, unit, subset, group);
            }
            for (int k = 0; k < 9; ++k) {
                if (list & (1u << k)) changed |= ClearBits(cells[k], kAllDigits & ~group);
            }
        }
    }
    return changed;
}

bool TMatrix::ApplyAllReservedSeats(TTechniqueObserver* observer) {
    bool changed;
    do {
        changed = ApplyMyReservedSeat(observer);
        changed |= ApplyYourReservedSeat(observer);
        changed |= ApplyOurReservedSeat(observer);
    } while (changed);
    return true;
}

// --- Levels 7 and 8 ------------------------------------------------------------------------

bool TMatrix::LeadsToBlock(int a, TCell cell, int w, TTechniqueObserver* observer) const {
    if (w < 1 || w > 9) return false;
    TMatrix copy = *this;
    copy.SetValue(cell.Col, cell.Row, a);
    bool placed = false;
    for (;;) {
        int found = -1;
        for (const int unit : kBoxesRowsColumns) {
            if (copy.UnitSingles(unit) & Bit(w)) {
                found = unit;
                break;
            }
        }
        if (found < 0) break;
        const TCell single = copy.CandidateCellInUnit(found, w);
        if (observer) observer->CascadePlaced(copy, found, Index(single.Col, single.Row), w);
        copy.SetValue(single.Col, single.Row, w);
        placed = true;
    }
    // Without a hidden single of w the test proves nothing, even if w is blocked already.
    return placed && copy.DigitBlocked(w);
}

// Cells of two candidates a < b in index order. follow(a, b) is the digit whose cascade is
// followed after placing a; when it blocks, the cell takes b.
template <typename Follow>
std::optional<TMove> TMatrix::FindByContradiction(Follow follow) const {
    for (int i = 0; i < 81; ++i) {
        const unsigned mask = masks_[i];
        if (CountOf(mask) != 2) continue;
        const int a = LowestDigitOf(mask), b = DigitOf(mask);
        const TCell cell{ColOf(i), RowOf(i)};
        if (LeadsToBlock(a, cell, follow(a, b))) return MoveAt(i, b);
        if (LeadsToBlock(b, cell, follow(b, a))) return MoveAt(i, a);
    }
    return std::nullopt;
}

std::optional<TMove> TMatrix::FindKeepOff() const {
    return FindByContradiction([](int placed, int /*other*/) { return placed; });
}

std::optional<TMove> TMatrix::FindGetOut() const {
    return FindByContradiction([](int /*placed*/, int other) { return other; });
}

// --- Level 9 -------------------------------------------------------------------------------

TMatrixState TMatrix::TryCandidate(int x, int y, int d, TTechniqueObserver* observer) const {
    TMatrix copy = *this;
    copy.SetValue(x, y, d);
    auto play = [&](const TMove& move) {
        if (observer) observer->ForcedMove(copy, move);
        copy.Play(move);
    };
    for (;;) {
        TMatrixState state = copy.GetState();
        if (state == msSolved || state == msContradiction) return state;
        copy.ApplyAllReservedSeats(observer);
        if (auto move = copy.FindAnyForcedMove()) {
            play(*move);
            continue;
        }
        state = copy.GetState();
        if (state == msSolved || state == msContradiction) return state;
        if (auto move = copy.FindOnlyMissingNumber()) {
            play(*move);
            continue;
        }
        return msStuck;
    }
}

bool TMatrix::ApplyPuzzled() {
    for (int n = 2; n <= 4; ++n) {
        for (int i = 0; i < 81; ++i) {
            const unsigned mask = masks_[i];
            if (CountOf(mask) != n) continue;
            for (int d = 1; d <= 9; ++d) {
                if ((mask & Bit(d)) && TryCandidate(ColOf(i), RowOf(i), d) == msContradiction) {
                    return ClearBits(i, Bit(d));
                }
            }
        }
    }
    return false;
}
