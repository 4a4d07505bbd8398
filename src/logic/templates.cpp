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
        "000000000000000000000000007000197000000635000000408000060042000000000100900000060",
        "000000280000000367020000154000000000000000910000006000000000000000000000000004000",
        "000700000000800002010500000000000000000600013000400000000100300000300000070900000",
    },
    // Kind 2: a digit has one place left in a unit.
    {
        "000000100001000000000203000000000000000000000000000000000000000000000000000000000",
        "000000000000800000000000000000000070082640050000007000000000000000000000000000008",
        "090180000002000900000609000000000000000002000000000000000000000000700000000008000",
        "000000003000000000078000000400000000000000000000000860800200000004000080000000000",
        "000040000000500000000000000000000000007600000000000000000080700040200000000700000",
        "000000000000000000008000000000060000600000000100000830000000000060000000000000000",
        "000000000200008000006200000000600000002000000000000000000020000000000020001000030",
        "000000000000000000000000000000000000000000000000000000010000000000000001000075400",
        "000004000087000900009030000000000300000000000000000020000090000000000000000000000",
    },
    // Kind 3: a cell has one candidate.
    {
        "000006000120000034000500000000000000000080000000070000000000000000000000000000000",
        "080000000000000000020500008790000004000000000000000000000300805000005000500240761",
        "000000000320005000050130400000027080500001000000059700000000000801200053000000607",
        "030407000000010090205809600000040001184002060070000009000000000050604080000003000",
        "000004030009730010000058070000020000000076000000000060500060080000000627602007950",
        "068000500700000003000007000000000090023800006000504001015700000900020008000010700",
        "840900060002150300009020000000009000000600000000000010460000000000005000000760004",
        "800700060000006058000400000050040000000000000400251080004100800073900000900504000",
    },
    // Kind 4: needs locked candidates first.
    {
        "205670340000000000000000000100000000000000000080000000006000000007000000008000000",
        "000073600000509700000008000100040000020000000000000900000000000009000400762090000",
        "020000504000635000700000800008300002100000000000000000200000400400093000300000000",
        "004000000100003600000004000000000000001907000076000000030060005400000002900020003",
        "600000030000000070002007005000930008000000000300580000000008000000000700000005109",
        "000100700398000010701000032000005000002000600560000300009000000000000000000010000",
        "009000300000300080000000040008010000000800026000009815000030000000000000002007000",
        "000000000000023007000478609009017050000009070100500000000090000000000000000002000",
    },
    // Kind 5: needs naked subsets first.
    {
        "003004000078200600000050080000009000000000300000000000000090000000000030000000000",
        "009072086000108000000900000000005000006000001002000008000093000000500240105700800",
        "005600000400001900010000020540000300000060000000000850001080090073000500004000237",
        "000000900207009003849100000604580000010004500090000000020010000000000020000006000",
        "090000000000000096006090005240000050038000000050000007002000000000003021100900504",
        "900038000073050000000090000010000020030006100029001000040000000000000000306870200",
        "500000078000000001000700000060400010070000000008190450000070020000000030052000000",
        "001020400000000000050030900000300004000000005000690387000058040000000200000000000",
    },
    // Kind 6: needs hidden subsets first.
    {
        "000000010000000003000000400000102000000000006000004700000000009000000030004007002",
        "009854010000001007100000005000000000000002900003080204001000000500000400040090100",
        "003105040405000000008000065030000000000000000000800000000003700000908012000640008",
        "000005046000021000000600500000000020000000000080000064300000180000103000000290000",
        "000070009800000510001090000020038004000000950004005000060050090000000000000089000",
        "400000080000040002000000000900000100000009030108020000807005006000004000624080007",
        "000950020000000000050003069030070000800002100070039000000000008004780906080000040",
        "100790000042000970060004000000000300020600000000540200210900000500400701000050080",
        "005900000002180000000020000300000009000007800006090050080206000007010503040000006",
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
