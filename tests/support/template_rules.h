// The rules that every stored puzzle template must keep, shared by the template tests and the
// template search tool.
//
// A template text has 81 characters "0"-"9", row by row (index = col + 9 * row). The basic
// moves of a position are the (cell, digit) pairs that levels 1-3 find anywhere: the empty cell
// of a unit with eight filled cells, a digit with one candidate cell left in a unit, a cell with
// one candidate. A template of kind 1-3 has exactly one basic move, of its kind's level; a
// template of kind 4-6 has none until the eliminations of levels 4 up to its kind are applied
// to their end, and then exactly one. The one move must be the board's answer and must hold in
// every completion of the position.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "board/board.h"
#include "logic/cells.h"
#include "logic/matrix.h"

namespace template_rules {

// One basic move and the levels (1-3) that find it.
struct TBasicMove {
    TMove Move;
    bool ByLevel[4] = {};  // index 1-3
};

// Every distinct basic move of the position, in cell index order.
std::vector<TBasicMove> BasicMoves(const TMatrix& m);

// The position after the eliminations of levels 4 up to `level` (nothing below 4), applied in
// cycles until a cycle changes nothing.
TMatrix Eliminated(const TMatrix& m, int level);

struct TGivensRange {
    int Low;
    int High;
};
TGivensRange GivensRange(int kind);
int GivensOf(const std::string& text);

// What the board's FindAnswer makes of a text laid out untransformed.
std::optional<TFoundAnswer> BoardAnswer(const std::string& text);

// Whether the move holds in every completion of the position and one completion exists.
bool IsSoundMove(const std::string& text, const TMove& move);

// The first rule the text breaks as a kind-`kind` template, or nothing when it keeps them all.
// The exact solver runs only when `checkSoundness` is set (it is the slow part).
std::optional<std::string> BrokenRule(int kind, const std::string& text, bool checkSoundness);

// A fingerprint that every disguise of a text keeps (shuffles of rows, columns, bands and
// stacks, turns, the mirror, relabelling): texts with different fingerprints are not disguises
// of one another.
std::string Fingerprint(const std::string& text);

}  // namespace template_rules
