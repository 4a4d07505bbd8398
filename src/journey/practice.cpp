// The technique picker's figures, the weakest technique, and the hints of a practice round.
#include "journey/practice.h"

#include <algorithm>

#include "logic/technique_names.h"

namespace {

TUnit BoxOf(int cell) {
    const int col = cell % 9;
    const int row = cell / 9;
    return {TUnitKind::Box, col / 3 + 3 * (row / 3)};
}

// The step that needs the explanation's technique: the first one of the highest technique.
const TStep* KeyStep(const TExplanation& explanation) {
    const int technique = explanation.Technique();
    for (const TStep& step : explanation.Steps)
        if (step.Technique == technique) return &step;
    return nullptr;
}

}  // namespace

std::array<TTally, 10> TechniqueTallies(const std::vector<TRoundRecord>& records) {
    std::array<TTally, 10> tallies{};
    for (const TRoundRecord& r : records) {
        if (!r.Valid()) continue;
        TTally& tally = tallies[static_cast<std::size_t>(r.Technique)];
        ++tally.Rounds;
        tally.Successes += r.Result == TRoundResult::Ok ? 1 : 0;
    }
    tallies[0] = {};  // no technique: the units agreed on the answer
    return tallies;
}

int WeakestTechnique(const std::array<TTally, 10>& tallies) {
    int weakest = 0;
    for (int t = 1; t <= 9; ++t) {
        const TTally& tally = tallies[static_cast<std::size_t>(t)];
        if (tally.Rounds < kRoundsForAShare) continue;
        // Compared as fractions, so equal shares of different counts tie exactly.
        const TTally& best = tallies[static_cast<std::size_t>(weakest)];
        if (weakest == 0 || std::int64_t{tally.Successes} * best.Rounds <
                                std::int64_t{best.Successes} * tally.Rounds)
            weakest = t;
    }
    if (weakest != 0) return weakest;
    int least = 1;
    for (int t = 1; t <= 9; ++t) {
        const int rounds = tallies[static_cast<std::size_t>(t)].Rounds;
        if (rounds == 0) return t;
        if (rounds < tallies[static_cast<std::size_t>(least)].Rounds) least = t;
    }
    return least;
}

TPracticeMenu MakePracticeMenu(const std::vector<TRoundRecord>& records) {
    const std::array<TTally, 10> tallies = TechniqueTallies(records);
    TPracticeMenu menu;
    for (int t = 1; t <= 9; ++t) {
        const std::string_view name = TechniqueLevelNames[static_cast<std::size_t>(t)];
        menu.Techniques[static_cast<std::size_t>(t - 1)] = {
            t, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
            tallies[static_cast<std::size_t>(t)]};
    }
    menu.Weakest = WeakestTechnique(tallies);
    return menu;
}

TPracticeHint PracticeHint(const TExplanation& explanation, int stage) {
    TPracticeHint hint;
    hint.Stage = std::clamp(stage, 0, kLastHintStage);
    const TStep* step = hint.Stage > 0 ? KeyStep(explanation) : nullptr;
    if (!step) return hint;
    hint.Technique = explanation.Technique();
    switch (step->Type) {
        case TStepType::LastCell:
        case TStepType::LastPlace:
            hint.Unit = step->Unit;
            hint.Cells = {step->Cell};
            break;
        case TStepType::Locked:
        case TStepType::Naked:
        case TStepType::Hidden:
            hint.Unit = step->Unit;
            hint.Cells = step->Cells;
            break;
        case TStepType::LastCandidate:
        case TStepType::Contradiction:
        case TStepType::Trial:
            hint.Unit = BoxOf(step->Cell);
            hint.Cells = {step->Cell};
            break;
    }
    if (hint.Stage < 2) hint.Cells.clear();
    std::sort(hint.Cells.begin(), hint.Cells.end());
    return hint;
}

QString MakingText() {
    return QStringLiteral("問題を作っています… making a position…");
}
