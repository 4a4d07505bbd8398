// Explanations of answers: the worked example of every technique, what the explainer leaves out,
// the observer the techniques report to, and the checker's own rules (each broken on purpose).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "board/answer_explanation.h"
#include "board/board.h"
#include "logic/explanation.h"
#include "logic/position_text.h"
#include "logic/random.h"
#include "logic/step_cutting.h"
#include "logic/step_evidence.h"
#include "logic/step_recorder.h"
#include "logic/technique_examples.h"
#include "logic/technique_observer.h"
#include "logic/templates.h"
#include "support/explanation_checker.h"
#include "support/grid_solver.h"

namespace {

TMatrix Load(const std::string& text) {
    std::string error;
    return *MatrixFromText(text, error);
}

int Index(const TMove& move) {
    return move.Col + 9 * move.Row;
}

bool HasStepOf(const std::vector<TStep>& steps, int technique) {
    for (const TStep& step : steps) {
        if (step.Technique == technique || HasStepOf(step.Steps, technique)) return true;
    }
    return false;
}

TEST(Explanation, EveryTechniqueHasAWorkedExampleOfTheBoardsOwnAnswer) {
    for (int technique = 1; technique <= 9; ++technique) {
        SCOPED_TRACE("technique " + std::to_string(technique));
        const TWorkedExample example = WorkedExample(technique);
        const TMatrix position = Load(example.Position);
        ASSERT_TRUE(example.Explanation.Explained());
        EXPECT_EQ(example.Explanation.Technique(), technique);
        EXPECT_TRUE(HasStepOf(example.Explanation.Steps, technique));
        EXPECT_EQ(explanation_check::BrokenRule(position, example.Explanation), std::nullopt);

        TBoard board;
        board.LayOutPuzzle(example.Position);
        board.Fix();
        const std::optional<TFoundAnswer> answer = board.FindAnswer();
        ASSERT_TRUE(answer);
        EXPECT_EQ(example.Explanation.Answer, answer->Move);

        for (const TLanguage language : {TLanguage::Japanese, TLanguage::English}) {
            const auto sentences = ExampleSentences(example, language);
            EXPECT_GE(sentences.size(), example.Explanation.Steps.size());
            for (const std::string& sentence : sentences)
                EXPECT_FALSE(sentence.empty());
        }
    }
    EXPECT_TRUE(WorkedExample(0).Position.empty());
    EXPECT_TRUE(WorkedExample(10).Position.empty());
}

TEST(Explanation, KeepsOnlyTheEliminationTheAnswerNeeds) {
    // Level 4 removes many candidates in this template; the 9 at B1 needs one lock of them.
    const TMatrix position = Load(TemplateGroup(4)[0]);
    const TExplanation explanation = Explain(position, {1, 0, 9});
    ASSERT_EQ(explanation.Steps.size(), 2u);
    const TStep& lock = explanation.Steps[0];
    EXPECT_EQ(lock.Type, TStepType::Locked);
    EXPECT_EQ(lock.Digit, 1);
    EXPECT_EQ(lock.Unit, (TUnit{TUnitKind::Box, 6}));
    EXPECT_EQ(lock.Other, (TUnit{TUnitKind::Column, 1}));
    EXPECT_EQ(lock.Cells, (std::vector<int>{55, 64, 73}));
    EXPECT_EQ(lock.Removed, (std::vector<TCandidate>{{1, 1}, {10, 1}, {19, 1}}));
    EXPECT_EQ(explanation.Steps[1].Type, TStepType::LastCandidate);
    EXPECT_EQ(explanation.Steps[1].Cell, 1);
}

// Positions once explained with a step whose removals fell short of its pattern's, or with a step
// the answer could do without; each explanation now keeps the rules.
TEST(Explanation, RemovesAllItsPatternsRuleOutAndLeavesNoStepToSpare) {
    const struct {
        const char* position;
        TMove answer;
        std::size_t steps;
        TCandidate removed;  // by the first step
        std::vector<TCandidate> matters;
    } cases[] = {
        // Box 5's D4, E4 and F4 hold only 5, 7 and 8: E6 and F6 lose their 7 too.
        {"500901702020006300000200000294000030008060007060100000000004000000300000000000003",
         {3, 4, 4},
         2,
         {50, 7},
         {{39, 5}}},
        // Column G's 4s are all in box 3 without the lock of box 1 before it.
        {"108000090000910083902700060001654070005379126070028300800007012040000837207800549",
         {8, 0, 5},
         2,
         {26, 4},
         {{8, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const TMatrix position = Load(c.position);
        const TExplanation explanation = Explain(position, c.answer);
        ASSERT_EQ(explanation.Steps.size(), c.steps);
        const std::vector<TCandidate>& removed = explanation.Steps[0].Removed;
        EXPECT_NE(std::find(removed.begin(), removed.end(), c.removed), removed.end());
        EXPECT_EQ(explanation.Steps[0].Matters, c.matters);
        EXPECT_EQ(explanation_check::BrokenRule(position, explanation), std::nullopt);
    }
}

// A position with a dead end has no answer to explain, whatever move is asked for: its first
// dead end is named, an empty cell without candidates before a unit without room.
TEST(Explanation, NamesTheDeadEndOfAPositionInsteadOfExplainingIt) {
    const std::string zeros(81, '0');
    auto with = [&](std::string start) { return start + zeros.substr(start.size()); };
    const struct {
        std::string position;
        TMove asked;
        TDeadEnd end;
    } cases[] = {
        // I2 holds the 9 row 1 lacks: I1 has no candidate (and row 1 no room for 9).
        {with("123456780000000009"), {8, 0, 9}, {8, {}, 0}},
        // A1-G1 hold 1-7, H5 and I2 a 9: H1 and I1 may take 8, row 1 has no room for 9.
        {with("123456700000000009000000000000000000000000090"), {7, 0, 8}, {-1, {}, 9}},
        // A1-A7 hold 1-7 and C7 a 9: A8 and A9 may take 8, column A has no room for 9.
        {with("100000000200000000300000000400000000500000000600000000709"),
         {0, 7, 8},
         {-1, {TUnitKind::Column, 0}, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const TMatrix position = Load(c.position);
        const TExplanation explanation = Explain(position, c.asked);
        EXPECT_FALSE(explanation.Explained());
        EXPECT_EQ(explanation.Contradiction, c.end);
        EXPECT_EQ(explanation_check::ContradictionFault(position, explanation), std::nullopt);
    }
    EXPECT_EQ(Explain(Load(TemplateGroup(4)[0]), {1, 0, 9}).Contradiction, std::nullopt);
}

TEST(Explanation, LeavesAMoveThatIsNoAnswerUnexplained) {
    const TMatrix position = Load(TemplateGroup(4)[0]);
    EXPECT_FALSE(Explain(position, {1, 0, 8}).Explained());   // not forced
    EXPECT_FALSE(Explain(position, {0, 0, 2}).Explained());   // a given
    EXPECT_FALSE(Explain(position, {9, 0, 1}).Explained());   // off the grid
    EXPECT_FALSE(Explain(TMatrix(), {0, 0, 1}).Explained());  // nothing forced at all
    EXPECT_EQ(Explain(position, {1, 0, 8}).Technique(), 0);
}

TEST(Explanation, TheBoardExplainsItsAnswerAndKeepsItsTechnique) {
    TBoard board;
    board.SetCurrentTechnique(3);
    EXPECT_FALSE(ExplainAnswer(board));  // an empty board has no answer
    board.LayOutPuzzle(TemplateGroup(5)[0]);
    board.Fix();
    board.SetCurrentTechnique(2);
    const auto explanation = ExplainAnswer(board);
    ASSERT_TRUE(explanation);
    EXPECT_EQ(explanation->Answer, (TMove{8, 2, 3}));
    EXPECT_EQ(explanation->Technique(), 5);
    EXPECT_EQ(board.CurrentTechnique(), 2);
}

// Applies what the observer is told to a shadow copy: every pattern's removals as the contract
// words them. The game's eliminations and the shadow must end alike.
class TShadow : public TTechniqueObserver {
  public:
    explicit TShadow(const TMatrix& start) : shadow(start) {}

    void Locked(const TMatrix& m, int digit, int unit, int other) override {
        const TStep step = Caught(
            m, [&](int i, int d) { return d == digit && InUnit(other, i) && !InUnit(unit, i); });
        step_evidence::Apply(step, shadow);
    }
    void Naked(const TMatrix& m, int unit, const TUnitCellSet& cells, unsigned digits) override {
        step_evidence::Apply(Caught(m,
                                    [&](int i, int d) {
                                        return InUnit(unit, i) && !InSet(cells, i) &&
                                               (digits >> (d - 1) & 1u);
                                    }),
                             shadow);
    }
    void Hidden(const TMatrix& m, int /*unit*/, const TUnitCellSet& cells,
                unsigned digits) override {
        step_evidence::Apply(
            Caught(m, [&](int i, int d) { return InSet(cells, i) && !(digits >> (d - 1) & 1u); }),
            shadow);
    }

    TMatrix shadow;

  private:
    static bool InUnit(int unit, int i) { return Contains(step_evidence::UnitAt(unit), i); }
    static bool InSet(const TUnitCellSet& set, int i) {
        for (int k = 0; k < set.Count; ++k)
            if (set.Cells[static_cast<std::size_t>(k)] == i) return true;
        return false;
    }
    // The candidates of m that the rule picks, as an elimination.
    static TStep Caught(const TMatrix& m, const std::function<bool(int, int)>& picks) {
        TStep step;
        step.Type = TStepType::Locked;
        for (int i = 0; i < 81; ++i)
            for (int d = 1; d <= 9; ++d)
                if ((m.CandidatesAt(i) >> (d - 1) & 1) && picks(i, d))
                    step.Removed.push_back({i, d});
        return step;
    }
};

TEST(Explanation, TheObserverHearsOfEveryRemovalBeforeItIsMade) {
    TRandom random(4);
    int changed = 0;
    for (int n = 0; n < 200; ++n) {
        const auto solution = testgrid::RandomSolvedGrid(random);
        const TMatrix start = Load(
            testgrid::ToText(testgrid::KeepRandomCells(solution, random.Between(18, 30), random)));
        TMatrix game = start;
        game.ApplyAllReservedSeats();
        TMatrix heard = start;
        TShadow shadow(start);
        heard.ApplyAllReservedSeats(&shadow);
        EXPECT_EQ(heard, game) << "the observer changed the result";
        EXPECT_EQ(shadow.shadow, game) << PositionText(start);
        changed += !(game == start);
    }
    EXPECT_GT(changed, 100);
}

// --- The checker -----------------------------------------------------------------------------

// A digit that one unit confines to where it crosses another, there with candidates in the
// other's remaining cells too: a sound lock, and of no use to an answer outside both units.
std::optional<TStep> SpareLock(const TMatrix& m, int answerCell) {
    std::vector<TUnit> units;
    for (const TUnitKind kind : {TUnitKind::Row, TUnitKind::Column, TUnitKind::Box})
        for (int n = 0; n < 9; ++n)
            units.push_back({kind, n});
    for (const TUnit unit : units) {
        for (const TUnit other : units) {
            if ((unit.Kind == TUnitKind::Box) == (other.Kind == TUnitKind::Box)) continue;
            if (Contains(unit, answerCell) || Contains(other, answerCell)) continue;
            for (int d = 1; d <= 9; ++d) {
                TStep lock;
                lock.Type = TStepType::Locked;
                lock.Technique = 4;
                lock.Digit = d;
                lock.Unit = unit;
                lock.Other = other;
                bool confined = true;
                for (const int i : CellsOf(unit)) {
                    if (!(m.CandidatesAt(i) >> (d - 1) & 1)) continue;
                    lock.Cells.push_back(i);
                    confined &= Contains(other, i);
                }
                if (lock.Cells.empty() || !confined) continue;
                std::sort(lock.Cells.begin(), lock.Cells.end());
                for (const int i : CellsOf(other))
                    if (!Contains(unit, i) && (m.CandidatesAt(i) >> (d - 1) & 1))
                        lock.Removed.push_back({i, d});
                if (!lock.Removed.empty()) return lock;
            }
        }
    }
    return std::nullopt;
}

// A placement the position allows, anywhere.
std::optional<TStep> AnyPlacement(const TMatrix& m) {
    for (int i = 0; i < 81; ++i)
        for (int d = 1; d <= 9; ++d)
            if (auto step = step_evidence::BasicPlacement(m, {i % 9, i / 9, d})) return step;
    return std::nullopt;
}

// Breaks an explanation by one more removal in its first step.
std::function<void(const TMatrix&, TExplanation&)> AlsoRemoving(TCandidate candidate) {
    return
        [candidate](const TMatrix&, TExplanation& e) { e.Steps[0].Removed.push_back(candidate); };
}

struct TBrokenCase {
    const char* what;
    int technique;  // whose worked example is broken
    std::function<void(const TMatrix& position, TExplanation&)> breakIt;
    const char* rule;  // a part of the rule the checker must name
};

TEST(ExplanationChecker, NamesTheRuleEachFaultBreaks) {
    const std::vector<TBrokenCase> cases = {
        {"no steps", 4, [](const TMatrix&, TExplanation& e) { e.Steps.clear(); }, "no steps"},
        {"a step the answer needs left out", 4,
         [](const TMatrix&, TExplanation& e) { e.Steps.erase(e.Steps.begin()); },
         "step 1: no last candidate"},
        {"a step the answer does without", 4,
         [](const TMatrix& position, TExplanation& e) {
             TMatrix m = position;
             step_evidence::Replay(std::span(e.Steps).first(1), m);
             e.Steps.insert(e.Steps.begin() + 1, *SpareLock(m, Index(e.Answer)));
         },
         "step 2: not needed"},
        {"a candidate removed that is not there", 4, AlsoRemoving({28, 1}), "not there"},
        {"a candidate removed twice", 4, AlsoRemoving({1, 1}), "twice"},
        {"a removal the lock does not rule out", 4, AlsoRemoving({1, 9}), "does not rule out"},
        {"a lock that leaves some of what it rules out", 4,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Removed.pop_back(); },
         "step 1: removes less than the lock rules out"},
        {"a hidden subset that leaves some of what it rules out", 6,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Removed.pop_back(); },
         "step 1: removes less than the subset rules out"},
        {"nothing marked as mattering", 4,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Matters.clear(); },
         "step 1: nothing it removes matters"},
        {"a removal marked that does not matter", 4,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Matters = e.Steps[0].Removed; },
         "does not matter"},
        {"too little marked", 4,
         [](const TMatrix&, TExplanation& e) {
             e.Steps[0].Matters = {{10, 1}};
         },
         "not enough"},
        {"a mark on a candidate not removed", 4,
         [](const TMatrix&, TExplanation& e) {
             e.Steps[0].Matters.push_back({28, 1});
         },
         "is not removed"},
        {"nothing marked in a trial's step", 9,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Steps[1].Matters.clear(); },
         "step 1: its step 2: nothing it removes matters"},
        {"the lock's cells are not the digit's places", 4,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Cells.pop_back(); }, "places"},
        {"a wrong technique number", 4,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Technique = 5; }, "technique number"},
        {"a placement before the last step", 4,
         [](const TMatrix&, TExplanation& e) { e.Steps.insert(e.Steps.begin(), e.Steps.back()); },
         "only the last step places"},
        {"the last step removes", 4, [](const TMatrix&, TExplanation& e) { e.Steps.pop_back(); },
         "places nothing"},
        {"another answer", 4, [](const TMatrix&, TExplanation& e) { e.Answer.Digit = 8; },
         "another move"},
        {"the subset's digits are not its cells' candidates", 5,
         [](const TMatrix&, TExplanation& e) {
             e.Steps[0].Digits = {1, 4};
         },
         "other digits"},
        {"a hidden subset with a cell too many", 6,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Cells.push_back(80); }, "places"},
        {"a chain link left out", 7,
         [](const TMatrix&, TExplanation& e) { e.Steps[0].Chain.erase(e.Steps[0].Chain.begin()); },
         "step 1:"},
        {"the blocked digit is neither candidate", 7,
         [](const TMatrix&, TExplanation& e) {
             TStep& step = e.Steps[0];
             step.Blocked.Digit = 1;
             while (step.Blocked.Digit == step.Assumed || step.Blocked.Digit == step.Digit)
                 ++step.Blocked.Digit;
             step.Technique = 8;
         },
         "neither candidate"},
        {"a trial within a trial", 9,
         [](const TMatrix&, TExplanation& e) {
             e.Steps[0].Steps.insert(e.Steps[0].Steps.begin(), e.Steps[0]);
         },
         "a trial within a trial"},
        {"a trial step the dead end does without", 9,
         [](const TMatrix& position, TExplanation& e) {
             TStep& trial = e.Steps[0];
             TMatrix m = position;
             m.SetValue(trial.Cell % 9, trial.Cell / 9, trial.Assumed);
             step_evidence::Replay(trial.Steps, m);
             trial.Steps.push_back(*AnyPlacement(m));
         },
         "is not needed"},
        {"a trial that removes another candidate", 9,
         [](const TMatrix&, TExplanation& e) {
             e.Steps[0].Removed.push_back({e.Steps[0].Cell, e.Answer.Digit});
         },
         "other than the assumed"},
        {"a trial's dead end that is not there", 9,
         [](const TMatrix&, TExplanation& e) {
             e.Steps[0].Contradiction = TDeadEnd{0, {}, 0};
         },
         "dead end"},
    };
    for (const TBrokenCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TWorkedExample example = WorkedExample(c.technique);
        const TMatrix position = Load(example.Position);
        TExplanation broken = example.Explanation;
        c.breakIt(position, broken);
        const auto rule = explanation_check::BrokenRule(position, broken);
        ASSERT_TRUE(rule);
        EXPECT_NE(rule->find(c.rule), std::string::npos) << *rule;
    }
}

