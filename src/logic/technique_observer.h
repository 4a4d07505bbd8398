// What the eliminations, the cascade test and the trial tell an observer just before they change
// a position. The explanation of an answer listens in to learn which pattern justified each
// change; the game's own calls pass no observer and behave exactly as without one.
//
// Units are numbered as in units.h: 0..8 the rows (y), 9..17 the columns (x), 18..26 the boxes
// (18 + bx + 3 x by). Cells are indexes col + 9 x row; digit sets are masks, bit d - 1 for d.
#pragma once

#include <array>
#include <cstdint>

#include "logic/cells.h"

class TMatrix;

// Up to nine cells of one unit, as cell indexes.
struct TUnitCellSet {
    std::array<std::uint8_t, 9> Cells{};
    int Count = 0;

    void Add(int cell) {
        Cells[static_cast<std::size_t>(Count++)] = static_cast<std::uint8_t>(cell);
    }
};

class TTechniqueObserver {
  public:
    virtual ~TTechniqueObserver() = default;

    // Level 4: in `unit` the digit can only go where it crosses `other`, so it is about to
    // leave the other cells of `other`.
    virtual void Locked(const TMatrix& /*m*/, int /*digit*/, int /*unit*/, int /*other*/) {}
    // Level 5: these cells of `unit` hold only `digits` (as many as cells); the digits are
    // about to leave the unit's other cells.
    virtual void Naked(const TMatrix& /*m*/, int /*unit*/, const TUnitCellSet& /*cells*/,
                       unsigned /*digits*/) {}
    // Level 6: in `unit` the digits could go only in these cells (as many as digits), as the
    // places stood when the unit's turn began; the cells are about to lose every other digit.
    virtual void Hidden(const TMatrix& /*m*/, int /*unit*/, const TUnitCellSet& /*cells*/,
                        unsigned /*digits*/) {}
    // The cascade of LeadsToBlock is about to place the digit in its one place left in `unit`.
    virtual void CascadePlaced(const TMatrix& /*m*/, int /*unit*/, int /*cell*/, int /*digit*/) {}
    // TryCandidate is about to play a forced move of levels 1-3.
    virtual void ForcedMove(const TMatrix& /*m*/, const TMove& /*move*/) {}
};
