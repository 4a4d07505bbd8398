// Practice's own rules without a game: which technique the weakest stands for, counted from
// journey and practice records, and what each stage of hints shows of the worked examples.
#include <gtest/gtest.h>

#include <algorithm>

#include "journey/practice.h"
#include "logic/position_text.h"
#include "logic/technique_examples.h"
#include "logic/technique_names.h"

namespace {

using R = TRoundResult;

// Rounds alike: `count` of them of the kind (0: practice) and technique, ending so.
struct TRounds {
    int kind, technique;
    R result;
    int count;
};

std::vector<TRoundRecord> Records(std::initializer_list<TRounds> groups) {
    std::vector<TRoundRecord> records;
    for (const TRounds& g : groups) {
        for (int i = 0; i < g.count; ++i) {
            TRoundRecord r;
            r.Name = QStringLiteral("花子");
            r.Kind = g.kind;
            r.Technique = g.technique;
            r.Result = g.result;
            r.Ms = 1000;
            records.push_back(r);
        }
    }
    return records;
}

}  // namespace

TEST(Practice, TheWeakestTechniqueComesFromTheRecords) {
    struct Case {
        const char* name;
        std::vector<TRoundRecord> records;
        int weakest;
    };
    const Case cases[] = {
        {"no rounds yet", {}, 1},
        {"the lowest never played; technique 0 is none",
         Records({{1, 0, R::Wrong, 6}, {1, 1, R::Ok, 2}, {0, 2, R::Ok, 1}}), 3},
        {"a share needs five rounds", Records({{0, 4, R::Wrong, 4}, {0, 1, R::Ok, 1}}), 2},
        {"a share of five rounds comes before any never played",
         Records({{6, 6, R::Ok, 3}, {6, 6, R::Timeout, 2}, {0, 5, R::Ok, 4}, {0, 5, R::Wrong, 1}}),
         6},
        {"hinted is no success",
         Records({{0, 5, R::Ok, 3}, {0, 5, R::Hinted, 2}, {6, 6, R::Ok, 4}, {6, 6, R::GaveUp, 1}}),
         5},
        {"journey and practice rounds count together",
         Records({{4, 4, R::Wrong, 3}, {0, 4, R::Ok, 2}, {0, 3, R::Ok, 5}}), 4},
        {"equal shares go to the lower technique",
         Records({{0, 8, R::Ok, 1}, {0, 8, R::Wrong, 4}, {2, 2, R::Ok, 2}, {2, 2, R::Wrong, 8}}),
         2},
        {"every one played, none five times: the least played",
         Records({{0, 1, R::Ok, 2},
                  {0, 2, R::Ok, 2},
                  {0, 3, R::Ok, 2},
                  {0, 4, R::Ok, 2},
                  {0, 5, R::Ok, 2},
                  {0, 6, R::Ok, 2},
                  {0, 7, R::Wrong, 1},
                  {0, 8, R::Ok, 2},
                  {0, 9, R::Ok, 2}}),
         7},
    };
    for (const Case& c : cases) {
        const TPracticeMenu menu = MakePracticeMenu(c.records);
        EXPECT_EQ(menu.Weakest, c.weakest) << c.name;
    }
    // What the picker shows beside each technique.
    const TPracticeMenu menu = MakePracticeMenu(cases[4].records);
    EXPECT_EQ(menu.Techniques[4].Technique, 5);
    EXPECT_EQ(menu.Techniques[4].Name, QString::fromUtf8(TechniqueLevelNames[5].data()));
    EXPECT_EQ(menu.Techniques[4].Tally, (TTally{5, 3}));
    EXPECT_EQ(ShareText(menu.Techniques[4].Tally), QStringLiteral("3 / 5 (60%)"));
    EXPECT_EQ(ShareText(menu.Techniques[8].Tally), QStringLiteral("—"));
}

// On each technique's worked example: stage 1 shades a unit and frames nothing; stages 2 and 3
// frame empty cells of that unit: the cell a placement or a supposition is about (the answer's
// own), the places of a locked digit or a subset's cells.
TEST(Practice, EachStageOfHintsShowsMoreOfTheStepThatNeedsTheTechnique) {
    for (int technique = 1; technique <= 9; ++technique) {
        SCOPED_TRACE(technique);
        const TWorkedExample example = WorkedExample(technique);
        std::string error;
        const TMatrix position = *MatrixFromText(example.Position, error);
        const TMove answer = example.Explanation.Answer;

        const TPracticeHint none = PracticeHint(example.Explanation, 0);
        EXPECT_EQ(none.Stage, 0);
        EXPECT_FALSE(none.Unit);
        const TPracticeHint first = PracticeHint(example.Explanation, 1);
        EXPECT_EQ(first.Technique, technique);
        ASSERT_TRUE(first.Unit);
        EXPECT_TRUE(first.Cells.empty());
        for (const int stage : {2, 3, 4}) {
            const TPracticeHint hint = PracticeHint(example.Explanation, stage);
            EXPECT_EQ(hint.Stage, std::min(stage, kLastHintStage));
            EXPECT_EQ(hint.Unit, first.Unit);
            ASSERT_FALSE(hint.Cells.empty());
            EXPECT_TRUE(std::is_sorted(hint.Cells.begin(), hint.Cells.end()));
            for (const int cell : hint.Cells) {
                EXPECT_TRUE(Contains(*hint.Unit, cell)) << cell;
                EXPECT_EQ(position.GetValue(cell % 9, cell / 9), 0) << cell;
            }
            if (technique >= 4 && technique <= 6)
                EXPECT_GE(hint.Cells.size(), 2u);
            else
                EXPECT_EQ(hint.Cells, std::vector<int>{answer.Col + 9 * answer.Row});
        }
    }
    // A round that could not be explained has nothing to show.
    const TPracticeHint unexplained = PracticeHint(TExplanation{}, 2);
    EXPECT_EQ(unexplained.Stage, 2);
    EXPECT_FALSE(unexplained.Unit);
    EXPECT_TRUE(unexplained.Cells.empty());
}
