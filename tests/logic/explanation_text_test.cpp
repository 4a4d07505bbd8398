// The sentences of explanation steps, one line per pattern: the step and what it must read in
// Japanese and in English.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/explanation_text.h"

namespace {

constexpr TUnit kRow3{TUnitKind::Row, 2};
constexpr TUnit kRow6{TUnitKind::Row, 5};
constexpr TUnit kColumnB{TUnitKind::Column, 1};
constexpr TUnit kBox1{TUnitKind::Box, 0};

int At(const char* name) {
    return (name[0] - 'A') + 9 * (name[1] - '1');
}

TStep Placing(TStepType type, int technique, TUnit unit, const char* cell, int digit) {
    TStep step;
    step.Type = type;
    step.Technique = technique;
    step.Unit = unit;
    step.Cell = At(cell);
    step.Digit = digit;
    return step;
}

TStep Subset(TStepType type, TUnit unit, std::vector<const char*> cells, std::vector<int> digits) {
    TStep step;
    step.Type = type;
    step.Technique = type == TStepType::Naked ? 5 : 6;
    step.Unit = unit;
    for (const char* cell : cells)
        step.Cells.push_back(At(cell));
    step.Digits = std::move(digits);
    return step;
}

TStep Lock(int digit, TUnit unit, TUnit other, std::vector<const char*> cells) {
    TStep step = Subset(TStepType::Locked, unit, std::move(cells), {});
    step.Technique = 4;
    step.Digit = digit;
    step.Other = other;
    return step;
}

TStep Supposing(TStepType type, const char* cell, int assumed) {
    TStep step;
    step.Type = type;
    step.Cell = At(cell);
    step.Assumed = assumed;
    return step;
}

TStep Contradiction(std::vector<const char*> chain, TUnit blocked, int w, int digit) {
    TStep step = Supposing(TStepType::Contradiction, "D4", 5);
    for (const char* cell : chain)
        step.Chain.push_back({kRow3, At(cell), w});
    step.Blocked = {-1, blocked, w};
    step.Digit = digit;
    return step;
}

TStep Trial(TDeadEnd end) {
    TStep step = Supposing(TStepType::Trial, "D4", 5);
    step.Contradiction = end;
    return step;
}

struct TSentenceCase {
    TStep step;
    const char* japanese;
    const char* english;
};

TEST(ExplanationText, OneSentencePerPatternInBothLanguages) {
    const std::vector<TSentenceCase> cases = {
        {Placing(TStepType::LastCell, 1, kBox1, "C3", 9),
         "ブロック1で空いているマスは C3 だけなので、C3 に足りない 9 が入ります。",
         "C3 is the only empty cell of box 1, so it takes the missing 9."},
        {Placing(TStepType::LastPlace, 2, kColumnB, "B7", 4),
         "B列の 4 は B7 にしか入らないので、B7 は 4 です。",
         "In column B the 4 can only go in B7, so B7 is 4."},
        {Placing(TStepType::LastCandidate, 3, kRow3, "E2", 9), "E2 に入る数字は 9 しかありません。",
         "E2 can hold nothing but 9."},
        {Lock(7, kBox1, kRow3, {"B3", "C3"}),
         "ブロック1の 7 は B3 か C3 にしか入らないので、3行目のほかのマスには入りません。",
         "In box 1 the 7 can only go in B3 or C3, so row 3's other cells lose 7."},
        {Lock(1, {TUnitKind::Box, 6}, kColumnB, {"B7", "B8", "B9"}),
         "ブロック7の 1 は B7、B8 か B9 にしか入らないので、B列のほかのマスには入りません。",
         "In box 7 the 1 can only go in B7, B8 or B9, so column B's other cells lose 1."},
        {Subset(TStepType::Naked, kRow3, {"B3", "E3"}, {4, 7}),
         "3行目の B3 と E3 には 4 と 7 しか入らないので、3行目のほかのマスには入りません。",
         "In row 3, B3 and E3 hold only 4 and 7, so row 3's other cells lose them."},
        {Subset(TStepType::Naked, kRow3, {"A3", "B3", "E3"}, {1, 4, 7}),
         "3行目の A3、B3 と E3 には 1、4 と 7 しか入らないので、3行目のほかのマスには入りません。",
         "In row 3, A3, B3 and E3 hold only 1, 4 and 7, so row 3's other cells lose them."},
        {Subset(TStepType::Hidden, kBox1, {"A1", "C2"}, {2, 6}),
         "ブロック1の 2 と 6 は A1 と C2 にしか入らないので、その2マスにはほかの数字が入りません。",
         "In box 1, 2 and 6 can only go in A1 and C2, so those cells lose their other candidates."},
        {Subset(TStepType::Hidden, kBox1, {"C2"}, {6}),
         "ブロック1の 6 は C2 にしか入らないので、C2 にはほかの数字が入りません。",
         "In box 1 the 6 can only go in C2, so C2 loses its other candidates."},
        {Contradiction({"E5", "F7"}, kRow6, 2, 2),
         "D4 が 5 だとすると、2 は E5、F7 に入ることになり、6行目に 2 "
         "の入る場所がなくなります。だから D4 "
         "は 2 です。",
         "If 5 were in D4, 2 would have to go in E5, then F7, and then row 6 would have no room "
         "for "
         "2; so D4 is 2."},
        {Contradiction({}, kRow6, 5, 8),
         "D4 が 5 だとすると、6行目に 5 の入る場所がなくなります。だから D4 は 8 です。",
         "If 5 were in D4, then row 6 would have no room for 5; so D4 is 8."},
        {Trial({-1, kRow6, 2}),
         "D4 が 5 だとすると …、6行目に 2 の入る場所がなくなります。だから D4 は 5 "
         "ではありません。",
         "If 5 were in D4 …, then row 6 would have no room for 2, so D4 is not 5."},
        {Trial({At("F9"), {}, 0}),
         "D4 が 5 だとすると …、F9 に入る数字がなくなります。だから D4 は 5 ではありません。",
         "If 5 were in D4 …, then F9 would have no digit left, so D4 is not 5."},
    };
    for (const TSentenceCase& c : cases) {
        EXPECT_EQ(StepSentence(c.step, TLanguage::Japanese), c.japanese);
        EXPECT_EQ(StepSentence(c.step, TLanguage::English), c.english);
    }
}

TEST(ExplanationText, CellsAndUnitsAreNamedAsTheBoardLabelsThem) {
    EXPECT_EQ(CellName(0), "A1");
    EXPECT_EQ(CellName(1 + 9 * 2), "B3");
    EXPECT_EQ(CellName(80), "I9");
    EXPECT_EQ(CellName(81), "?");
    EXPECT_EQ(UnitName(kRow3, TLanguage::Japanese), "3行目");
    EXPECT_EQ(UnitName(kRow3, TLanguage::English), "row 3");
    EXPECT_EQ(UnitName({TUnitKind::Column, 8}, TLanguage::Japanese), "I列");
    EXPECT_EQ(UnitName({TUnitKind::Column, 8}, TLanguage::English), "column I");
    EXPECT_EQ(UnitName({TUnitKind::Box, 8}, TLanguage::Japanese), "ブロック9");
    EXPECT_EQ(UnitName({TUnitKind::Box, 2}, TLanguage::English), "box 3");
}

}  // namespace
