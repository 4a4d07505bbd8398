// The explanation check: a plain grid of digits and candidate sets, walked step by step.
// Candidate sets are masks, bit d - 1 for d.
#include "support/explanation_checker.h"

#include <algorithm>
#include <array>
#include <bit>
#include <set>
#include <utility>
#include <vector>

namespace explanation_check {

namespace {

unsigned BitOf(int digit) {
    return 1u << (digit - 1);
}

struct TGrid {
    std::array<int, 81> digit{};
    std::array<unsigned, 81> candidates{};

    // A digit placed: the cell loses all its candidates and its peers lose the digit.
    void Place(int cell, int d) {
        const int col = cell % 9, row = cell / 9;
        digit[cell] = d;
        candidates[cell] = 0;
        for (int other = 0; other < 81; ++other) {
            const int c = other % 9, r = other / 9;
            const bool peer = c == col || r == row || (c / 3 == col / 3 && r / 3 == row / 3);
            if (peer) candidates[other] &= ~BitOf(d);
        }
    }
    bool Has(int cell, int d) const {
        return digit[cell] == 0 && (candidates[cell] & BitOf(d)) != 0;
    }
};

bool GoodUnit(TUnit unit) {
    return unit.Number >= 0 && unit.Number <= 8;
}

std::vector<int> MembersOf(TUnit unit) {
    std::vector<int> cells;
    for (int k = 0; k < 9; ++k) {
        switch (unit.Kind) {
            case TUnitKind::Row:
                cells.push_back(9 * unit.Number + k);
                break;
            case TUnitKind::Column:
                cells.push_back(unit.Number + 9 * k);
                break;
            case TUnitKind::Box:
                cells.push_back(3 * (unit.Number % 3) + k % 3 +
                                9 * (3 * (unit.Number / 3) + k / 3));
                break;
        }
    }
    return cells;
}

bool IsMember(TUnit unit, int cell) {
    const auto cells = MembersOf(unit);
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

bool HasDigit(const TGrid& g, TUnit unit, int d) {
    for (const int cell : MembersOf(unit))
        if (g.digit[cell] == d) return true;
    return false;
}

std::set<int> WhereCanGo(const TGrid& g, TUnit unit, int d) {
    std::set<int> cells;
    for (const int cell : MembersOf(unit))
        if (g.Has(cell, d)) cells.insert(cell);
    return cells;
}

std::vector<TUnit> AllUnits() {
    std::vector<TUnit> units;
    for (const TUnitKind kind : {TUnitKind::Row, TUnitKind::Column, TUnitKind::Box})
        for (int n = 0; n < 9; ++n)
            units.push_back({kind, n});
    return units;
}

std::vector<TUnit> UnitsOfCell(int cell) {
    return {{TUnitKind::Row, cell / 9},
            {TUnitKind::Column, cell % 9},
            {TUnitKind::Box, cell % 9 / 3 + 3 * (cell / 27)}};
}

bool NoRoom(const TGrid& g, TUnit unit, int d) {
    return !HasDigit(g, unit, d) && WhereCanGo(g, unit, d).empty();
}

bool DeadEndAt(const TGrid& g, const TDeadEnd& end) {
    if (end.IsCell()) return end.Cell < 81 && g.digit[end.Cell] == 0 && g.candidates[end.Cell] == 0;
    return GoodUnit(end.Unit) && end.Digit >= 1 && end.Digit <= 9 && NoRoom(g, end.Unit, end.Digit);
}

bool AnyDeadEnd(const TGrid& g) {
    for (int cell = 0; cell < 81; ++cell)
        if (g.digit[cell] == 0 && g.candidates[cell] == 0) return true;
    for (const TUnit unit : AllUnits())
        for (int d = 1; d <= 9; ++d)
            if (NoRoom(g, unit, d)) return true;
    return false;
}

bool IsLastPlaceOf(const TGrid& g, TUnit unit, int cell, int d) {
    return GoodUnit(unit) && IsMember(unit, cell) && g.Has(cell, d) && !HasDigit(g, unit, d) &&
           WhereCanGo(g, unit, d) == std::set<int>{cell};
}

// Even when d is no candidate of the cell (a position without solution): the unit's count alone
// says what the cell takes.
bool IsLastCellOf(const TGrid& g, TUnit unit, int cell, int d) {
    if (!GoodUnit(unit) || cell < 0 || cell > 80 || !IsMember(unit, cell) || g.digit[cell] != 0)
        return false;
    std::set<int> digits;
    for (const int other : MembersOf(unit)) {
        if (other == cell) continue;
        if (g.digit[other] == 0) return false;
        digits.insert(g.digit[other]);
    }
    return digits.size() == 8 && digits.count(d) == 0;
}

// Placing a and following every last place of w, in any order, until none is left: whether w
// then has no room somewhere.
bool CascadeBlocks(TGrid g, int cell, int a, int w) {
    g.Place(cell, a);
    for (bool placed = true; placed;) {
        placed = false;
        for (const TUnit unit : AllUnits()) {
            const auto where = WhereCanGo(g, unit, w);
            if (!HasDigit(g, unit, w) && where.size() == 1) {
                g.Place(*where.begin(), w);
                placed = true;
            }
        }
    }
    for (const TUnit unit : AllUnits())
        if (NoRoom(g, unit, w)) return true;
    return false;
}

// Whether some placement of technique at most `hardest` puts d into the cell.
bool Shows(const TGrid& g, const TMove& answer, int hardest) {
    if (answer.Col < 0 || answer.Col > 8 || answer.Row < 0 || answer.Row > 8) return false;
    const int cell = answer.Col + 9 * answer.Row, d = answer.Digit;
    if (d < 1 || d > 9 || g.digit[cell] != 0) return false;
    for (const TUnit unit : UnitsOfCell(cell))
        if (IsLastCellOf(g, unit, cell, d) || IsLastPlaceOf(g, unit, cell, d)) return true;
    if (g.candidates[cell] == BitOf(d)) return true;
    if (hardest < 7 || std::popcount(g.candidates[cell]) != 2) return false;
    const int other = std::countr_zero(g.candidates[cell] & ~BitOf(d)) + 1;
    return CascadeBlocks(g, cell, other, other) ||
           (hardest >= 8 && CascadeBlocks(g, cell, other, d));
}

int TechniqueOf(const TStep& step) {
    switch (step.Type) {
        case TStepType::LastCell:
            return 1;
        case TStepType::LastPlace:
            return 2;
        case TStepType::LastCandidate:
            return 3;
        case TStepType::Locked:
            return 4;
        case TStepType::Naked:
            return 5;
        case TStepType::Hidden:
            return 6;
        case TStepType::Contradiction:
            return step.Blocked.Digit == step.Assumed ? 7 : 8;
        case TStepType::Trial:
            return 9;
    }
    return 0;
}

bool Removes(const TStep& step) {
    return step.Type == TStepType::Locked || step.Type == TStepType::Naked ||
           step.Type == TStepType::Hidden || step.Type == TStepType::Trial;
}

// How far a step is taken at its word. As the explanation stands, a lock's cells are the digit's
// places and a step removes all its pattern rules out. With a step left out, a lock is its digit
// and its two units (its cells are wherever the digit can go then), and a step may remove less
// than its pattern now could: what the left-out step removed comes into its range. With some of
// a step's removals undone, the steps after it are read as they stand but may remove less.
struct TReading {
    bool lockCellsFromGrid = false;
    bool partialRemovals = false;
};

constexpr TReading kAsItStands{};
constexpr TReading kWithAStepLeftOut{true, true};
constexpr TReading kWithRemovalsUndone{false, true};

class TChecker {
  public:
    explicit TChecker(TReading reading = kAsItStands) : reading_(reading) {}

    // Why the step does not hold on g, or "" when it does.
    std::string Fault(const TStep& step, const TGrid& g) const {
        if (step.Technique != TechniqueOf(step)) return "technique number";
        if (Removes(step) == step.Removed.empty()) {
            return Removes(step) ? "removes nothing" : "a placement removes candidates";
        }
        std::set<std::pair<int, int>> removed;
        for (const TCandidate& c : step.Removed) {
            if (c.Cell < 0 || c.Cell > 80 || c.Digit < 1 || c.Digit > 9 || !g.Has(c.Cell, c.Digit))
                return "removes a candidate that is not there";
            if (!removed.insert({c.Cell, c.Digit}).second) return "removes a candidate twice";
        }
        switch (step.Type) {
            case TStepType::LastCell:
                return IsLastCellOf(g, step.Unit, step.Cell, step.Digit) ? "" : "no last cell";
            case TStepType::LastPlace:
                return IsLastPlaceOf(g, step.Unit, step.Cell, step.Digit) ? "" : "no last place";
            case TStepType::LastCandidate:
                return step.Cell >= 0 && step.Cell < 81 && step.Digit >= 1 && step.Digit <= 9 &&
                               g.Has(step.Cell, step.Digit) &&
                               g.candidates[step.Cell] == BitOf(step.Digit)
                           ? ""
                           : "no last candidate";
            case TStepType::Locked:
                return LockedFault(step, g);
            case TStepType::Naked:
                return NakedFault(step, g);
            case TStepType::Hidden:
                return HiddenFault(step, g);
            case TStepType::Contradiction:
                return ContradictionFault(step, g);
            case TStepType::Trial:
                return TrialFault(step, g);
        }
        return "unknown pattern";
    }

    static void Play(const TStep& step, TGrid& g) {
        if (Removes(step)) {
            for (const TCandidate& c : step.Removed)
                g.candidates[c.Cell] &= ~BitOf(c.Digit);
        } else {
            g.Place(step.Cell, step.Digit);
        }
    }

    // Plays the steps from `from` on, all holding; false at the first that does not.
    bool Holds(const std::vector<TStep>& steps, std::size_t from, TGrid& g) const {
        for (std::size_t i = from; i < steps.size(); ++i) {
            if (!Fault(steps[i], g).empty()) return false;
            Play(steps[i], g);
        }
        return true;
    }

    // The first step that the rest can do without: left out, the steps after it still hold
    // (kWithAStepLeftOut) and `ends` still accepts where they end.
    template <typename Ends>
    static std::optional<std::size_t> Droppable(const std::vector<TStep>& steps, const TGrid& start,
                                                Ends ends) {
        const TChecker leftOut(kWithAStepLeftOut);
        TGrid before = start;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            TGrid rest = before;
            if (leftOut.Holds(steps, i + 1, rest) && ends(rest)) return i;
            Play(steps[i], before);
        }
        return std::nullopt;
    }

    // Step i's "matters" (it stands on `before`): some of its removals, at least one, enough
    // by themselves: with only these removed there, the steps after it still hold
    // (kWithRemovalsUndone) and `ends` accepts where they end; and without any one of them not.
    template <typename Ends>
    static std::string MattersFault(const std::vector<TStep>& steps, std::size_t i,
                                    const TGrid& before, Ends ends) {
        const std::vector<TCandidate>& removed = steps[i].Removed;
        const std::vector<TCandidate>& matters = steps[i].Matters;
        if (matters.empty()) return "nothing it removes matters";
        std::set<std::pair<int, int>> seen;
        for (const TCandidate& c : matters) {
            if (std::find(removed.begin(), removed.end(), c) == removed.end())
                return "a candidate that matters is not removed";
            if (!seen.insert({c.Cell, c.Digit}).second) return "a candidate matters twice";
        }
        const TChecker undone(kWithRemovalsUndone);
        auto enough = [&](const std::vector<TCandidate>& only) {
            TGrid g = before;
            for (const TCandidate& c : only)
                g.candidates[c.Cell] &= ~BitOf(c.Digit);
            return undone.Holds(steps, i + 1, g) && ends(g);
        };
        if (!enough(matters)) return "what matters is not enough";
        for (std::size_t k = 0; k < matters.size(); ++k) {
            std::vector<TCandidate> fewer = matters;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(k));
            if (enough(fewer)) return "a candidate that does not matter is marked";
        }
        return "";
    }

