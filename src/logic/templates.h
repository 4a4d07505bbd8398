// The stored puzzle templates, grouped by puzzle kind 1-6, and the disguise that makes a new
// puzzle from one of them.
//
// A template text has 81 characters, row by row (index = col + 9 * row), "0" for an empty cell
// and "1"-"9" for a given. Kind 1 (a unit with eight digits), 2 (a digit with one place left in a
// unit) and 3 (a cell with one candidate) have exactly one cell that the basic techniques can
// fill; kinds 4, 5 and 6 have none until the eliminations of level 4, 5 or 6 are applied. The
// group of kind 1 also serves every kind value outside 2-6.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TRandom;

const std::vector<std::string>& TemplateGroup(int kind);

struct TDrawnTemplate {
    int Kind = 1;  // the group's kind
    int Row = 0;   // the template's number within its group
    std::string Text;
};

// One template of the kind's group, each with equal chance.
TDrawnTemplate DrawTemplate(int kind, TRandom& random);

// Whether the text is 81 characters "0"-"9".
bool IsPuzzleText(const std::string& text);

// A source of uniform integers 0..n-1.
using TDraw = std::function<int(int n)>;

// Disguises a valid puzzle text in place: columns within stacks, rows within bands, stacks,
// bands, 0-3 quarter turns, the mirror, and a relabelling of the digits, in that order.
void DisguisePuzzleText(std::string& text, const TDraw& below);
