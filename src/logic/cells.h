// Small value types of the puzzle logic: a cell, a move, and the short cell list that the scans
// of one unit fill.
//
// Cell = (Col, Row), both 0..8; Col runs left to right, Row top to bottom. A move is a cell and
// the digit (1..9) that goes there. A unit has nine cells, so a scan never lists more than nine:
// TCellList holds them in place (no heap), and hands them over as a TD2IntegerList (X = Col,
// Y = Row) where a caller wants one.
#pragma once

#include <array>
#include <stdexcept>

#include "storage/d2integers.h"

struct TCell {
    int Col = 0;
    int Row = 0;

    friend bool operator==(const TCell&, const TCell&) = default;
};

struct TMove {
    int Col = 0;
    int Row = 0;
    int Digit = 0;

    TCell Cell() const { return {Col, Row}; }
    friend bool operator==(const TMove&, const TMove&) = default;
};

class TCellList {
  public:
    static constexpr int kCapacity = 9;

    void Clear() { count_ = 0; }
    void Add(TCell cell) {
        if (count_ == kCapacity) throw std::length_error("a cell list holds one unit's cells");
        cells_[count_++] = cell;
    }
    int Count() const { return count_; }
    TCell Get(int index) const {
        if (index < 0 || index >= count_) throw std::out_of_range("no such cell in the list");
        return cells_[static_cast<std::size_t>(index)];
    }
    TCell operator[](int index) const { return Get(index); }

    const TCell* begin() const { return cells_.data(); }
    const TCell* end() const { return cells_.data() + count_; }

    // The same cells in the same order, as Equals of the pair lists compares.
    friend bool operator==(const TCellList& a, const TCellList& b) {
        if (a.count_ != b.count_) return false;
        for (int i = 0; i < a.count_; ++i) {
            if (a.cells_[i] != b.cells_[i]) return false;
        }
        return true;
    }

    // Replaces the pairs of list by these cells (X = Col, Y = Row).
    void CopyTo(TD2IntegerList& list) const {
        list.BeginUpdate();
        list.Clear();
        for (const TCell cell : *this)
            list.Add(cell.Col, cell.Row);
        list.EndUpdate();
    }

  private:
    std::array<TCell, kCapacity> cells_{};
    int count_ = 0;
};
