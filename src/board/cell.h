// A cell of the board as (X = column 0-8, Y = row 0-8); (-1, -1) is a piece's stack.
#pragma once

struct TCell {
    int X = -1;
    int Y = -1;
    friend bool operator==(const TCell&, const TCell&) = default;
    bool OnGrid() const { return X >= 0 && Y >= 0; }
};

constexpr TCell kStack{-1, -1};
