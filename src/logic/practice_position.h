// A practice position: a real puzzle (one solution) in which technique T is the lowest that
// fills any cell, and the techniques up to T fill exactly one cell, the answer. What the
// position maker hands the game, and what a hint shows of it.
//
// Puzzle is 81 characters row by row (index = col + 9 x row), "0" for an empty cell. Technique
// levels 1-9 as in the technique names table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/cells.h"
#include "logic/explanation.h"

struct TPracticePosition {
    int Technique = 0;  // 1..9: the technique the position needs
    std::string Puzzle;
    TMove Answer;
    int Level = 0;  // the technique level of Answer: T (see senkaro-logic practice)

    friend bool operator==(const TPracticePosition&, const TPracticePosition&) = default;
};

// What a hint shows. Stage 1: the technique's name and the unit to look at (shaded). Stage 2:
// the key cells framed as well. Stage 3: the whole explanation.
struct TPracticeHint {
    int Stage = 0;  // 0 = no hint asked yet
    int Technique = 0;
    std::optional<TUnit> Unit;
    std::vector<int> Cells;  // cell indexes, ascending; stage 2 and 3 only
};

// Where the game takes its practice positions from: made ahead, so taking never waits.
class TPracticeSource {
  public:
    virtual ~TPracticeSource() = default;
    // A ready position of the technique (1..9), or nothing when none is ready yet.
    virtual std::optional<TPracticePosition> Take(int technique) = 0;
    // The technique being practised: its positions are made first from now on.
    virtual void Prefer(int technique) = 0;
};
