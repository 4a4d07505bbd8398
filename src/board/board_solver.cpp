// The board's solver: the techniques of the puzzle logic played as recorded moves on the board.
// Deductions always run on copies of the board's position; the board's own matrix changes only
// through PlacePiece.
#include <algorithm>
#include <array>
#include <optional>
#include <span>

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

// The move, if any, as found at the level.
std::optional<TFoundAnswer> FoundAt(int level, const std::optional<TMove>& move) {
    if (!move) return std::nullopt;
    return TFoundAnswer{*move, level};
}

// --- The next-move search: each technique reads the position and names a move or nothing. ---

// Levels 4-6: every look for a move follows at least one elimination, and the move counts at the
// highest level eliminated so far.
std::optional<TFoundAnswer> ReservedSeatMove(const TMatrix& position) {
    TMatrix copy = position;
    int level = 0;
    for (;;) {
        if (copy.ApplyMyReservedSeat()) {
            level = std::max(level, 4);
        } else if (copy.ApplyYourReservedSeat()) {
            level = std::max(level, 5);
        } else if (copy.ApplyOurReservedSeat()) {
            level = std::max(level, 6);
        } else {
            return std::nullopt;
        }
        if (const auto move = copy.FindAnyForcedMove()) return TFoundAnswer{*move, level};
    }
}

std::optional<TFoundAnswer> KeepOffMove(const TMatrix& position) {
    return FoundAt(7, position.FindKeepOff());
}

std::optional<TFoundAnswer> GetOutMove(const TMatrix& position) {
    return FoundAt(8, position.FindGetOut());
}

// Level 9: rounds of its eliminations, each followed by the looks of levels 4-6, until a move
// shows or a round of level 9 removes nothing.
std::optional<TFoundAnswer> PuzzledMove(const TMatrix& position) {
    TMatrix copy = position;
    std::optional<TMove> found;
    bool removed = true;
    while (removed && !found) {
        removed = copy.ApplyPuzzled();
        if (removed) found = copy.FindAnyForcedMove();
        if (!found && copy.ApplyMyReservedSeat()) found = copy.FindAnyForcedMove();
        if (!found && copy.ApplyYourReservedSeat()) found = copy.FindAnyForcedMove();
        if (!found && copy.ApplyOurReservedSeat()) found = copy.FindAnyForcedMove();
    }
    return FoundAt(9, found);
}

using TMoveSearch = std::optional<TFoundAnswer> (*)(const TMatrix&);
constexpr std::array<TMoveSearch, 4> kMoveSearches = {ReservedSeatMove, KeepOffMove, GetOutMove,
                                                      PuzzledMove};

// In the order tried: levels 4-6, and with `advanced` then 7, 8 and 9, each on the position as
// it stands.
std::span<const TMoveSearch> MoveSearches(bool advanced) {
    return std::span(kMoveSearches).first(advanced ? kMoveSearches.size() : 1);
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

std::optional<TFoundAnswer> TBoard::SearchNextMove(bool advanced) const {
    for (const TMoveSearch search : MoveSearches(advanced))
        if (std::optional<TFoundAnswer> found = search(matrix_)) return found;
    return std::nullopt;
}

bool TBoard::FindNextMove(bool apply, bool advanced, int& digit, TCell& cell) {
    if (!apply) {
        const std::optional<TFoundAnswer> found = SearchNextMove(advanced);
        if (!found) return false;
        currentTechnique_ = found->Technique;
        digit = found->Move.Digit;
        cell = found->Move.Cell();
        return true;
    }
    // A refused piece leaves the position as it was, so the next technique looks at it afresh.
    for (const TMoveSearch search : MoveSearches(advanced)) {
        const std::optional<TFoundAnswer> found = search(matrix_);
        if (found && PlayMove(found->Technique, found->Move)) return true;
    }
    return false;
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
