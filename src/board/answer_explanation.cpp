#include "board/answer_explanation.h"

#include "board/board.h"

std::optional<TExplanation> ExplainAnswer(TBoard& board) {
    const int technique = board.CurrentTechnique();
    TCell cell;
    int digit = 0;
    const bool found = board.FindAnswer(cell, digit);
    board.SetCurrentTechnique(technique);
    if (!found) return std::nullopt;
    return Explain(board.Matrix(), {cell.Col, cell.Row, digit});
}