// A lock is its digit and its units: once a step before it is left out, it still holds with the
// cells its digit then has. Column G's 4s are in box 3 with or without G2's 4, so the lock of
// box 1 that removes G2's 4 is not needed.
TEST(ExplanationChecker, TakesALockLeftWithoutTheStepBeforeItWithTheCellsItThenHas) {
    const TMatrix position =
        Load("108000090000910083902700060001654070005379126070028300800007012040000837207800549");
    TExplanation explanation = Explain(position, {8, 0, 5});
    ASSERT_EQ(explanation.Steps.size(), 2u);
    TStep box1;
    box1.Type = TStepType::Locked;
    box1.Technique = 4;
    box1.Digit = 4;
    box1.Unit = {TUnitKind::Box, 0};
    box1.Other = {TUnitKind::Row, 1};
    std::vector<TStep>& steps = explanation.Steps;
    steps.insert(steps.begin(), *step_recording::Reread(position, box1));
    TMatrix m = position;
    step_evidence::Apply(steps[0], m);
    steps[1] = *step_recording::Reread(m, steps[1]);
    EXPECT_EQ(steps[0].Removed, (std::vector<TCandidate>{{15, 4}}));
    step_cutting::MarkMatters(position, steps);
    const auto rule = explanation_check::BrokenRule(position, explanation);
    ASSERT_TRUE(rule);
    EXPECT_EQ(*rule, "step 1: not needed for the answer");
}

}  // namespace
