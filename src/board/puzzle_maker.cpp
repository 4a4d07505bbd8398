// Making a round's puzzle on the board and finding its forced move.
#include <optional>

#include "board/board.h"
#include "board/position_reading.h"
#include "logic/random.h"
#include "logic/templates.h"

void TBoard::MakePuzzle(std::string& text) {
    if (!IsPuzzleText(text)) return;
    DisguisePuzzleText(text, [](int n) { return ProgramRandom().Below(n); });
    LayOutPuzzle(text);
}

void TBoard::LayOutPuzzle(const std::string& text) {
    if (!IsPuzzleText(text)) return;
    Clear();
    view_->EraseMemo();
    // Givens are recorded as loading (technique 0), whatever the last answer search left here.
    currentTechnique_ = 0;
    for (int i = 0; i < 81; ++i) {
        const int digit = text[static_cast<std::size_t>(i)] - '0';
        if (digit == 0) continue;
        PlacePiece(NextFreePiece(digit), i % 9, i / 9, true);
    }
    view_->DrawStatus();
}

std::optional<TFoundAnswer> TBoard::FindAnswer() const {
    // Digits with one place left in a unit, as long as all such units agree on one move. The
    // move first seen carries over from digit to digit, so only the first digit with such a
    // unit can answer here.
    std::optional<TMove> seen;
    TCell placed;
    TCellList places;
    for (int d = 1; d <= 9; ++d) {
        bool agreed = true;
        bool found = false;
        for (int kind = 0; kind < 3 && agreed; ++kind) {
            for (int u = 0; u < 9 && agreed; ++u) {
                const bool has = kind == 0   ? matrix_.ScanColumn(u, d, placed, places)
                                 : kind == 1 ? matrix_.ScanRow(u, d, placed, places)
                                             : matrix_.ScanBox(u % 3, u / 3, d, placed, places);
                if (has || places.Count() != 1) continue;
                found = true;
                const TMove move{places[0].Col, places[0].Row, d};
                if (!seen)
                    seen = move;
                else if (!(*seen == move))
                    agreed = false;
            }
        }
        if (agreed && found) return TFoundAnswer{*seen, 0};
    }

    // The next-move search, all levels.
    if (std::optional<TFoundAnswer> next = SearchNextMove(true)) return next;

    // A cell that sees eight different digits.
    for (int i = 0; i < 81; ++i) {
        const TCell c{i % 9, i / 9};
        if (matrix_.GetValue(c.Col, c.Row) != 0) continue;
        if (const int missing = position_reading::OnlyMissingDigit(matrix_, c); missing != 0)
            return TFoundAnswer{{c.Col, c.Row, missing}, 0};
    }
    return std::nullopt;
}
