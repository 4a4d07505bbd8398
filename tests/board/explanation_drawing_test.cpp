// Walking through explanations and what the board draws for each page, on the worked example of
// every technique: the candidates shown before a step must be the ones the step stands on, and
// the drawing may only strike out what is there.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/explanation_drawing.h"
#include "logic/explanation_walk.h"
#include "logic/position_text.h"
#include "logic/step_evidence.h"
#include "logic/technique_examples.h"

namespace {

TMatrix Load(const std::string& text) {
    std::string error;
    return *MatrixFromText(text, error);
}

TExplanationWalk WalkOf(int technique) {
    const TWorkedExample example = WorkedExample(technique);
    return {Load(example.Position), example.Explanation};
}

bool Has(const std::vector<TCandidate>& list, TCandidate c) {
    return std::find(list.begin(), list.end(), c) != list.end();
}

// Every page of the walk, trials opened, in the order a player pressing "next" and "open" meets
// them; f sees the walk on each.
template <typename F>
void EveryPage(TExplanationWalk& walk, F f) {
    for (;;) {
        f(walk);
        if (walk.CanOpen()) {
            walk.Open();
            for (;;) {
                f(walk);
                if (!walk.CanForward()) break;
                walk.Forward();
            }
            walk.Leave();
        }
        if (!walk.CanForward()) return;
        walk.Forward();
    }
}

TEST(ExplanationWalk, EveryPageStandsOnTheCandidatesItsStepNeeds) {
    for (int technique = 1; technique <= 9; ++technique) {
        SCOPED_TRACE("technique " + std::to_string(technique));
        TExplanationWalk walk = WalkOf(technique);
        int pages = 0;
        EveryPage(walk, [&](const TExplanationWalk& w) {
            ++pages;
            if (w.AtDeadEnd())
                EXPECT_TRUE(step_evidence::DeadEndHolds(w.Current().Contradiction, w.Before()));
            else
                EXPECT_TRUE(step_evidence::Holds(w.Current(), w.Before())) << w.Index();
        });
        EXPECT_GE(pages, static_cast<int>(walk.Explanation().Steps.size()));
    }
}

TEST(ExplanationWalk, ATrialOpensOnItsSuppositionAndClosesBackOntoItsStep) {
    TExplanationWalk walk = WalkOf(9);
    ASSERT_EQ(walk.Current().Type, TStepType::Trial);
    const TStep trial = walk.Current();
    EXPECT_FALSE(walk.CanLeave());
    walk.Open();
    EXPECT_EQ(walk.OpenedTrial()->Cell, trial.Cell);
    EXPECT_EQ(walk.Count(), static_cast<int>(trial.Steps.size()) + 1);
    EXPECT_EQ(walk.Before().ValueAt(trial.Cell), trial.Assumed);
    EXPECT_FALSE(walk.CanBack());
    while (walk.CanForward())
        walk.Forward();
    EXPECT_TRUE(walk.AtDeadEnd());
    walk.Forward();  // nothing beyond the dead end
    EXPECT_TRUE(walk.AtDeadEnd());

    walk.Leave();
    EXPECT_EQ(walk.OpenedTrial(), nullptr);
    EXPECT_EQ(walk.Index(), 0);
    EXPECT_EQ(walk.Before(), walk.Position());
    walk.Forward();
    EXPECT_FALSE(walk.Before().HasCandidate(trial.Cell % 9, trial.Cell / 9, trial.Assumed));
    walk.Back();
    walk.Back();  // nothing before the first step
    EXPECT_EQ(walk.Index(), 0);
}

TEST(ExplanationDrawing, StrikesOnlyWhatIsThereAndCoversTheAnswerUntilItIsPlaced) {
    for (int technique = 1; technique <= 9; ++technique) {
        SCOPED_TRACE("technique " + std::to_string(technique));
        TExplanationWalk walk = WalkOf(technique);
        const TMove answer = walk.Explanation().Answer;
        EveryPage(walk, [&](const TExplanationWalk& w) {
            const TExplanationDrawing d = DrawingOf(w);
            const TStep& step = w.Current();
            for (const TCandidate& c : d.Candidates) {
                EXPECT_EQ(w.Before().ValueAt(c.Cell), 0);
                EXPECT_TRUE(w.Before().CandidatesAt(c.Cell) & (1 << (c.Digit - 1)));
            }
            for (const TCandidate& c : d.Struck)
                EXPECT_TRUE(Has(d.Candidates, c));
            for (const TCandidate& c : step.Removed)
                EXPECT_TRUE(Has(d.Struck, c) || w.AtDeadEnd());
            // A digit only supposed never stands where the position has one.
            for (const TCandidate& c : d.Supposed)
                EXPECT_EQ(w.Position().ValueAt(c.Cell), 0);

            const bool placesAnswer = !w.OpenedTrial() && !w.CanForward() && step.Places() &&
                                      step.Type != TStepType::Contradiction;
            EXPECT_EQ(d.Covered, placesAnswer ? -1 : answer.Col + 9 * answer.Row);
            if (!w.OpenedTrial() && !w.CanForward()) {
                ASSERT_TRUE(d.Circled.has_value());
                EXPECT_EQ(*d.Circled, (TCandidate{answer.Col + 9 * answer.Row, answer.Digit}));
            }
        });
    }
}

TEST(ExplanationDrawing, ShowsEachPatternsEvidence) {
    // Locked: the confining unit first, then the crossing one; the confined cells outlined.
    TExplanationWalk locked = WalkOf(4);
    const TStep lockedStep = locked.Current();
    TExplanationDrawing d = DrawingOf(locked);
    EXPECT_EQ(d.Shaded, (std::vector<TUnit>{lockedStep.Unit, lockedStep.Other}));
    EXPECT_EQ(d.Outlined, lockedStep.Cells);

    // A contradiction: arrows along its chain from the cell, the dead unit, the assumed digit
    // struck out and the digit the cell takes ringed.
    TExplanationWalk chain = WalkOf(7);
    const TStep c = chain.Current();
    d = DrawingOf(chain);
    ASSERT_EQ(d.Arrows.size(), c.Chain.size());
    EXPECT_EQ(d.Arrows.front().From, c.Cell);
    EXPECT_EQ(d.Arrows.back().To, c.Chain.back().Cell);
    ASSERT_TRUE(d.DeadEnd.has_value());
    EXPECT_EQ(d.DeadEnd->Unit, c.Blocked.Unit);
    EXPECT_TRUE(Has(d.Struck, {c.Cell, c.Assumed}));
    EXPECT_EQ(d.Circled, (TCandidate{c.Cell, c.Digit}));

    // A trial's summary: the supposed candidate struck, its dead end; opened, the supposition
    // stands as a ghost digit on every page.
    TExplanationWalk trial = WalkOf(9);
    const TStep t = trial.Current();
    d = DrawingOf(trial);
    EXPECT_TRUE(Has(d.Struck, {t.Cell, t.Assumed}));
    EXPECT_TRUE(d.Supposed.empty());
    EXPECT_EQ(d.DeadEnd, t.Contradiction);
    trial.Open();
    EveryPage(trial, [&](const TExplanationWalk& w) {
        if (w.OpenedTrial()) EXPECT_TRUE(Has(DrawingOf(w).Supposed, {t.Cell, t.Assumed}));
    });
}

}  // namespace
