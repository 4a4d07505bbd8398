// The board's solver and the puzzle maker: moves played as recorded placements, the answer of
// a made puzzle, and the disguise. Cells are (col, row).
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "board/board.h"
#include "logic/random.h"
#include "logic/technique_examples.h"
#include "logic/templates.h"
#include "support/board_printers.h"

namespace {

// A level no answer is found at: a technique read back from the board instead of the one
// reported would show as this.
constexpr int kStaleTechnique = 3;

// FindAnswer on the text laid out and fixed, which must leave the board as it found it.
std::optional<TFoundAnswer> AnswerOf(const std::string& text) {
    TBoard board;
    board.LayOutPuzzle(text);
    board.Fix();
    board.SetCurrentTechnique(kStaleTechnique);
    const TMatrix position = board.Matrix();
    const int entries = board.Histories().Count();
    const int floater = board.Histories().Floater();
    const std::optional<TFoundAnswer> answer = board.FindAnswer();
    EXPECT_TRUE(board.Matrix() == position) << text;
    EXPECT_EQ(board.Histories().Count(), entries) << text;
    EXPECT_EQ(board.Histories().Floater(), floater) << text;
    EXPECT_EQ(board.CurrentTechnique(), kStaleTechnique) << text;
    return answer;
}

// Every shuffle keeps its list (each draw j equals i) and no quarter turn: only the mirror is
// left. The quarter-turn draw comes after the 16 draws of the four shuffles of rows and columns.
TDraw IdentityDraw() {
    return [calls = 0](int n) mutable { return calls++ == 16 ? 0 : n - 1; };
}

// The entry records a move to (col, row) of the digit, found at the level.
void ExpectMove(const THistory& entry, int col, int row, int digit, int level) {
    EXPECT_EQ(entry.ToCol(), col);
    EXPECT_EQ(entry.ToRow(), row);
    EXPECT_EQ(entry.Digit(), digit);
    EXPECT_EQ(entry.Technique(), level);
}

const std::string kSolved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

}  // namespace

TEST(FindAnswer, FirstTemplatesAndHardExamplesUntransformed) {
    struct Case {
        const char* name;
        std::string text;
        TMove move;
        int level;  // 0 when the agreement scan found it
    };
    const Case cases[] = {
        {"kind 2", TemplateGroup(2)[0], {4, 2, 1}, 0},
        {"kind 4", TemplateGroup(4)[0], {1, 0, 9}, 4},
        {"kind 5", TemplateGroup(5)[0], {8, 2, 3}, 5},
        {"kind 6", TemplateGroup(6)[0], {8, 5, 1}, 6},
        {"example 7", WorkedExample(7).Position, {3, 0, 5}, 7},
        {"example 8", WorkedExample(8).Position, {4, 0, 9}, 8},
        {"example 9", WorkedExample(9).Position, {7, 7, 4}, 9},
    };
    for (const Case& c : cases) {
        const std::optional<TFoundAnswer> a = AnswerOf(c.text);
        ASSERT_TRUE(a) << c.name;
        EXPECT_EQ(a->Move, c.move) << c.name;
        EXPECT_EQ(a->Technique, c.level) << c.name;
    }
}

TEST(FindAnswer, MirroredFirstTemplateOfKindOne) {
    std::string text = TemplateGroup(1)[0];
    DisguisePuzzleText(text, IdentityDraw());
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 9; ++col)
            EXPECT_EQ(text[static_cast<std::size_t>(col + 9 * row)],
                      TemplateGroup(1)[0][static_cast<std::size_t>(8 - col + 9 * row)]);
    const std::optional<TFoundAnswer> a = AnswerOf(text);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Move, (TMove{6, 2, 9}));
}

TEST(FindAnswer, DisagreeingUnitsFallThroughToTheSearch) {
    // Digit 1 has one place left in row 0, at (8, 0), and one in row 8, at (0, 8): the agreement
    // scan fails for 1 and for every later digit, and the next-move search answers instead.
    std::string text(81, '0');
    const std::string row8 = "45678923";
    for (int c = 0; c < 8; ++c) {
        text[static_cast<std::size_t>(c)] = static_cast<char>('2' + c);
        text[static_cast<std::size_t>(c + 1 + 72)] = row8[static_cast<std::size_t>(c)];
    }
    const std::optional<TFoundAnswer> a = AnswerOf(text);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Move, (TMove{8, 0, 1}));
    EXPECT_EQ(a->Technique, 4);
}

