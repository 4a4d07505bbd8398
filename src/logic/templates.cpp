#include "logic/templates.h"

#include <array>
#include <utility>

#include "logic/random.h"

namespace {

// Rows 1 and up of each group were found by tools/template-search and checked by the tests.
const std::array<std::vector<std::string>, 6> kGroups = {{
    // Kind 1: a row, column or box holds eight digits.
    {
        "123009000456000007780000000000000000000000000030000000000000000800000000000000000",
    },
    // Kind 2: a digit has one place left in a unit.
    {
        "000000100001000000000203000000000000000000000000000000000000000000000000000000000",
    },
    // Kind 3: a cell has one candidate.
    {
        "000006000120000034000500000000000000000080000000070000000000000000000000000000000",
    },
    // Kind 4: needs locked candidates first.
    {
        "205670340000000000000000000100000000000000000080000000006000000007000000008000000",
    },
    // Kind 5: needs naked subsets first.
    {
        "003004000078200600000050080000009000000000300000000000000090000000000030000000000",
    },
    // Kind 6: needs hidden subsets first.
    {
        "000000010000000003000000400000102000000000006000004700000000009000000030004007002",
    },
}};

// Shuffles a list handled in runs of k items: for i = g - 1 down to 1, run i swaps with run j,
// j drawn from 0..i.
template <typename T, std::size_t N>
void ShuffleRuns(std::array<T, N>& list, int k, const TDraw& below) {
    const int runs = static_cast<int>(N) / k;
    for (int i = runs - 1; i >= 1; --i) {
        const int j = below(i + 1);
        if (j == i) continue;
        for (int e = 0; e < k; ++e)
            std::swap(list[static_cast<std::size_t>(i * k + e)],
                      list[static_cast<std::size_t>(j * k + e)]);
    }
}

using TGrid = std::array<char, 81>;

char& At(TGrid& g, int row, int col) {
    return g[static_cast<std::size_t>(col + 9 * row)];
}

// new(row, col) = old(row, fromCol[col])
TGrid MapColumns(const TGrid& old, const std::array<int, 9>& fromCol) {
    TGrid g{};
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            g[static_cast<std::size_t>(c + 9 * r)] =
                old[static_cast<std::size_t>(fromCol[static_cast<std::size_t>(c)] + 9 * r)];
    return g;
}

TGrid MapRows(const TGrid& old, const std::array<int, 9>& fromRow) {
    TGrid g{};
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            g[static_cast<std::size_t>(c + 9 * r)] =
                old[static_cast<std::size_t>(c + 9 * fromRow[static_cast<std::size_t>(r)])];
    return g;
}

std::array<int, 9> Identity9() {
    return {0, 1, 2, 3, 4, 5, 6, 7, 8};
}

}  // namespace

const std::vector<std::string>& TemplateGroup(int kind) {
    const int group = kind >= 2 && kind <= 6 ? kind : 1;
    return kGroups[static_cast<std::size_t>(group - 1)];
}

TDrawnTemplate DrawTemplate(int kind, TRandom& random) {
    const int group = kind >= 2 && kind <= 6 ? kind : 1;
    const std::vector<std::string>& texts = TemplateGroup(group);
    const int row = random.Below(static_cast<int>(texts.size()));
    return {group, row, texts[static_cast<std::size_t>(row)]};
}

bool IsPuzzleText(const std::string& text) {
    if (text.size() != 81) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

void DisguisePuzzleText(std::string& text, const TDraw& below) {
    TGrid g{};
    std::copy(text.begin(), text.end(), g.begin());

    // Columns within stacks, then rows within bands.
    std::array<int, 9> cols = Identity9();
    for (int a = 0; a < 3; ++a) {
        std::array<int, 3> p{0, 1, 2};
        ShuffleRuns(p, 1, below);
        for (int k = 0; k < 3; ++k)
            cols[static_cast<std::size_t>(3 * a + k)] = 3 * a + p[static_cast<std::size_t>(k)];
    }
    g = MapColumns(g, cols);
    std::array<int, 9> rows = Identity9();
    for (int a = 0; a < 3; ++a) {
        std::array<int, 3> p{0, 1, 2};
        ShuffleRuns(p, 1, below);
        for (int k = 0; k < 3; ++k)
            rows[static_cast<std::size_t>(3 * a + k)] = 3 * a + p[static_cast<std::size_t>(k)];
    }
    g = MapRows(g, rows);

    // Stacks, then bands, as wholes.
    std::array<int, 9> stacks = Identity9();
    ShuffleRuns(stacks, 3, below);
    g = MapColumns(g, stacks);
    std::array<int, 9> bands = Identity9();
    ShuffleRuns(bands, 3, below);
    g = MapRows(g, bands);

    // Quarter turns: new(i, j) = old(j, 8 - i) moves the top-right corner to the top-left.
    const int turns = below(4);
    for (int t = 0; t < turns; ++t) {
        TGrid turned{};
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 9; ++j)
                At(turned, i, j) = At(g, j, 8 - i);
        g = turned;
    }

    // The mirror, always.
    {
        TGrid mirrored{};
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 9; ++j)
                At(mirrored, i, j) = At(g, i, 8 - j);
        g = mirrored;
    }

    // Digits: k becomes q[k - 1] + 1.
    std::array<int, 9> q = Identity9();
    ShuffleRuns(q, 1, below);
    for (char& c : g)
        if (c != '0') c = static_cast<char>('1' + q[static_cast<std::size_t>(c - '1')]);

    text.assign(g.begin(), g.end());
}
