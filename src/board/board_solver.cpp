// The board's solver: the techniques of the puzzle logic played as recorded moves on the board.
// Deductions always run on copies of the board's position; the board's own matrix changes only
// through PlacePiece.
#include <optional>

#include "board/board.h"
#include "board/position_reading.h"

using position_reading::DigitOfSingle;
using position_reading::OnlyMissingDigit;

namespace {

// Runs a function when the scope ends, however it ends.
template <typename F>
class TFinally {
  public:
    explicit TFinally(F f) : f_(f) {}
    ~TFinally() { f_(); }
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;

  private:
    F f_;
};

// The one empty cell of a unit with eight filled cells, if it has exactly one.
template <typename CellOf>
std::optional<TCell> LoneEmptyCell(const TMatrix& m, CellOf cellOf) {
    std::optional<TCell> empty;
    for (int k = 0; k < 9; ++k) {
        const TCell c = cellOf(k);
        if (m.GetValue(c.Col, c.Row) != 0) continue;
        if (empty) return std::nullopt;
        empty = c;
    }
    return empty;
}

constexpr bool IsEnd(TMatrixState s) {
    return s == msSolved || s == msContradiction;
}

}  // namespace

bool TBoard::PlayMove(int level, const TMove& move) {
    currentTechnique_ = level;
    const int piece = NextFreePiece(move.Digit);
    return piece != kNoPiece && PlacePiece(piece, move.Col, move.Row, true);
}

bool TBoard::PlaceBasicMove(int d, int level) {
    // Level 1: a unit with eight digits gets its ninth.
    currentTechnique_ = 1;
    const auto rowCell = [](int y) { return [y](int k) { return TCell{k, y}; }; };
    const auto columnCell = [](int x) { return [x](int k) { return TCell{x, k}; }; };
    // Boxes column by column: bx outer, by inner; cells in any order.
    const auto boxCell = [](int b) {
        return [b](int k) { return TCell{3 * (b / 3) + k % 3, 3 * (b % 3) + k / 3}; };
    };
    for (int kind = 0; kind < 3; ++kind) {
        for (int u = 0; u < 9; ++u) {
            const std::optional<TCell> empty = kind == 0   ? LoneEmptyCell(matrix_, rowCell(u))
                                               : kind == 1 ? LoneEmptyCell(matrix_, columnCell(u))
                                                           : LoneEmptyCell(matrix_, boxCell(u));
            if (!empty) continue;
            const int digit = DigitOfSingle(matrix_.GetCandidates(empty->Col, empty->Row));
            if (digit != 0 && PlayMove(1, {empty->Col, empty->Row, digit})) return true;
        }
    }
    if (level == 1) return false;

    // Level 2: d with one place left in a row, a column or a box (boxes row by row).
    currentTechnique_ = 2;
    TCell placed;
    TCellList places;
    for (int kind = 0; kind < 3; ++kind) {
        for (int u = 0; u < 9; ++u) {
            const bool has = kind == 0   ? matrix_.ScanRow(u, d, placed, places)
                             : kind == 1 ? matrix_.ScanColumn(u, d, placed, places)
                                         : matrix_.ScanBox(u % 3, u / 3, d, placed, places);
            if (has || places.Count() != 1) continue;
            if (PlayMove(2, {places[0].Col, places[0].Row, d})) return true;
        }
    }
    if (level == 2) return false;

    // Level 3: a cell whose row, column and box hold eight different digits.
    currentTechnique_ = 3;
    for (int i = 0; i < 81; ++i) {
        const TCell c{i % 9, i / 9};
        if (matrix_.GetValue(c.Col, c.Row) != 0) continue;
        const int digit = OnlyMissingDigit(matrix_, c);
        if (digit != 0 && PlayMove(3, {c.Col, c.Row, digit})) return true;
    }
    if (level == 3) return false;

    // Level 4: locked places of d, then a forced move on the copy that shows them.
    currentTechnique_ = 4;
    TMatrix copy = matrix_;
    if (!copy.ApplyMyReservedSeatOfDigit(d)) return false;
    std::optional<TMove> move = copy.FindJustOneEmptyCell();
    if (!move) move = copy.FindOnlyOnePlaceLeft(d);
    if (!move) move = copy.FindOnlyMissingNumber();
    return move && PlayMove(4, *move);
}

bool TBoard::HandOver(bool apply, int level, const TMove& move, int& digit, TCell& cell) {
    currentTechnique_ = level;
    if (!apply) {
        digit = move.Digit;
        cell = move.Cell();
        return true;
    }
    return PlayMove(level, move);
}

bool TBoard::FindNextMove(bool apply, bool advanced, int& digit, TCell& cell) {
    bool result = false;

    // Levels 4-6: every look for a move follows at least one elimination.
    {
        TMatrix copy = matrix_;
        int level = 0;
        for (;;) {
            if (copy.ApplyMyReservedSeat()) {
                level = std::max(level, 4);
            } else if (copy.ApplyYourReservedSeat()) {
                level = std::max(level, 5);
            } else if (copy.ApplyOurReservedSeat()) {
                level = std::max(level, 6);
            } else {
                break;
            }
            if (const auto move = copy.FindAnyForcedMove()) {
                result = HandOver(apply, level, *move, digit, cell);
                if (result) return true;
                break;
            }
        }
    }
    if (!advanced) return result;

    // Levels 7-9 start again from the board's position.
    TMatrix copy = matrix_;
    if (const auto move = copy.FindKeepOff()) {
        result = HandOver(apply, 7, *move, digit, cell);
        if (result) return true;
    }
    if (const auto move = copy.FindGetOut()) {
        result = HandOver(apply, 8, *move, digit, cell);
        if (result) return true;
    }
    std::optional<TMove> found;
    bool removed = true;
    while (removed && !found) {
        removed = copy.ApplyPuzzled();
        if (removed) found = copy.FindAnyForcedMove();
        if (!found && copy.ApplyMyReservedSeat()) found = copy.FindAnyForcedMove();
        if (!found && copy.ApplyYourReservedSeat()) found = copy.FindAnyForcedMove();
        if (!found && copy.ApplyOurReservedSeat()) found = copy.FindAnyForcedMove();
    }
    if (found) result = HandOver(apply, 9, *found, digit, cell);
    return result;
}

bool TBoard::PlayForcedMoves(bool continuous) {
    for (;;) {
        bool played = false;
        for (const int level : {1, 2, 4}) {
            for (int d = 1; d <= 9 && !played; ++d)
                played = PlaceBasicMove(d, level);
            if (played) break;
        }
        if (!played) return false;
        if (IsEnd(matrix_.GetState()) || !continuous) return true;
        view_->PauseBetweenMoves(10);
    }
}

TMatrixState TBoard::PlayNextMove(bool deep) {
    const TFinally resetTechnique([this] { currentTechnique_ = 0; });
    if (const TMatrixState state = matrix_.GetState(); IsEnd(state)) return state;
    if (PlayForcedMoves(false)) return msOpen;
    if (const TMatrixState state = matrix_.GetState(); IsEnd(state)) return state;
    int digit = 0;
    TCell cell;
    if (FindNextMove(true, deep, digit, cell)) return matrix_.GetState();
    return msStuck;
}
