// The move history of the board: every recorded move of a number piece, in the order made, with
// a cursor (Floater) at the last applied entry. Entries after the cursor are the redo tail; a
// new move discards them. Cells are (col, row); (-1, -1) is a piece's stack.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "logic/cells.h"

// A piece's stack, where a cell is expected.
constexpr TCell kStack{-1, -1};

// One move, kept in seven bytes; the coordinates read back sign-extended, so -1 survives.
class THistory {
  public:
    THistory(int index, TCell from, TCell to, int technique);

    int Digit() const { return digit_; }
    int Index() const { return index_; }
    int ToCol() const { return toCol_; }
    int ToRow() const { return toRow_; }
    int FromCol() const { return fromCol_; }
    int FromRow() const { return fromRow_; }
    int Technique() const { return technique_; }

  private:
    std::uint8_t digit_;
    std::uint8_t index_;
    std::int8_t toCol_;
    std::int8_t toRow_;
    std::int8_t fromCol_;
    std::int8_t fromRow_;
    std::uint8_t technique_;
};

class THistories {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    int Floater() const { return floater_; }
    const THistory& Items(int i) const { return items_.at(static_cast<std::size_t>(i)); }

    // Records a move of piece Index; a move whose from equals its to is not stored.
    void Add(int index, TCell from, TCell to, int technique);
    void DeleteFrom(int i);
    void Clear() { DeleteFrom(0); }
    void SetFloater(int value);

    // Raised whenever Floater takes a new value.
    std::function<void()> OnFloaterChange;

  private:
    std::vector<THistory> items_;
    int floater_ = -1;
};
