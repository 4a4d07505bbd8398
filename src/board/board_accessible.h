// What assistive technology reads of the board: a table of 81 cells ("B3: 7 (given)",
// "D4: empty", "D1: empty, marks 2 5") followed by the nine stacks ("7, 4 left in the stack"), with
// the cell cursor as the focused cell. Cells are named as the board labels them: columns A-I, rows
// 1-9.
//
// Conventions: item 0-80 is the cell of that index (col + 9 * row); item 81 + d - 1 is the
// stack of digit d.
#pragma once

#include <QString>
#include <vector>

class QWidget;
class TSudoku;

namespace board_accessible {

inline constexpr int kCellItems = 81;
inline constexpr int kItems = kCellItems + 9;

QString ItemName(const TSudoku& board, int item);
QString ItemDescription(const TSudoku& board, int item);

// Makes the board's accessible interface known to Qt; called once by every board.
void InstallFactory();

// Tells assistive technology that the cursor's cell has the focus.
void CursorMoved(TSudoku& board);

// Tells it that these cells' names changed (their marks came or went).
void CellsRenamed(TSudoku& board, const std::vector<int>& cells);

// Announces the marks of digit d as they appear: the board's description says in how many
// cells they stand ("5 の候補 4 マス marks of 5 in 4 cells").
void MarksShown(TSudoku& board, int d);

}  // namespace board_accessible
