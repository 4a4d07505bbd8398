// The short sentences that tell an explanation's steps, in Japanese and in English (UTF-8).
//
// Cells are named as the board labels them: column letter A-I from the left, row number 1-9 from
// the top, so cell index 0 is "A1" and column 1, row 2 is "B3". Rows are "3行目" / "row 3",
// columns "B列" / "column B", boxes "ブロック1" / "box 1", numbered 1-9 row by row from the
// top left.
#pragma once

#include <string>

#include "logic/explanation.h"

enum class TLanguage { Japanese, English };

std::string CellName(int cell);
std::string UnitName(TUnit unit, TLanguage language);

// One sentence per step; a placement says what it places ("…, so E3 is 1."). A trial is told in
// its summary form ("If 5 were in D4 …, then row 6 would have no room for 2, so D4 is not 5.");
// its own steps have sentences of their own.
std::string StepSentence(const TStep& step, TLanguage language);
