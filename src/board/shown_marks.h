// Which candidate digits the board's hint layer shows in each cell, so the cells' accessible
// names can say what the picture shows ("D1: empty, marks 2 5").
#pragma once

#include <array>
#include <bitset>
#include <vector>

#include "logic/cells.h"

class TShownMarks {
  public:
    // Every mark wiped; the cells that had any.
    std::vector<int> Clear() {
        std::vector<int> had;
        for (int i = 0; i < 81; ++i)
            if (digits_[i].any()) had.push_back(i);
        digits_.fill({});
        return had;
    }
    // Digit d (1-9) marked in the cell; false when it was already.
    bool Add(TCell cell, int d) {
        std::bitset<10>& digits = digits_[cell.Col + 9 * cell.Row];
        if (digits.test(d)) return false;
        digits.set(d);
        return true;
    }
    // The digits marked in cell `index` (col + 9 * row), smallest first.
    std::vector<int> Digits(int index) const {
        std::vector<int> out;
        for (int d = 1; d <= 9; ++d)
            if (digits_[index].test(d)) out.push_back(d);
        return out;
    }

  private:
    std::array<std::bitset<10>, 81> digits_{};
};