TEST(MakePuzzle, LoadingRecordsTheGivensAsLoadingAfterAnEarlierSearch) {
    TBoard board;
    board.LayOutPuzzle(TemplateGroup(5)[0]);
    board.Fix();
    TCell cell;
    int digit = 0;
    ASSERT_TRUE(board.FindNextMove(false, true, digit, cell));
    ASSERT_EQ(board.CurrentTechnique(), 5);
    board.LayOutPuzzle(TemplateGroup(2)[0]);
    for (int i = 0; i < board.Histories().Count(); ++i)
        EXPECT_EQ(board.Histories().Items(i).Technique(), 0);
    board.Fix();
    const std::optional<TFoundAnswer> answer = board.FindAnswer();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->Technique, 0);  // the agreement scan answered this one
}

TEST(MakePuzzle, InvalidTextsLeaveTheBoardAlone) {
    TBoard board;
    board.LayOutPuzzle(TemplateGroup(3)[0]);
    for (std::string text :
         {std::string(80, '0'), std::string(40, '0') + " " + std::string(40, '0'),
          std::string(82, '0'), std::string(81, 'a')}) {
        board.MakePuzzle(text);
        EXPECT_EQ(board.Count(), 8);
        EXPECT_EQ(board.Histories().Count(), 8);
    }
}

TEST(MakePuzzle, EveryCellAndEveryLabelIsReachable) {
    // One given at (0, 0): over many disguises it lands on every cell and takes every digit,
    // each about equally often. A shuffle that never leaves an item in place would miss some.
    std::string text(81, '0');
    text[0] = '1';
    TRandom random(99);
    const TDraw below = [&random](int n) { return random.Below(n); };
    std::array<int, 81> cells{};
    std::array<int, 9> digits{};
    constexpr int kDraws = 81 * 200;
    for (int n = 0; n < kDraws; ++n) {
        std::string disguised = text;
        DisguisePuzzleText(disguised, below);
        const auto at = disguised.find_first_not_of('0');
        ASSERT_NE(at, std::string::npos);
        ++cells[at];
        ++digits[static_cast<std::size_t>(disguised[at] - '1')];
    }
    for (int i = 0; i < 81; ++i)
        EXPECT_TRUE(cells[static_cast<std::size_t>(i)] > 120 &&
                    cells[static_cast<std::size_t>(i)] < 280)
            << "cell " << i << ": " << cells[static_cast<std::size_t>(i)];
    for (int d = 0; d < 9; ++d)
        EXPECT_TRUE(digits[static_cast<std::size_t>(d)] > 1500 &&
                    digits[static_cast<std::size_t>(d)] < 2100)
            << "digit " << d + 1 << ": " << digits[static_cast<std::size_t>(d)];
}

TEST(MakePuzzle, KeepsTheGivensAndTheRules) {
    SeedProgramRandom(7);
    for (int kind = 1; kind <= 6; ++kind) {
        for (int trial = 0; trial < 50; ++trial) {
            const TDrawnTemplate drawn = DrawTemplate(kind, ProgramRandom());
            std::string text = drawn.Text;
            TBoard board;
            board.MakePuzzle(text);
            const auto givens =
                81 - static_cast<int>(std::count(drawn.Text.begin(), drawn.Text.end(), '0'));
            EXPECT_EQ(board.Count(), givens);
            EXPECT_EQ(board.Histories().Count(), givens);
            EXPECT_EQ(board.Histories().Floater(), givens - 1);
            EXPECT_NE(board.Matrix().GetState(), msContradiction) << text;
            for (int i = 0; i < 81; ++i)
                EXPECT_EQ(board.Matrix().GetValue(i % 9, i / 9),
                          text[static_cast<std::size_t>(i)] - '0');
        }
    }
}

TEST(Solver, BasicMoveOfLevelOneFillsAnyUnitWithEightDigits) {
    std::string text(81, '0');
    for (int c = 0; c < 8; ++c)
        text[static_cast<std::size_t>(c + 9 * 4)] = static_cast<char>('1' + c);
    TBoard board;
    board.LayOutPuzzle(text);
    board.Fix();
    EXPECT_TRUE(board.PlaceBasicMove(3, 1));  // whatever the digit asked for
    EXPECT_EQ(board.CurrentTechnique(), 1);
    ExpectMove(board.Histories().Items(board.Histories().Count() - 1), 8, 4, 9, 1);
}

