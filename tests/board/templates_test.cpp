// The stored templates and the puzzles made from them: every template keeps the rules of its
// kind (see support/template_rules.h), no template is a disguise of another, and thousands of
// disguised puzzles of every kind keep the answer's shape, level and soundness.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "board/board.h"
#include "logic/position_text.h"
#include "logic/random.h"
#include "logic/templates.h"
#include "support/grid_solver.h"
#include "support/template_rules.h"

using namespace template_rules;

TEST(Templates, GroupsHaveTheirSizesAndKindOneServesTheRest) {
    const std::size_t sizes[] = {4, 9, 8, 8, 8, 9};
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_EQ(TemplateGroup(kind).size(), sizes[kind - 1]) << "kind " << kind;
    EXPECT_EQ(&TemplateGroup(0), &TemplateGroup(1));
    EXPECT_EQ(&TemplateGroup(7), &TemplateGroup(1));
    TRandom random(3);
    EXPECT_EQ(DrawTemplate(9, random).Kind, 1);
}

TEST(Templates, EveryTemplateKeepsTheRulesOfItsKind) {
    for (int kind = 1; kind <= 6; ++kind) {
        const auto& group = TemplateGroup(kind);
        for (std::size_t row = 0; row < group.size(); ++row) {
            const auto broken = BrokenRule(kind, group[row], true);
            EXPECT_FALSE(broken) << "kind " << kind << " row " << row << ": " << *broken;
        }
    }
}

TEST(Templates, NoTemplateIsADisguiseOfAnother) {
    std::map<std::string, std::string> owner;
    for (int kind = 1; kind <= 6; ++kind) {
        const auto& group = TemplateGroup(kind);
        for (std::size_t row = 0; row < group.size(); ++row) {
            const std::string name = std::to_string(kind) + "/" + std::to_string(row);
            const auto [it, fresh] = owner.emplace(Fingerprint(group[row]), name);
            EXPECT_TRUE(fresh) << name << " looks like " << it->second;
        }
    }
}

TEST(Templates, TheFingerprintSurvivesEveryDisguise) {
    TRandom random(11);
    const TDraw below = [&random](int n) { return random.Below(n); };
    for (int kind = 1; kind <= 6; ++kind) {
        for (const std::string& text : TemplateGroup(kind)) {
            std::string disguised = text;
            DisguisePuzzleText(disguised, below);
            EXPECT_EQ(Fingerprint(disguised), Fingerprint(text)) << text;
        }
    }
    // A different layout of the same digits is told apart.
    std::string moved = TemplateGroup(2)[0];
    std::swap(moved[6], moved[5]);
    EXPECT_NE(Fingerprint(moved), Fingerprint(TemplateGroup(2)[0]));
}

TEST(Templates, EveryRowIsDrawnWithSomeChance) {
    TRandom random(5);
    for (int kind = 1; kind <= 6; ++kind) {
        std::set<int> rows;
        for (int n = 0; n < 400; ++n) {
            const TDrawnTemplate drawn = DrawTemplate(kind, random);
            EXPECT_EQ(drawn.Text, TemplateGroup(kind)[static_cast<std::size_t>(drawn.Row)]);
            rows.insert(drawn.Row);
        }
        EXPECT_EQ(rows.size(), TemplateGroup(kind).size()) << "kind " << kind;
    }
}

// Made as a round makes them: draw, MakePuzzle, Fix, FindAnswer.
TEST(MadePuzzles, KeepTheirGivensAnswerAndLevel) {
    constexpr int kPerKind = 600;
    SeedProgramRandom(2024);
    for (int kind = 1; kind <= 6; ++kind) {
        for (int n = 0; n < kPerKind; ++n) {
            const TDrawnTemplate drawn = DrawTemplate(kind, ProgramRandom());
            std::string text = drawn.Text;
            TBoard board;
            board.MakePuzzle(text);
            board.Fix();
            const std::optional<TFoundAnswer> found = board.FindAnswer();
            const std::string where =
                "kind " + std::to_string(kind) + " row " + std::to_string(drawn.Row) + ": " + text;
            ASSERT_TRUE(testgrid::IsConsistent(testgrid::FromText(text))) << where;
            ASSERT_EQ(board.Count(), GivensOf(drawn.Text)) << where;
            ASSERT_TRUE(found) << where;
            const TMove answer = found->Move;
            ASSERT_TRUE(IsSoundMove(text, answer)) << where;
            // The one basic move after the kind's eliminations is the answer, in every disguise.
            const auto moves = BasicMoves(Eliminated(board.Matrix(), kind));
            ASSERT_EQ(moves.size(), 1u) << where;
            ASSERT_EQ(moves.front().Move, answer) << where;
            // Kinds 1 and 2 are answered by the agreement scan, at level 0.
            // Kind 3's single-candidate cell is named by the next-move search after the first
            // elimination that changes something: level 4, but 6 for row 0, where nothing of
            // levels 4 and 5 applies.
            const int level = kind >= 4 ? kind : kind == 3 ? (drawn.Row == 0 ? 6 : 4) : 0;
            ASSERT_EQ(found->Technique, level) << where;
        }
    }
}
