// TMatrix: one 9x9 position with the candidates of its empty cells, and the nine logical
// techniques that find forced moves in it.
//
// Conventions: cell (x, y) = (column, row), both 0..8; index = x + 9 x y; digit 1..9, value 0 for
// an empty cell. A candidate mask is a 9-bit set, bit d - 1 for digit d (511 = all); a filled
// cell always has mask 0. Only SetValue adds candidate bits, and never the bit of a digit that
// stands in the cell's row, column or box; the techniques only remove bits. So a digit placed in
// a unit never appears in a mask of that unit, which the techniques rely on.
//
// A matrix is two arrays of 81 small integers and nothing else: copying one is cheap, and every
// technique that tries something works on a copy.
//
// Technique levels: 1 FindJustOneEmptyCell, 2 FindOnlyOnePlaceLeft, 3 FindOnlyMissingNumber,
// 4 ApplyMyReservedSeat(OfDigit), 5 ApplyYourReservedSeat, 6 ApplyOurReservedSeat, 7 FindKeepOff,
// 8 FindGetOut, 9 ApplyPuzzled. Detectors return a move or nothing; eliminations return whether
// any candidate bit was cleared.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "logic/cells.h"
#include "storage/d2integers.h"

class TTechniqueObserver;

enum TMatrixState : std::uint8_t {
    msOpen = 0,  // work remains
    msSolved = 1,
    msStuck = 2,  // only from TryCandidate
    msContradiction = 3,
};

class TMatrix {
  public:
    TMatrix() { Reset(); }

    void Reset();
    void CopyFrom(const TMatrix& Other) { *this = Other; }
    friend bool operator==(const TMatrix&, const TMatrix&) = default;

    // --- Values and candidates ---------------------------------------------------------------

    // The value of (x, y); -1 off the grid.
    int GetValue(int x, int y) const;
    // Puts d (1..9) into (x, y) or clears it (0). Off the grid, or d outside 0..9: nothing.
    void SetValue(int x, int y, int d);
    void Play(const TMove& move) { SetValue(move.Col, move.Row, move.Digit); }

    bool HasCandidate(int x, int y, int d) const;
    int GetCandidates(int x, int y) const;
    int CandidateCount(int x, int y) const;
    // The candidate digits in ascending order ("139"); empty for mask 0.
    std::string CandidateText(int x, int y) const;
    // Clears the bit of d; returns whether it was set. The value is not touched.
    bool RemoveCandidate(int x, int y, int d);

    // By cell index, for walking the whole grid.
    int ValueAt(int index) const { return values_[index]; }
    int CandidatesAt(int index) const { return masks_[index]; }

    bool RowHas(int y, int d) const;
    bool ColumnHas(int x, int d) const;
    bool BoxHas(int x, int y, int d) const;
    int RowEmptyCount(int y) const;
    int ColumnEmptyCount(int x) const;
    int BoxEmptyCount(int bx, int by) const;
    int EmptyCount() const;

    // --- Scans -------------------------------------------------------------------------------
    // A scan walks one unit for d in scan order (row: x = 0..8; column: y = 0..8; box: column
    // by column). When a cell holds d it returns true with that cell in `cell` and an empty
    // list; otherwise false with every cell whose mask holds d, in scan order.

    bool ScanRow(int y, int d, TCell& cell, TCellList& list) const;
    bool ScanColumn(int x, int d, TCell& cell, TCellList& list) const;
    bool ScanBox(int bx, int by, int d, TCell& cell, TCellList& list) const;
    bool ScanRow(int y, int d, TCell& cell, TD2IntegerList& list) const;
    bool ScanColumn(int x, int d, TCell& cell, TD2IntegerList& list) const;
    bool ScanBox(int bx, int by, int d, TCell& cell, TD2IntegerList& list) const;

    // Some row, column or box has neither d placed nor a cell with candidate d.
    bool DigitBlocked(int d) const;
    // msContradiction when some unit has no room left for some digit; msSolved when no
    // candidate is left anywhere; else msOpen.
    TMatrixState GetState() const;

    // --- Forced moves (levels 1-3) -----------------------------------------------------------

    // Level 1: the first unit with one empty cell (rows, columns, boxes column by column).
    std::optional<TMove> FindJustOneEmptyCell() const;
    // Level 2: the first unit where d has one place left (rows, columns, boxes row by row).
    std::optional<TMove> FindOnlyOnePlaceLeft(int d) const;
    // Level 3: the first empty cell in index order with one candidate.
    std::optional<TMove> FindOnlyMissingNumber() const;
    // Level 3, then 1, then 2 for d = 1..9.
    std::optional<TMove> FindAnyForcedMove() const;

    // --- Eliminations (levels 4-6) -----------------------------------------------------------
    // An observer, when given, hears of each pattern just before its removals (see
    // technique_observer.h); it changes nothing in what the techniques do.

    bool ApplyMyReservedSeat(TTechniqueObserver* observer = nullptr);
    bool ApplyMyReservedSeatOfDigit(int d);
    bool ApplyYourReservedSeat(TTechniqueObserver* observer = nullptr);
    bool ApplyOurReservedSeat(TTechniqueObserver* observer = nullptr);
    // Levels 4, 5 and 6 in cycles until a cycle changes nothing. Always true.
    bool ApplyAllReservedSeats(TTechniqueObserver* observer = nullptr);

    // --- Contradictions and trial (levels 7-9) -----------------------------------------------

    // On a copy: place a at cell, then hidden singles of w (boxes, rows, columns) while there
    // are any. True when at least one w was placed and w then has no room in some unit.
    bool LeadsToBlock(int a, TCell cell, int w, TTechniqueObserver* observer = nullptr) const;
    std::optional<TMove> FindKeepOff() const;
    std::optional<TMove> FindGetOut() const;
    // Plays d at (x, y) on a copy and follows levels 1-6 until solved, contradiction or stuck.
    TMatrixState TryCandidate(int x, int y, int d, TTechniqueObserver* observer = nullptr) const;
    // Removes the first candidate (cells of 2, then 3, then 4 candidates) that TryCandidate
    // proves wrong. At most one per call.
    bool ApplyPuzzled();

  private:
    static constexpr int Index(int x, int y) { return x + 9 * y; }

    bool ScanUnit(int unit, int d, TCell& cell, TCellList& list) const;
    // The placed digits of a unit and the candidates of its empty cells, as one mask.
    unsigned UnitCoverage(int unit) const;
    // Digits that have exactly one candidate cell in the unit.
    unsigned UnitSingles(int unit) const;
    int UnitEmptyCount(int unit) const;
    // The unit's cell whose mask holds d (the first one).
    TCell CandidateCellInUnit(int unit, int d) const;
    std::optional<TMove> FindOnlyOnePlaceLeft(int d,
                                              const std::array<std::uint16_t, 27>& singles) const;
    std::array<std::uint16_t, 27> AllUnitSingles() const;
    // Clears the bits of `bits` in the mask of cell i; whether any was set.
    bool ClearBits(int i, unsigned bits);
    bool ReservedSeatPassOfDigit(int d, bool alongColumns);
    std::array<unsigned, 9> PlacesOfDigits(const std::array<std::uint8_t, 9>& cells) const;
    // Level 7 and 8 differ only in which digit the cascade follows.
    template <typename Follow>
    std::optional<TMove> FindByContradiction(Follow follow) const;

    std::array<std::uint8_t, 81> values_;
    std::array<std::uint16_t, 81> masks_;
};