TEST(Solver, LevelFourPlaysOnlyWhenTheDigitIsLocked) {
    // The first template of kind 4 has no move of levels 1-3. Locking 1 out of (1, 0) leaves
    // that cell one candidate, 9; the locks of 2 show no move; 3-9 are locked nowhere.
    struct Case {
        int digit;
        bool plays;
    };
    const Case cases[] = {{1, true},  {2, false}, {3, false}, {4, false}, {5, false},
                          {6, false}, {7, false}, {8, false}, {9, false}};
    for (const Case& c : cases) {
        TBoard board;
        board.LayOutPuzzle(TemplateGroup(4)[0]);
        board.Fix();
        const int before = board.Histories().Count();
        EXPECT_FALSE(board.PlaceBasicMove(c.digit, 3)) << c.digit;
        EXPECT_EQ(board.PlaceBasicMove(c.digit, 4), c.plays) << c.digit;
        EXPECT_EQ(board.CurrentTechnique(), 4) << c.digit;  // the last level tried
        if (!c.plays) {
            EXPECT_EQ(board.Histories().Count(), before) << c.digit;
            continue;
        }
        ASSERT_EQ(board.Histories().Count(), before + 1);
        ExpectMove(board.Histories().Items(before), 1, 0, 9, 4);
    }
}

TEST(Solver, ForcedMovesTryLevelTwoForEveryDigitBeforeLevelFour) {
    // Locking 1 gives (1, 0) = 9 at level 4; the only level 2 move is 9 at (8, 8).
    const std::string text =
        "205670340000000900000000000100000000000000090080000000006900000907000000008000000";
    {
        TBoard board;
        board.LayOutPuzzle(text);
        ASSERT_TRUE(board.PlaceBasicMove(1, 4));
        ExpectMove(board.Histories().Items(board.Histories().Count() - 1), 1, 0, 9, 4);
    }
    TBoard board;
    board.LayOutPuzzle(text);
    ASSERT_TRUE(board.PlayForcedMoves(false));
    ExpectMove(board.Histories().Items(board.Histories().Count() - 1), 8, 8, 9, 2);
}

TEST(Solver, PlayNextMoveOnSolvedStuckAndOpenBoards) {
    {
        TBoard board;
        board.LayOutPuzzle(kSolved);
        EXPECT_EQ(board.PlayNextMove(true), msSolved);
        EXPECT_EQ(board.Histories().Count(), 81);
    }
    {
        TBoard board;  // an empty board: nothing is forced anywhere
        EXPECT_EQ(board.PlayNextMove(false), msStuck);
        EXPECT_EQ(board.Histories().Count(), 0);
        EXPECT_EQ(board.CurrentTechnique(), 0);
    }
    {
        TBoard board;
        board.LayOutPuzzle(TemplateGroup(5)[0]);
        board.Fix();
        std::vector<TPlacedMove> placed;
        board.OnChanged = [&placed](const TPlacedMove& move) { placed.push_back(move); };
        const int piece = board.NextFreePiece(3);
        const int before = board.Histories().Count();
        EXPECT_EQ(board.PlayNextMove(false), msOpen);
        ASSERT_EQ(board.Histories().Count(), before + 1);
        ExpectMove(board.Histories().Items(before), 8, 2, 3, 5);
        EXPECT_EQ(board.CurrentTechnique(), 0);
        EXPECT_EQ(placed, (std::vector<TPlacedMove>{{piece, {8, 2, 3}, TMoveOrigin::Program}}));
    }
}

TEST(Solver, ContinuousPlaySolvesAnEasyPuzzlePausingBetweenMoves) {
    struct PauseView : TBoardView {
        std::vector<int> pauses;
        void PauseBetweenMoves(int milliseconds) override { pauses.push_back(milliseconds); }
    } view;
    std::string text = kSolved;
    for (const int i : {0, 10, 20, 30, 40, 50, 60, 70, 80, 8, 16, 24})
        text[static_cast<std::size_t>(i)] = '0';
    TBoard board;
    board.SetView(&view);
    board.LayOutPuzzle(text);
    EXPECT_TRUE(board.PlayForcedMoves(true));
    EXPECT_EQ(board.Matrix().GetState(), msSolved);
    EXPECT_EQ(board.Count(), 81);
    // Twelve moves, a pause between each two of them.
    EXPECT_EQ(view.pauses, std::vector<int>(11, 10));
}

TEST(Solver, FindAnswerOnAnEmptyBoardFindsNothing) {
    EXPECT_FALSE(AnswerOf(std::string(81, '0')));
}