  private:
    static bool Ascending(const std::vector<int>& items, int low, int high) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] < low || items[i] > high || (i > 0 && items[i] <= items[i - 1]))
                return false;
        }
        return !items.empty();
    }

    std::string LockedFault(const TStep& step, const TGrid& g) const {
        if (!GoodUnit(step.Unit) || !GoodUnit(step.Other) || step.Digit < 1 || step.Digit > 9)
            return "bad unit or digit";
        if ((step.Unit.Kind == TUnitKind::Box) == (step.Other.Kind == TUnitKind::Box))
            return "not a box and a line";
        int shared = 0;
        for (const int cell : MembersOf(step.Unit))
            shared += IsMember(step.Other, cell);
        if (shared != 3) return "the units do not cross";
        if (HasDigit(g, step.Unit, step.Digit)) return "the digit is placed in the unit";
        const auto where = WhereCanGo(g, step.Unit, step.Digit);
        if (where.empty()) return "the digit has no place in the unit";
        if (!reading_.lockCellsFromGrid &&
            (std::set<int>(step.Cells.begin(), step.Cells.end()) != where ||
             !Ascending(step.Cells, 0, 80)))
            return "the cells are not the digit's places";
        for (const int cell : where)
            if (!IsMember(step.Other, cell)) return "a place outside the crossing";
        return RemovalsFault(step, g, "the lock", [&](int cell, int d) {
            return d == step.Digit && IsMember(step.Other, cell) && !IsMember(step.Unit, cell);
        });
    }

    std::string NakedFault(const TStep& step, const TGrid& g) const {
        if (!GoodUnit(step.Unit) || !Ascending(step.Cells, 0, 80) || !Ascending(step.Digits, 1, 9))
            return "bad unit, cells or digits";
        if (step.Cells.size() != step.Digits.size()) return "not as many cells as digits";
        unsigned together = 0, digits = 0;
        for (const int cell : step.Cells) {
            if (!IsMember(step.Unit, cell) || g.digit[cell] != 0)
                return "a cell not empty in the unit";
            together |= g.candidates[cell];
        }
        for (const int d : step.Digits)
            digits |= BitOf(d);
        if (together != digits) return "the cells hold other digits";
        return RemovalsFault(step, g, "the subset", [&](int cell, int d) {
            const bool inSubset =
                std::find(step.Cells.begin(), step.Cells.end(), cell) != step.Cells.end();
            return IsMember(step.Unit, cell) && !inSubset && (digits & BitOf(d));
        });
    }

    std::string HiddenFault(const TStep& step, const TGrid& g) const {
        if (!GoodUnit(step.Unit) || !Ascending(step.Cells, 0, 80) || !Ascending(step.Digits, 1, 9))
            return "bad unit, cells or digits";
        std::set<int> places;
        for (const int d : step.Digits) {
            if (HasDigit(g, step.Unit, d)) return "a digit placed in the unit";
            const auto where = WhereCanGo(g, step.Unit, d);
            places.insert(where.begin(), where.end());
        }
        if (places != std::set<int>(step.Cells.begin(), step.Cells.end()) ||
            places.size() != step.Digits.size())
            return "the digits' places are not the cells";
        return RemovalsFault(step, g, "the subset", [&](int cell, int d) {
            const bool subsetDigit =
                std::find(step.Digits.begin(), step.Digits.end(), d) != step.Digits.end();
            return places.count(cell) && !subsetDigit;
        });
    }

    // Every removal is one the pattern rules out, and (as the explanation stands) every
    // candidate of g it rules out is removed.
    template <typename RulesOut>
    std::string RemovalsFault(const TStep& step, const TGrid& g, const std::string& pattern,
                              RulesOut rulesOut) const {
        for (const TCandidate& c : step.Removed)
            if (!rulesOut(c.Cell, c.Digit)) return "removes what " + pattern + " does not rule out";
        if (reading_.partialRemovals) return "";
        std::size_t ruledOut = 0;
        for (int cell = 0; cell < 81; ++cell)
            for (int d = 1; d <= 9; ++d)
                ruledOut += g.Has(cell, d) && rulesOut(cell, d);
        if (ruledOut != step.Removed.size()) return "removes less than " + pattern + " rules out";
        return "";
    }

    std::string ContradictionFault(const TStep& step, const TGrid& g) const {
        if (const std::string fault = ChainFault(step, g); !fault.empty()) return fault;
        for (std::size_t i = 0; i < step.Chain.size(); ++i) {
            TStep shorter = step;
            shorter.Chain.erase(shorter.Chain.begin() + static_cast<std::ptrdiff_t>(i));
            if (ChainFault(shorter, g).empty()) return "a chain link is not needed";
        }
        return "";
    }

    std::string ChainFault(const TStep& step, const TGrid& g) const {
        if (step.Cell < 0 || step.Cell > 80 || step.Assumed < 1 || step.Assumed > 9 ||
            step.Digit < 1 || step.Digit > 9 || step.Assumed == step.Digit)
            return "bad cell or digits";
        if (!g.Has(step.Cell, step.Digit) ||
            g.candidates[step.Cell] != (BitOf(step.Assumed) | BitOf(step.Digit)))
            return "the cell has not just these two candidates";
        const int w = step.Blocked.Digit;
        if (step.Blocked.IsCell() || (w != step.Assumed && w != step.Digit))
            return "the blocked digit is neither candidate";
        TGrid supposed = g;
        supposed.Place(step.Cell, step.Assumed);
        for (const TChainLink& link : step.Chain) {
            if (link.Digit != w || !IsLastPlaceOf(supposed, link.Unit, link.Cell, w))
                return "a chain link is no last place";
            supposed.Place(link.Cell, w);
        }
        if (!DeadEndAt(supposed, step.Blocked)) return "the unit still has room";
        return "";
    }

    std::string TrialFault(const TStep& step, const TGrid& g) const {
        if (step.Cell < 0 || step.Cell > 80 || step.Assumed < 1 || step.Assumed > 9 ||
            !g.Has(step.Cell, step.Assumed))
            return "the assumed digit is no candidate";
        if (step.Removed.size() != 1 || step.Removed[0] != TCandidate{step.Cell, step.Assumed})
            return "removes other than the assumed candidate";
        TGrid supposed = g;
        supposed.Place(step.Cell, step.Assumed);
        const TGrid start = supposed;
        for (std::size_t i = 0; i < step.Steps.size(); ++i) {
            const TStep& sub = step.Steps[i];
            if (sub.Type == TStepType::Trial || sub.Type == TStepType::Contradiction)
                return "a trial within a trial";
            if (const std::string fault = Fault(sub, supposed); !fault.empty())
                return "its step " + std::to_string(i + 1) + ": " + fault;
            Play(sub, supposed);
        }
        if (!DeadEndAt(supposed, step.Contradiction)) return "its dead end is not there";
        if (const auto i = Droppable(step.Steps, start, AnyDeadEnd))
            return "its step " + std::to_string(*i + 1) + " is not needed";
        TGrid before = start;
        for (std::size_t i = 0; i < step.Steps.size(); ++i) {
            const TStep& sub = step.Steps[i];
            if (Removes(sub)) {
                const std::string fault = MattersFault(step.Steps, i, before, [&](const TGrid& g) {
                    return DeadEndAt(g, step.Contradiction);
                });
                if (!fault.empty()) return "its step " + std::to_string(i + 1) + ": " + fault;
            }
            Play(sub, before);
        }
        return "";
    }

    TReading reading_;
};

