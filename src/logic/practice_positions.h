// Practice positions: what the techniques up to a level fill on a position, the rules a
// practice position of technique T keeps, and the maker that finds such positions in puzzles
// made at run time.
//
// Cells are (col, row), index = col + 9 x row; candidate masks have bit d - 1 for digit d.
// Technique levels 1-9 as in matrix.h. A position here is a matrix made from its givens alone
// (SetValue), as a puzzle laid out on the board is: its candidates are those the givens leave.
//
// What "the techniques up to T fill" means follows the phases of the board's answer search
// (board_solver.cpp), each phase on a copy of the position, and takes every move a phase finds
// anywhere, not only the first one its search meets:
//   1-3  on the position as it stands: the empty cell of a unit with eight digits (1), a digit
//        with one place left in a unit (2), a cell with one candidate (3); levels up to T only.
//   4-6  the eliminations of levels 4..min(T, 6) as the next-move search plays them: level 4
//        when it removes something, else level 5, else level 6, until none of them removes
//        anything; then every move of levels 1-3 on what is left.
//   7-8  on the position's own candidates, every cell of two candidates a < b tried both ways:
//        with a placed, the last places of a (7; of b for 8) that follow, one at least, leave
//        that digit without room in some unit, so the cell takes b; the same with a and b
//        swapped (LeadsToBlock).
//   9    the board's level 9 search: rounds of one trial removal (ApplyPuzzled) followed by a
//        look for a move, then one pass of each of levels 4, 5 and 6 that removes something,
//        each followed by a look, until a move shows or a round removes nothing; every move of
//        levels 1-3 present when the first one shows.
// Moves found by sound reasoning persist while candidates are removed soundly, so on a puzzle
// (one solution) every move of an earlier look is still there at the end of its phase; this is
// why the first move the board's search meets is one of the moves counted here.
//
// A practice position of technique T is a puzzle (exactly one solution) on which the techniques
// up to T - 1 fill no cell and the techniques up to T fill exactly one, the answer, which is the
// solution's digit there. Besides:
//   T = 1-3, as the stored templates of kinds 1-3: the position has exactly one move of levels
//        1-3, found by level 1 (T = 1), by level 2 alone (T = 2: the cell keeps two or more
//        candidates and no unit of it has eight digits) or by level 3 alone (T = 3). For T = 3
//        the board's answer comes from its first elimination of levels 4-6, so some elimination
//        must remove something and their end must show no other move.
//   T >= 4: nothing more; the board's search then reaches the answer at level T (phase by
//        phase: no phase below T finds anything, and every move of phase T is the answer).
// And Explain(position, answer).Technique() is T. The board's FindAnswer gives the answer: for
// T = 1 and 2 as the agreement of the units (level 0), for T = 3 from the first elimination
// (level 4-6), for T >= 4 at level T. The position's Level is FindAnswer's level for T >= 4 and
// T itself for T = 1-3, the technique the explanation names.
#pragma once

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "logic/cells.h"
#include "logic/practice_position.h"

class TMatrix;
class TRandom;

// Every distinct move the techniques up to `upTo` (1..9) fill on the position, in cell index
// order (then digit). Outside 1..9: none.
std::vector<TMove> FillableMoves(const TMatrix& position, int upTo);

// The lowest technique that fills a cell and what the techniques up to it fill; Technique 0
// and no moves when none up to `upTo` fills any.
struct TFillable {
    int Technique = 0;
    std::vector<TMove> Moves;
};
TFillable LowestFillable(const TMatrix& position, int upTo = 9);

// Whether the puzzle text is a practice position of the technique: its answer, or the first
// rule it breaks.
struct TPracticeCheck {
    std::optional<TMove> Answer;
    std::string Broken;  // empty when Answer is set
};
TPracticeCheck CheckPracticePosition(const std::string& puzzle, int technique);

// One try of the maker: a puzzle made, walked along its solving path and cut down where the
// technique is the next one needed. Nothing when the try finds no position, the technique is
// outside 1..9 or a stop is requested.
std::optional<TPracticePosition> TryPracticePosition(int technique, TRandom& random,
                                                     std::stop_token stop = {});

// A practice position of the technique (1..9): tries until one succeeds. Nothing only for a
// technique outside 1..9, when a stop is requested, or after so many failed tries that the
// maker must be broken.
std::optional<TPracticePosition> MakePracticePosition(int technique, TRandom& random,
                                                      std::stop_token stop = {});
