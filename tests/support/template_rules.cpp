// The template rules. Cells are (col, row), index = col + 9 * row, bit d - 1 for digit d.
#include "support/template_rules.h"

#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <tuple>

#include "board/board.h"
#include "logic/position_text.h"
#include "logic/templates.h"
#include "support/grid_solver.h"

namespace template_rules {

namespace {

// The cells of unit u: rows 0-8, columns 9-17, boxes 18-26 (row-major).
TCell UnitCell(int u, int k) {
    if (u < 9) return {k, u};
    if (u < 18) return {u - 9, k};
    const int b = u - 18;
    return {3 * (b % 3) + k % 3, 3 * (b / 3) + k / 3};
}

void Note(std::map<int, TBasicMove>& moves, TCell cell, int digit, int level) {
    TBasicMove& found = moves[(cell.Col + 9 * cell.Row) * 10 + digit];
    found.Move = {cell.Col, cell.Row, digit};
    found.ByLevel[level] = true;
}

std::string MoveText(const TMove& m) {
    std::ostringstream out;
    out << "(" << m.Col << ", " << m.Row << ") = " << m.Digit;
    return out.str();
}

}  // namespace

std::vector<TBasicMove> BasicMoves(const TMatrix& m) {
    std::map<int, TBasicMove> moves;
    for (int u = 0; u < 27; ++u) {
        int filled = 0;
        int placed = 0;
        TCell empty;
        std::array<int, 9> places{};
        std::array<TCell, 9> lastPlace{};
        for (int k = 0; k < 9; ++k) {
            const TCell c = UnitCell(u, k);
            if (const int v = m.GetValue(c.Col, c.Row); v != 0) {
                ++filled;
                placed |= 1 << (v - 1);
                continue;
            }
            empty = c;
            for (int d = 1; d <= 9; ++d) {
                if (!m.HasCandidate(c.Col, c.Row, d)) continue;
                ++places[static_cast<std::size_t>(d - 1)];
                lastPlace[static_cast<std::size_t>(d - 1)] = c;
            }
        }
        if (filled == 8)
            for (int d = 1; d <= 9; ++d)
                if (!(placed & (1 << (d - 1)))) Note(moves, empty, d, 1);
        for (int d = 1; d <= 9; ++d)
            if (!(placed & (1 << (d - 1))) && places[static_cast<std::size_t>(d - 1)] == 1)
                Note(moves, lastPlace[static_cast<std::size_t>(d - 1)], d, 2);
    }
    for (int i = 0; i < 81; ++i) {
        if (m.ValueAt(i) != 0 || m.CandidateCount(i % 9, i / 9) != 1) continue;
        const int mask = m.CandidatesAt(i);
        for (int d = 1; d <= 9; ++d)
            if (mask == 1 << (d - 1)) Note(moves, {i % 9, i / 9}, d, 3);
    }
    std::vector<TBasicMove> list;
    for (const auto& [key, move] : moves)
        list.push_back(move);
    return list;
}

TMatrix Eliminated(const TMatrix& m, int level) {
    TMatrix copy = m;
    for (bool changed = level >= 4; changed;) {
        changed = copy.ApplyMyReservedSeat();
        if (level >= 5) changed = copy.ApplyYourReservedSeat() || changed;
        if (level >= 6) changed = copy.ApplyOurReservedSeat() || changed;
    }
    return copy;
}

TGivensRange GivensRange(int kind) {
    constexpr TGivensRange kRanges[] = {{12, 16}, {4, 10}, {8, 24}, {10, 18}, {8, 23}, {13, 24}};
    return kRanges[std::clamp(kind, 1, 6) - 1];
}

int GivensOf(const std::string& text) {
    return static_cast<int>(81 - std::count(text.begin(), text.end(), '0'));
}

std::optional<TFoundAnswer> BoardAnswer(const std::string& text) {
    TBoard board;
    board.LayOutPuzzle(text);
    board.Fix();
    return board.FindAnswer();
}

bool IsSoundMove(const std::string& text, const TMove& move) {
    const testgrid::TGrid grid = testgrid::FromText(text);
    const int i = move.Col + 9 * move.Row;
    if (grid[static_cast<std::size_t>(i)] != 0 || testgrid::CountSolutions(grid, 1) == 0)
        return false;
    for (int other = 1; other <= 9; ++other) {
        if (other == move.Digit) continue;
        testgrid::TGrid tried = grid;
        tried[static_cast<std::size_t>(i)] = other;
        if (testgrid::CountSolutions(tried, 1) != 0) return false;
    }
    return true;
}

std::optional<std::string> BrokenRule(int kind, const std::string& text, bool checkSoundness) {
    if (!IsPuzzleText(text)) return "not 81 characters 0-9";
    const TGivensRange range = GivensRange(kind);
    if (const int givens = GivensOf(text); givens < range.Low || givens > range.High)
        return std::to_string(givens) + " givens, outside " + std::to_string(range.Low) + "-" +
               std::to_string(range.High);
    std::string error;
    const std::optional<TMatrix> m = MatrixFromText(text, error);
    if (!m || !testgrid::IsConsistent(testgrid::FromText(text)) || m->GetState() == msContradiction)
        return "not a legal position";

    const std::vector<TBasicMove> raw = BasicMoves(*m);
    if (kind >= 4) {
        if (!raw.empty()) return "a basic move before any elimination";
        if (!BasicMoves(Eliminated(*m, kind - 1)).empty())
            return "a basic move after the eliminations below level " + std::to_string(kind);
    }
    const std::vector<TBasicMove> fair = kind >= 4 ? BasicMoves(Eliminated(*m, kind)) : raw;
    if (fair.size() != 1) return std::to_string(fair.size()) + " basic moves where one is due";
    const TBasicMove& basic = fair.front();
    const bool* by = basic.ByLevel;
    if (kind == 1 && !by[1]) return "the move is not a unit's ninth digit";
    if (kind == 2 && (by[1] || by[3] || !by[2])) return "the move is not only a digit's last place";
    if (kind == 3 && (by[1] || by[2] || !by[3]))
        return "the move is not only a cell's last candidate";
    // The answer of kind 3 comes from the first elimination; the move must stay the only one
    // whatever the eliminations show first, in every disguise.
    if (kind == 3 && BasicMoves(Eliminated(*m, 6)).size() != 1)
        return "the eliminations show a second move";

    const std::optional<TFoundAnswer> answer = BoardAnswer(text);
    if (!answer) return "FindAnswer finds nothing";
    if (!(answer->Move == basic.Move))
        return "FindAnswer gives " + MoveText(answer->Move) + ", the basic move is " +
               MoveText(basic.Move);
    const int level = answer->Technique;
    const bool levelOk = kind >= 4   ? level == kind
                         : kind == 3 ? level >= 4 && level <= 6
                                     : level == 0;
    if (!levelOk) return "FindAnswer answers at level " + std::to_string(level);
    if (checkSoundness && !IsSoundMove(text, basic.Move))
        return "the move " + MoveText(basic.Move) + " is not forced";
    return std::nullopt;
}

std::string Fingerprint(const std::string& text) {
    std::array<int, 9> rows{}, cols{}, boxes{}, bands{}, stacks{}, digits{};
    for (int i = 0; i < 81; ++i) {
        const int d = text[static_cast<std::size_t>(i)] - '0';
        if (d == 0) continue;
        const int c = i % 9, r = i / 9;
        ++rows[r], ++cols[c], ++boxes[c / 3 + 3 * (r / 3)], ++bands[r / 3], ++stacks[c / 3];
        ++digits[d - 1];
    }
    // One tuple per given; the transpose swaps the roles of rows and columns.
    using TTuple = std::array<int, 6>;
    std::vector<TTuple> straight, transposed;
    for (int i = 0; i < 81; ++i) {
        const int d = text[static_cast<std::size_t>(i)] - '0';
        if (d == 0) continue;
        const int c = i % 9, r = i / 9, box = boxes[c / 3 + 3 * (r / 3)];
        straight.push_back({rows[r], cols[c], box, bands[r / 3], stacks[c / 3], digits[d - 1]});
        transposed.push_back({cols[c], rows[r], box, stacks[c / 3], bands[r / 3], digits[d - 1]});
    }
    std::sort(straight.begin(), straight.end());
    std::sort(transposed.begin(), transposed.end());
    const std::vector<TTuple>& least = std::min(straight, transposed);
    std::string print;
    for (const TTuple& t : least)
        for (const int v : t)
            print += static_cast<char>('0' + v);
    return print;
}

}  // namespace template_rules