std::string Numbered(std::size_t i, const std::string& what) {
    return "step " + std::to_string(i + 1) + ": " + what;
}

TGrid GridOf(const TMatrix& position) {
    TGrid g;
    for (int cell = 0; cell < 81; ++cell) {
        g.digit[cell] = position.ValueAt(cell);
        g.candidates[cell] = static_cast<unsigned>(position.CandidatesAt(cell));
    }
    return g;
}

bool AnyCellDeadEnd(const TGrid& g) {
    for (int cell = 0; cell < 81; ++cell)
        if (g.digit[cell] == 0 && g.candidates[cell] == 0) return true;
    return false;
}

}  // namespace

std::optional<std::string> BrokenRule(const TMatrix& position, const TExplanation& explanation) {
    const std::vector<TStep>& steps = explanation.Steps;
    if (steps.empty()) return "no steps";
    TGrid g = GridOf(position);
    const TGrid start = g;
    const TChecker checker;
    std::vector<TGrid> before;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        before.push_back(g);
        const TStep& step = steps[i];
        const bool last = i + 1 == steps.size();
        if (!last && !Removes(step)) return Numbered(i, "only the last step places a digit");
        if (last && Removes(step)) return Numbered(i, "the last step places nothing");
        if (const std::string fault = checker.Fault(step, g); !fault.empty())
            return Numbered(i, fault);
        TChecker::Play(step, g);
    }
    const TStep& last = steps.back();
    if (TMove{last.Cell % 9, last.Cell / 9, last.Digit} != explanation.Answer)
        return "the last step places another move than the answer";
    const std::vector<TStep> eliminations(steps.begin(), steps.end() - 1);
    const int hardest = TechniqueOf(last);
    const auto droppable = TChecker::Droppable(eliminations, start, [&](const TGrid& end) {
        return Shows(end, explanation.Answer, hardest);
    });
    if (droppable) return Numbered(*droppable, "not needed for the answer");
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        const std::string fault =
            TChecker::MattersFault(steps, i, before[i], [](const TGrid&) { return true; });
        if (!fault.empty()) return Numbered(i, fault);
    }
    return std::nullopt;
}

std::optional<std::string> ContradictionFault(const TMatrix& position,
                                              const TExplanation& explanation) {
    const TGrid g = GridOf(position);
    const std::optional<TDeadEnd>& end = explanation.Contradiction;
    if (!AnyDeadEnd(g)) {
        if (end) return "a dead end named where there is none";
        return std::nullopt;
    }
    if (!end) return "a dead end left unnamed";
    if (!explanation.Steps.empty()) return "a position with a dead end explained";
    if (!DeadEndAt(g, *end)) return "the dead end named is not there";
    if (!end->IsCell() && AnyCellDeadEnd(g)) return "a unit named before a cell";
    return std::nullopt;
}

}  // namespace explanation_check
