// The board's answer explained on the board's position.
#include "board/answer_explanation.h"

#include "board/board.h"

std::optional<TExplanation> ExplainAnswer(const TBoard& board) {
    const std::optional<TFoundAnswer> answer = board.FindAnswer();
    if (!answer) return std::nullopt;
    return Explain(board.Matrix(), answer->Move);
}
