// Building test positions and comparing eliminations.
#include "position_builder.h"

#include <algorithm>
#include <stdexcept>

#include "logic/position_text.h"

namespace testpos {

TArea TArea::Except(std::initializer_list<TCell> excluded) const {
    TArea rest;
    for (const TCell cell : cells) {
        if (std::find(excluded.begin(), excluded.end(), cell) == excluded.end())
            rest.cells.push_back(cell);
    }
    return rest;
}

TArea Row(int y) {
    TArea area;
    for (int x = 0; x < 9; ++x)
        area.cells.push_back({x, y});
    return area;
}

TArea Column(int x) {
    TArea area;
    for (int y = 0; y < 9; ++y)
        area.cells.push_back({x, y});
    return area;
}

TArea Box(int bx, int by) {
    TArea area;
    for (int y = 3 * by; y < 3 * by + 3; ++y) {
        for (int x = 3 * bx; x < 3 * bx + 3; ++x)
            area.cells.push_back({x, y});
    }
    return area;
}

TArea Cells(std::initializer_list<TCell> cells) {
    return TArea{cells};
}

unsigned MaskOf(std::string_view digits) {
    unsigned mask = 0;
    for (const char c : digits)
        mask |= 1u << (c - '1');
    return mask;
}

std::string DigitsOf(unsigned mask) {
    std::string text;
    for (int d = 1; d <= 9; ++d) {
        if (mask & (1u << (d - 1))) text += static_cast<char>('0' + d);
    }
    return text;
}

TEdit Remove(const TArea& area, std::string_view digits) {
    return {area, std::string(digits)};
}

TEdit Keep(int x, int y, std::string_view digits) {
    return {Cells({{x, y}}), std::string(digits), true};
}

TMatrix Build(std::string_view text, const std::vector<TEdit>& edits) {
    TMatrix matrix;
    if (!text.empty()) {
        std::string error;
        const auto loaded = MatrixFromText(text, error);
        if (!loaded) throw std::invalid_argument("bad test position: " + error);
        matrix = *loaded;
    }
    for (const TEdit& edit : edits) {
        const unsigned digits = MaskOf(edit.digits);
        for (const TCell cell : edit.area.cells) {
            for (int d = 1; d <= 9; ++d) {
                const bool listed = (digits >> (d - 1)) & 1u;
                if (listed != edit.keepOnly) matrix.RemoveCandidate(cell.Col, cell.Row, d);
            }
        }
    }
    return matrix;
}

std::array<std::string, 81> Removed(const TMatrix& before, const TMatrix& after) {
    std::array<std::string, 81> removed;
    for (int i = 0; i < 81; ++i) {
        removed[i] =
            DigitsOf(static_cast<unsigned>(before.CandidatesAt(i) & ~after.CandidatesAt(i)));
    }
    return removed;
}

std::array<std::string, 81> Expected(const TMatrix& before, const std::vector<TLoss>& losses) {
    std::array<unsigned, 81> lost{};
    for (const TLoss& loss : losses) {
        for (const TCell cell : loss.area.cells) {
            const int i = cell.Col + 9 * cell.Row;
            lost[i] |= MaskOf(loss.digits) & static_cast<unsigned>(before.CandidatesAt(i));
        }
    }
    std::array<std::string, 81> expected;
    for (int i = 0; i < 81; ++i)
        expected[i] = DigitsOf(lost[i]);
    return expected;
}

}  // namespace testpos
