// The explanation of the board's answer: FindAnswer on the board as it stands, then the steps
// that show why that move is forced.
#pragma once

#include <optional>

#include "logic/explanation.h"

class TBoard;

// Nothing when the board has no answer.
std::optional<TExplanation> ExplainAnswer(const TBoard& board);
