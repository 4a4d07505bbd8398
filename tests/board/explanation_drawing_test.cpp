// Walking through explanations and what the board draws for each page: the candidates shown
// before a step must be the ones the step stands on, and every picture must strike exactly what
// its step removes and show why each place it rules out is ruled out (worked examples, made
// puzzles and hard positions, one table).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/answer_explanation.h"
#include "board/board.h"
#include "board/explanation_drawing.h"
#include "logic/explanation_walk.h"
#include "logic/position_text.h"
#include "logic/random.h"
#include "logic/step_evidence.h"
#include "logic/technique_examples.h"
#include "logic/templates.h"
#include "support/grid_solver.h"

namespace {

TMatrix Load(const std::string& text) {
    std::string error;
    return *MatrixFromText(text, error);
}

TExplanationWalk WalkOf(int technique) {
    const TWorkedExample example = WorkedExample(technique);
    return {Load(example.Position), example.Explanation};
}

template <typename T>
bool Has(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
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

// --- Every picture against its step -------------------------------------------------------

struct TCase {
    std::string Name;
    TMatrix Position;
    TExplanation Explanation;
};

// The nine worked examples, a few hundred made puzzles of every kind, and positions cut from full
// solutions whose answers need the contradictions and the trial, which no made puzzle needs.
std::vector<TCase> Cases() {
    std::vector<TCase> cases;
    for (int technique = 1; technique <= 9; ++technique) {
        const TWorkedExample example = WorkedExample(technique);
        cases.push_back({"worked example " + std::to_string(technique), Load(example.Position),
                         example.Explanation});
    }
    SeedProgramRandom(41);
    TBoard board;
    for (int n = 0; n < 300; ++n) {
        std::string text = DrawTemplate(n % 6 + 1, ProgramRandom()).Text;
        board.MakePuzzle(text);
        board.Fix();
        if (std::optional<TExplanation> e = ExplainAnswer(board))
            cases.push_back({"made puzzle " + PositionText(board.Matrix()), board.Matrix(), *e});
    }
    TRandom random(77);
    int hard = 0;
    for (int n = 0; n < 40000 && hard < 8; ++n) {
        const auto solution = testgrid::RandomSolvedGrid(random);
        board.LayOutPuzzle(
            testgrid::ToText(testgrid::KeepRandomCells(solution, random.Between(22, 60), random)));
        board.Fix();
        std::optional<TExplanation> e = ExplainAnswer(board);
        if (!e || e->Technique() < 7) continue;
        ++hard;
        cases.push_back({"cut position " + PositionText(board.Matrix()), board.Matrix(), *e});
    }
    return cases;
}

bool Sees(int a, int b) {
    return a != b &&
           (a / 9 == b / 9 || a % 9 == b % 9 || (a % 9 / 3 == b % 9 / 3 && a / 27 == b / 27));
}

// Whether the line from a reason digit passes over the cell: it ends there, or runs along a row
// or column through it.
bool LineReaches(const TShutLine& line, int cell) {
    if (line.To == cell) return true;
    const auto between = [](int a, int x, int b) { return (a < x && x <= b) || (b <= x && x < a); };
    if (line.From / 9 == cell / 9 && line.To / 9 == cell / 9)
        return between(line.From % 9, cell % 9, line.To % 9);
    if (line.From % 9 == cell % 9 && line.To % 9 == cell % 9)
        return between(line.From / 9, cell / 9, line.To / 9);
    return false;
}

// Checks one page's picture; each fault goes to `faults`.
class TPictureCheck {
  public:
    TPictureCheck(const TExplanationWalk& walk, std::vector<std::string>& faults)
        : w_(walk), d_(DrawingOf(walk)), faults_(faults) {}

    void Run() {
        const TStep& s = w_.Current();
        const TMatrix& m = w_.Before();
        CheckSmallDigits(m);
        CheckStruck(w_.AtDeadEnd() ? TStep{} : s);
        CheckCover();
        CheckBoxLabels();
        if (w_.AtDeadEnd()) {
            DeadEndExplained(m, s.Contradiction);
            return;
        }
        if (s.Places()) {
            Expect(d_.Circled == TCandidate{s.Cell, s.Digit}, "the placement is not ringed");
            const auto inRing = [&](const TCandidate& c) { return c.Cell == s.Cell; };
            Expect(std::none_of(d_.Candidates.begin(), d_.Candidates.end(), inRing) &&
                       std::none_of(d_.Gone.begin(), d_.Gone.end(), inRing),
                   "the ringed cell shows small digits");
        }
        switch (s.Type) {
            case TStepType::LastCell:
                for (const int cell : CellsOf(s.Unit)) {
                    if (cell != s.Cell)
                        Expect(Has(d_.Reasons, cell), "a digit of the unit unmarked");
                }
                break;
            case TStepType::LastPlace:
                for (const int cell : CellsOf(s.Unit)) {
                    if (cell != s.Cell) Explained(m, cell, s.Digit, true);
                }
                break;
            case TStepType::LastCandidate:
                for (int digit = 1; digit <= 9; ++digit) {
                    if (digit != s.Digit) Explained(m, s.Cell, digit, false);
                }
                break;
            case TStepType::Locked:
                for (const int cell : CellsOf(s.Unit)) {
                    if (!Contains(s.Other, cell)) Explained(m, cell, s.Digit, true);
                }
                break;
            case TStepType::Hidden:
                for (const int digit : s.Digits) {
                    for (const int cell : CellsOf(s.Unit)) {
                        if (!Has(s.Cells, cell)) Explained(m, cell, digit, true);
                    }
                }
                break;
            case TStepType::Contradiction: {
                const TCandidate supposed{s.Cell, s.Assumed};
                Expect(Has(d_.SupposedCandidates, supposed), "the supposition is no ghost");
                Expect(!d_.Arrows.empty() && d_.Arrows.front().From == s.Cell &&
                           d_.Arrows.front().FromDigit == s.Assumed,
                       "the arrow does not start at the supposed digit");
                TMatrix chain = m;
                chain.SetValue(s.Cell % 9, s.Cell / 9, s.Assumed);
                for (const TChainLink& link : s.Chain)
                    chain.SetValue(link.Cell % 9, link.Cell / 9, link.Digit);
                DeadEndExplained(chain, s.Blocked);
                break;
            }
            case TStepType::Naked:
            case TStepType::Trial:
                break;
        }
    }

  private:
    void Expect(bool holds, const std::string& fault) {
        if (!holds) faults_.push_back(fault + Where());
    }
    std::string Where() const {
        return " (page " + std::to_string(w_.Index() + 1) +
               (w_.OpenedTrial() ? " of a trial" : "") + ", " +
               std::string(StepTypeName(w_.Current().Type)) + ")";
    }

    void CheckSmallDigits(const TMatrix& m) {
        for (const TCandidate& c : d_.Candidates)
            Expect(m.ValueAt(c.Cell) == 0 && (m.CandidatesAt(c.Cell) & (1 << (c.Digit - 1))),
                   "a candidate drawn that is not there");
        const TMatrix values = ValuesOnly(m);
        for (const std::vector<TCandidate>* gone : {&d_.Gone, &d_.GoneUnderRing}) {
            for (const TCandidate& c : *gone)
                Expect(m.ValueAt(c.Cell) == 0 && !(m.CandidatesAt(c.Cell) & (1 << (c.Digit - 1))) &&
                           (values.CandidatesAt(c.Cell) & (1 << (c.Digit - 1))),
                       "drawn as gone earlier but not taken by a step");
        }
    }

    // What the sentence says goes is struck, nothing else; what the later steps need of it is
    // marked.
    void CheckStruck(const TStep& step) {
        std::vector<TCandidate> removed = step.Removed;
        std::vector<TCandidate> struck = d_.Struck;
        const auto order = [](const TCandidate& a, const TCandidate& b) {
            return std::pair(a.Cell, a.Digit) < std::pair(b.Cell, b.Digit);
        };
        std::sort(removed.begin(), removed.end(), order);
        std::sort(struck.begin(), struck.end(), order);
        Expect(struck == removed, "struck is not what the step removes");
        std::vector<TCandidate> matters = d_.Matters, needed = step.Matters;
        std::sort(matters.begin(), matters.end(), order);
        std::sort(needed.begin(), needed.end(), order);
        Expect(matters == needed, "what the later steps need is not marked");
        Expect(std::includes(struck.begin(), struck.end(), matters.begin(), matters.end(), order),
               "marked as needed but not struck");
        for (const TCandidate& c : struck)
            Expect(Has(d_.Candidates, c), "a struck digit not drawn");
    }

    void CheckCover() {
        const TMove& answer = w_.Explanation().Answer;
        const bool last = !w_.OpenedTrial() && !w_.CanForward();
        Expect(d_.Covered == (last ? -1 : answer.Col + 9 * answer.Row),
               "the answer's piece shows before its page, or is hidden on it");
        if (last)
            Expect(d_.Circled == TCandidate{answer.Col + 9 * answer.Row, answer.Digit},
                   "the last page does not ring the answer");
    }

    // Each box named once, in a corner cell, clear of small digits where a corner is; only a
    // box shaded as the step's (so named by its sentence) may go without.
    void CheckBoxLabels() {
        const auto marked = [&](int cell) {
            const auto in = [cell](const TCandidate& c) { return c.Cell == cell; };
            return std::any_of(d_.Candidates.begin(), d_.Candidates.end(), in) ||
                   std::any_of(d_.Gone.begin(), d_.Gone.end(), in) ||
                   std::any_of(d_.SupposedCandidates.begin(), d_.SupposedCandidates.end(), in);
        };
        for (int box = 0; box < 9; ++box) {
            const auto label = std::find_if(d_.BoxLabels.begin(), d_.BoxLabels.end(),
                                            [box](const TBoxLabel& l) { return l.Box == box; });
            if (label == d_.BoxLabels.end()) {
                Expect(Has(d_.Shaded, TUnit{TUnitKind::Box, box}), "a box not named");
                continue;
            }
            const int corner = box % 3 * 3 + box / 3 * 27;
            const std::vector<int> corners = {corner, corner + 2, corner + 18, corner + 20};
            Expect(Has(corners, label->Cell), "a box's name outside its corners");
            const bool clearCorner = std::any_of(corners.begin(), corners.end(),
                                                 [&](int cell) { return !marked(cell); });
            Expect(!clearCorner || !marked(label->Cell), "a box's name over small digits");
        }
    }

    void DeadEndExplained(const TMatrix& m, const TDeadEnd& end) {
        if (end.IsCell()) {
            for (int digit = 1; digit <= 9; ++digit)
                Explained(m, end.Cell, digit, false);
        } else {
            for (const int cell : CellsOf(end.Unit))
                Explained(m, cell, end.Digit, true);
        }
    }

    // Why the digit cannot stand in the cell shows: the cell is filled, the candidate was taken
    // by an earlier step and shows so, or a ringed digit sees it (with `shut`, its line reaches
    // the cell and the cell is hatched).
    void Explained(const TMatrix& m, int cell, int digit, bool shut) {
        if (m.ValueAt(cell) != 0) return;
        const TCandidate c{cell, digit};
        if (m.CandidatesAt(cell) & (1 << (digit - 1))) {
            faults_.push_back("digit " + std::to_string(digit) + " still fits " +
                              std::to_string(cell) + Where());
            return;
        }
        if (Has(d_.Gone, c) || Has(d_.GoneUnderRing, c)) return;
        for (const int reason : d_.Reasons) {
            if (m.ValueAt(reason) != digit || !Sees(reason, cell)) continue;
            if (!shut) return;
            const bool line = std::any_of(
                d_.ReasonLines.begin(), d_.ReasonLines.end(),
                [&](const TShutLine& l) { return l.From == reason && LineReaches(l, cell); });
            if (line && Has(d_.Hatched, cell)) return;
        }
        faults_.push_back("no reason shown why " + std::to_string(digit) + " cannot go in cell " +
                          std::to_string(cell) + Where());
    }

    const TExplanationWalk& w_;
    const TExplanationDrawing d_;
    std::vector<std::string>& faults_;
};

TEST(ExplanationDrawing, EveryPictureShowsWhatItsStepRemovesAndWhy) {
    const std::vector<TCase> cases = Cases();
    EXPECT_EQ(cases.size(), 9u + 300u + 8u);
    int pages = 0;
    std::vector<std::string> faults;
    for (const TCase& c : cases) {
        TExplanationWalk walk(c.Position, c.Explanation);
        EveryPage(walk, [&](const TExplanationWalk& w) {
            ++pages;
            std::vector<std::string> found;
            TPictureCheck(w, found).Run();
            for (const std::string& fault : found)
                faults.push_back(c.Name + ": " + fault);
        });
    }
    EXPECT_GT(pages, 500);
    EXPECT_EQ(faults.size(), 0u) << "of " << pages << " pages";
    for (std::size_t i = 0; i < faults.size() && i < 40; ++i)
        ADD_FAILURE() << faults[i];
}

TEST(ExplanationDrawing, ShowsEachPatternsEvidence) {
    // Locked: the confining unit first, then the crossing one; the confined cells outlined.
    TExplanationWalk locked = WalkOf(4);
    const TStep lockedStep = locked.Current();
    TExplanationDrawing d = DrawingOf(locked);
    EXPECT_EQ(d.Shaded, (std::vector<TUnit>{lockedStep.Unit, lockedStep.Other}));
    EXPECT_EQ(d.Outlined, lockedStep.Cells);

    // A contradiction: arrows along its chain, the chain's digits as ghosts, the dead unit.
    TExplanationWalk chain = WalkOf(7);
    const TStep c = chain.Current();
    d = DrawingOf(chain);
    ASSERT_EQ(d.Arrows.size(), c.Chain.size());
    EXPECT_EQ(d.Arrows.back().To, c.Chain.back().Cell);
    for (const TChainLink& link : c.Chain)
        EXPECT_TRUE(Has(d.Supposed, {link.Cell, link.Digit}));
    ASSERT_TRUE(d.DeadEnd.has_value());
    EXPECT_EQ(d.DeadEnd->Unit, c.Blocked.Unit);

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
        if (w.OpenedTrial()) {
            EXPECT_TRUE(Has(DrawingOf(w).Supposed, {t.Cell, t.Assumed}));
        }
    });
}

}  // namespace
