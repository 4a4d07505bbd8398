// The board's model: pieces on cells and in stacks, the move rule, recording, undo and redo.
// The solver lives in board_solver.cpp, the puzzles and their answer in puzzle_maker.cpp.
#include "board/board.h"

TBoard::TBoard() {
    for (int i = 0; i < kPieceCount; ++i)
        pieces_[static_cast<std::size_t>(i)].Index = i;
    histories_.OnFloaterChange = [this] { view_->DrawStatus(); };
}

int TBoard::Count() const {
    return 81 - matrix_.EmptyCount();
}

bool TBoard::CanPlace(int col, int row, int digit) const {
    return !matrix_.RowHas(row, digit) && !matrix_.ColumnHas(col, digit) &&
           !matrix_.BoxHas(col, row, digit);
}

bool TBoard::PlacePiece(int index, int col, int row, bool record, TMoveOrigin origin) {
    // No piece (a digit whose nine pieces all stand on cells) places nothing.
    if (!IsPiece(index)) return false;
    if (col < -1 || col > 8 || row < -1 || row > 8) return false;
    if (col == -1 || row == -1) {
        ReturnPiece(index, record);
        return true;
    }
    TPiece& p = piece(index);
    if (matrix_.GetValue(col, row) != 0) {
        if (PieceAt(col, row) == index) return false;
        // The cell is taken: back to the cell or stack the piece came from, unrecorded.
        view_->Beep();
        PlacePiece(index, p.Col, p.Row, false);
        return false;
    }
    if (!CanPlace(col, row, p.Digit())) {
        view_->Beep();
        SnapBack(index);
        return false;
    }
    const TCell from = p.Cell();
    matrix_.SetValue(col, row, p.Digit());
    if (record) histories_.Add(index, from, {col, row}, currentTechnique_);
    StandPiece(index, col, row);
    if (record && OnChanged) OnChanged({index, {col, row, p.Digit()}, origin});
    return true;
}

void TBoard::ReturnPiece(int index, bool record) {
    if (!IsPiece(index)) return;
    TPiece& p = piece(index);
    if (p.OnGrid()) matrix_.SetValue(p.Col, p.Row, 0);
    if (record) histories_.Add(index, p.Cell(), kStack, currentTechnique_);
    StandPiece(index, -1, -1);
}

void TBoard::StandPiece(int index, int col, int row) {
    TPiece& p = piece(index);
    p.Col = col;
    p.Row = row;
    // A piece back in its stack is always movable.
    const bool unfix = col < 0 && p.Fixed;
    if (unfix) p.Fixed = false;
    view_->PieceMoved(index);
    if (unfix) view_->PieceFixedChanged(index);
}

int TBoard::PieceAt(int col, int row) const {
    for (int i = kPieceCount - 1; i >= 0; --i) {
        const TPiece& p = pieces_[static_cast<std::size_t>(i)];
        if (p.Col == col && p.Row == row) return i;
    }
    return kNoPiece;
}

int TBoard::NextFreePiece(int digit) const {
    if (digit < 1 || digit > 9) return kNoPiece;
    for (int i = digit * 9 - 1; i >= (digit - 1) * 9; --i)
        if (pieces_[static_cast<std::size_t>(i)].Col < 0) return i;
    return kNoPiece;
}

void TBoard::LiftPiece(int index) {
    if (!IsPiece(index)) return;
    const TPiece& p = piece(index);
    if (p.OnGrid()) matrix_.SetValue(p.Col, p.Row, 0);
}

void TBoard::SnapBack(int index) {
    if (!IsPiece(index)) return;
    const TPiece& p = piece(index);
    if (p.OnGrid()) matrix_.SetValue(p.Col, p.Row, p.Digit());
    view_->PieceSnappedBack(index);
}

void TBoard::Fix() {
    for (TPiece& p : pieces_) {
        if (!p.OnGrid() || p.Fixed) continue;
        p.Fixed = true;
        view_->PieceFixedChanged(p.Index);
    }
    fixedPos_ = histories_.Floater() + 1;
}

void TBoard::UnFix() {
    for (TPiece& p : pieces_) {
        if (!p.OnGrid() || !p.Fixed) continue;
        p.Fixed = false;
        view_->PieceFixedChanged(p.Index);
    }
}

void TBoard::Clear() {
    for (int i = 0; i < kPieceCount; ++i)
        StandPiece(i, -1, -1);
    matrix_.Reset();
    view_->ClearHintLayer();
    view_->EraseMemo();
    histories_.Clear();
    fixedPos_ = 0;
    // The status shows the count even when the history was already empty.
    view_->DrawStatus();
}

void TBoard::Undo() {
    const int floater = histories_.Floater();
    if (floater < fixedPos_) return;
    const THistory& entry = histories_.Items(floater);
    const TPiece& p = piece(entry.Index());
    if (p.OnGrid()) matrix_.SetValue(p.Col, p.Row, 0);
    PlacePiece(entry.Index(), entry.FromCol(), entry.FromRow(), false);
    histories_.SetFloater(floater - 1);
}

void TBoard::Redo() {
    const int floater = histories_.Floater();
    if (floater >= histories_.Count() - 1) return;
    const THistory& entry = histories_.Items(floater + 1);
    const TPiece& p = piece(entry.Index());
    if (p.OnGrid()) matrix_.SetValue(p.Col, p.Row, 0);
    PlacePiece(entry.Index(), entry.ToCol(), entry.ToRow(), false);
    histories_.SetFloater(floater + 1);
}

void TBoard::UndoAll() {
    view_->ClearHintLayer();
    while (histories_.Floater() >= fixedPos_)
        Undo();
}

void TBoard::RedoAll() {
    view_->ClearHintLayer();
    while (histories_.Floater() < histories_.Count() - 1)
        Redo();
}
