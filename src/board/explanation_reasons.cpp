// Finding the digits that shut cells, and the candidates earlier steps took away.
#include "board/explanation_reasons.h"

#include <algorithm>
#include <cstdlib>

namespace {

int Col(int cell) {
    return cell % 9;
}
int Row(int cell) {
    return cell / 9;
}
int BoxOf(int cell) {
    return Col(cell) / 3 + 3 * (Row(cell) / 3);
}

bool Sees(int a, int b) {
    return a != b && (Row(a) == Row(b) || Col(a) == Col(b) || BoxOf(a) == BoxOf(b));
}

// The blocker's lines to the cells it shuts: one along its row to each side, one along its
// column to each side, and one to each cell it shares only the box with.
void AddLines(int blocker, const std::vector<int>& shut, std::vector<TShutLine>& lines) {
    // Farthest cell per direction: left, right, up, down.
    int farthest[4] = {-1, -1, -1, -1};
    const auto keep = [&](int slot, int cell, int distance) {
        const int old = farthest[slot];
        if (old < 0 ||
            distance > std::abs(Col(old) - Col(blocker)) + std::abs(Row(old) - Row(blocker)))
            farthest[slot] = cell;
    };
    for (const int cell : shut) {
        if (Row(cell) == Row(blocker)) {
            keep(Col(cell) < Col(blocker) ? 0 : 1, cell, std::abs(Col(cell) - Col(blocker)));
        } else if (Col(cell) == Col(blocker)) {
            keep(Row(cell) < Row(blocker) ? 2 : 3, cell, std::abs(Row(cell) - Row(blocker)));
        } else {
            lines.push_back({blocker, cell});
        }
    }
    for (const int cell : farthest) {
        if (cell >= 0) lines.push_back({blocker, cell});
    }
}

}  // namespace

TMatrix ValuesOnly(const TMatrix& m) {
    TMatrix values;
    for (int cell = 0; cell < 81; ++cell) {
        if (m.ValueAt(cell) != 0) values.SetValue(Col(cell), Row(cell), m.ValueAt(cell));
    }
    return values;
}

bool GoneEarlier(const TMatrix& m, const TMatrix& valuesOnly, TCandidate c) {
    const int bit = 1 << (c.Digit - 1);
    return m.ValueAt(c.Cell) == 0 && (valuesOnly.CandidatesAt(c.Cell) & bit) != 0 &&
           (m.CandidatesAt(c.Cell) & bit) == 0;
}

std::vector<int> Seers(const TMatrix& m, int cell, int digit) {
    std::vector<int> seers;
    const auto look = [&](TUnit unit) {
        for (const int other : CellsOf(unit)) {
            if (other != cell && m.ValueAt(other) == digit &&
                std::find(seers.begin(), seers.end(), other) == seers.end())
                seers.push_back(other);
        }
    };
    look({TUnitKind::Row, Row(cell)});
    look({TUnitKind::Column, Col(cell)});
    look({TUnitKind::Box, BoxOf(cell)});
    return seers;
}

TShutCells ShutCells(const TMatrix& m, const std::vector<int>& cells, int digit) {
    TShutCells result;
    std::vector<int> candidates;  // every cell holding the digit that shuts one of them
    for (const int cell : cells) {
        if (m.ValueAt(cell) != 0) continue;
        const std::vector<int> seers = Seers(m, cell, digit);
        if (seers.empty()) continue;
        result.Shut.push_back(cell);
        candidates.insert(candidates.end(), seers.begin(), seers.end());
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    std::vector<int> open = result.Shut;
    while (!open.empty()) {
        int best = -1;
        long bestCount = 0;
        for (const int blocker : candidates) {
            const long count = std::count_if(open.begin(), open.end(),
                                             [&](int cell) { return Sees(blocker, cell); });
            if (count > bestCount) {
                best = blocker;
                bestCount = count;
            }
        }
        std::vector<int> covered;
        std::copy_if(open.begin(), open.end(), std::back_inserter(covered),
                     [&](int cell) { return Sees(best, cell); });
        std::erase_if(open, [&](int cell) { return Sees(best, cell); });
        result.Blockers.push_back(best);
        AddLines(best, covered, result.Lines);
    }
    return result;
}
