// The phases of what the techniques fill, the rules of a practice position, and the maker.
//
// The maker walks a freshly made puzzle (a random solved grid emptied at random as far as it
// stays one puzzle) along its solving path. Where the singles run out it looks at the stall:
//   T >= 4: when technique T is the lowest that fills a cell there, the filled cells are taken
//           away again one at a time, in a random order, keeping each removal that leaves T the
//           lowest technique and fills no more cells than before, until one cell is left (for
//           T = 9 only stalls where it fills one cell already are taken);
//   T <= 3: a stall has no move of levels 1-3, so emptying one filled cell gives a position
//           whose one such move is that cell; the cell is kept when the right level finds it.
// Past a stall the walk plays one of the moves found there, or, when no technique up to T finds
// any, one more digit of the solution. Every position between the made puzzle and its solution
// has the same one solution, so taking away cells the walk filled never needs the solution
// counter; taking away a given of the made puzzle does.
#include "logic/practice_positions.h"

#include <algorithm>
#include <array>

#include "logic/explanation.h"
#include "logic/matrix.h"
#include "logic/position_text.h"
#include "logic/random.h"
#include "logic/solution_counter.h"
#include "logic/units.h"

using namespace units;

namespace {

// Moves as a digit mask per cell: adding a move twice keeps one.
class TMoveSet {
  public:
    void Add(int cell, int digit) {
        digits_[cell] = static_cast<std::uint16_t>(digits_[cell] | Bit(digit));
    }
    void AddAll(const TMoveSet& other) {
        for (int i = 0; i < 81; ++i)
            digits_[i] = static_cast<std::uint16_t>(digits_[i] | other.digits_[i]);
    }
    bool Empty() const {
        return std::all_of(digits_.begin(), digits_.end(), [](auto d) { return d == 0; });
    }
    std::vector<TMove> Moves() const {
        std::vector<TMove> moves;
        for (int i = 0; i < 81; ++i) {
            for (unsigned d = digits_[i]; d != 0; d &= d - 1)
                moves.push_back({ColOf(i), RowOf(i), LowestDigitOf(d)});
        }
        return moves;
    }

  private:
    std::array<std::uint16_t, 81> digits_{};
};

// Level 1: the empty cell of a unit with eight digits takes the one digit missing there.
void AddLastCells(const TMatrix& m, TMoveSet& moves) {
    for (int unit = 0; unit < 27; ++unit) {
        int empty = -1, empties = 0;
        unsigned placed = 0;
        for (const int j : kUnitCells[unit]) {
            if (m.ValueAt(j) == 0) {
                empty = j;
                ++empties;
            } else {
                placed |= Bit(m.ValueAt(j));
            }
        }
        const unsigned missing = kAllDigits & ~placed;
        if (empties == 1 && IsSingle(missing)) moves.Add(empty, DigitOf(missing));
    }
}

// Level 2: a digit with one candidate cell in a unit.
void AddLastPlaces(const TMatrix& m, TMoveSet& moves) {
    for (int unit = 0; unit < 27; ++unit) {
        unsigned once = 0, twice = 0;
        for (const int j : kUnitCells[unit]) {
            twice |= once & m.CandidatesAt(j);
            once |= m.CandidatesAt(j);
        }
        for (unsigned singles = once & ~twice; singles != 0; singles &= singles - 1) {
            const int d = LowestDigitOf(singles);
            for (const int j : kUnitCells[unit]) {
                if (m.CandidatesAt(j) & Bit(d)) moves.Add(j, d);
            }
        }
    }
}

// Level 3: a cell with one candidate.
void AddLastCandidates(const TMatrix& m, TMoveSet& moves) {
    for (int i = 0; i < 81; ++i) {
        if (m.ValueAt(i) == 0 && IsSingle(m.CandidatesAt(i)))
            moves.Add(i, DigitOf(m.CandidatesAt(i)));
    }
}

TMoveSet BasicMoves(const TMatrix& m) {
    TMoveSet moves;
    AddLastCells(m, moves);
    AddLastPlaces(m, moves);
    AddLastCandidates(m, moves);
    return moves;
}

// Levels 4..upTo (at most 6) as the next-move search plays them, to their end.
TMatrix Eliminated(const TMatrix& position, int upTo) {
    TMatrix m = position;
    while (m.ApplyMyReservedSeat() || (upTo >= 5 && m.ApplyYourReservedSeat()) ||
           (upTo >= 6 && m.ApplyOurReservedSeat())) {
    }
    return m;
}

// Levels 7 (getOut false) and 8 on the position's own candidates, every cell of two
// candidates tried both ways.
TMoveSet ContradictionMoves(const TMatrix& m, bool getOut) {
    TMoveSet moves;
    for (int i = 0; i < 81; ++i) {
        const unsigned mask = m.CandidatesAt(i);
        if (m.ValueAt(i) != 0 || CountOf(mask) != 2) continue;
        const int a = LowestDigitOf(mask), b = DigitOf(mask);
        const TCell cell{ColOf(i), RowOf(i)};
        if (m.LeadsToBlock(a, cell, getOut ? b : a)) moves.Add(i, b);
        if (m.LeadsToBlock(b, cell, getOut ? a : b)) moves.Add(i, a);
    }
    return moves;
}

// Level 9 as the board's search runs it; the moves present when the first one shows.
TMoveSet TrialMoves(const TMatrix& position) {
    TMatrix m = position;
    bool found = false;
    for (bool removed = true; removed && !found;) {
        removed = m.ApplyPuzzled();
        if (removed) found = m.FindAnyForcedMove().has_value();
        if (!found && m.ApplyMyReservedSeat()) found = m.FindAnyForcedMove().has_value();
        if (!found && m.ApplyYourReservedSeat()) found = m.FindAnyForcedMove().has_value();
        if (!found && m.ApplyOurReservedSeat()) found = m.FindAnyForcedMove().has_value();
    }
    return found ? BasicMoves(m) : TMoveSet{};
}

// What the phase of the level finds by itself.
TMoveSet PhaseMoves(const TMatrix& m, int level) {
    TMoveSet moves;
    switch (level) {
        case 1:
            AddLastCells(m, moves);
            break;
        case 2:
            AddLastPlaces(m, moves);
            break;
        case 3:
            AddLastCandidates(m, moves);
            break;
        case 4:
        case 5:
        case 6:
            moves = BasicMoves(Eliminated(m, level));
            break;
        case 7:
        case 8:
            moves = ContradictionMoves(m, level == 8);
            break;
        case 9:
            moves = TrialMoves(m);
            break;
        default:
            break;
    }
    return moves;
}

TMatrix MatrixOf(const TGridValues& values) {
    TMatrix m;
    for (int i = 0; i < 81; ++i)
        m.SetValue(ColOf(i), RowOf(i), values[i]);
    return m;
}

// --- The rules -----------------------------------------------------------------------------

// The first rule of a technique-T position that the matrix breaks, with its answer when it keeps
// them all. `solution` is the puzzle's one solution when the caller knows it already.
TPracticeCheck Check(const TMatrix& m, int technique, const TGridValues* solution) {
    auto broken = [](std::string why) { return TPracticeCheck{std::nullopt, std::move(why)}; };
    if (technique < 1 || technique > 9) return broken("no technique " + std::to_string(technique));
    TGridValues solved{};
    if (!solution) {
        const int count = CountSolutions(ValuesOf(m), 2, &solved);
        if (count != 1) return broken(count == 0 ? "no solution" : "more than one solution");
        solution = &solved;
    }
    const TFillable lowest = LowestFillable(m, technique);
    if (lowest.Technique != technique) {
        return broken(lowest.Technique == 0
                          ? "technique " + std::to_string(technique) + " fills no cell"
                          : "technique " + std::to_string(lowest.Technique) + " fills a cell");
    }
    if (lowest.Moves.size() != 1)
        return broken(std::to_string(lowest.Moves.size()) + " moves where one is due");
    const TMove answer = lowest.Moves.front();
    if ((*solution)[Index(answer.Col, answer.Row)] != answer.Digit)
        return broken("the move is not the solution's");
    if (technique <= 3) {
        // The one move of levels 1-3, found by the technique's level alone (level 1 always
        // finds it by the other two as well).
        TMoveSet byLevel[3];
        AddLastCells(m, byLevel[0]);
        AddLastPlaces(m, byLevel[1]);
        AddLastCandidates(m, byLevel[2]);
        TMoveSet all = byLevel[0];
        all.AddAll(byLevel[1]);
        all.AddAll(byLevel[2]);
        if (all.Moves().size() != 1) return broken("more than one move of levels 1-3");
        for (int level = technique + 1; level <= 3 && technique > 1; ++level) {
            if (!byLevel[level - 1].Empty())
                return broken("level " + std::to_string(level) + " finds the move too");
        }
        if (technique == 3) {
            const TMatrix eliminated = Eliminated(m, 6);
            if (eliminated == m) return broken("no elimination of levels 4-6 applies");
            if (BasicMoves(eliminated).Moves().size() != 1)
                return broken("the eliminations show a second move");
        }
    }
    const int explained = Explain(m, answer).Technique();
    if (explained != technique)
        return broken("the explanation names technique " + std::to_string(explained));
    return {answer, {}};
}

std::optional<TPracticePosition> PositionOf(const TMatrix& m, int technique,
                                            const TGridValues& solution) {
    const TPracticeCheck check = Check(m, technique, &solution);
    if (!check.Answer) return std::nullopt;
    return TPracticePosition{technique, PositionText(m), *check.Answer, technique};
}

// --- The maker -----------------------------------------------------------------------------

template <std::size_t N>
void Shuffle(std::array<int, N>& items, int count, TRandom& random) {
    for (int k = count - 1; k > 0; --k)
        std::swap(items[k], items[random.Below(k + 1)]);
}

// The cells of the matrix that hold a digit, in a random order; the count goes to `count`.
std::array<int, 81> FilledCellsShuffled(const TMatrix& m, int& count, TRandom& random) {
    std::array<int, 81> cells{};
    count = 0;
    for (int i = 0; i < 81; ++i) {
        if (m.ValueAt(i) != 0) cells[count++] = i;
    }
    Shuffle(cells, count, random);
    return cells;
}

// The solution emptied cell by cell in a random order, each cell kept when emptying it would
// leave more than one solution.
TGridValues MinimalPuzzle(const TGridValues& solution, TRandom& random, std::stop_token stop) {
    TGridValues puzzle = solution;
    std::array<int, 81> order{};
    for (int i = 0; i < 81; ++i)
        order[i] = i;
    Shuffle(order, 81, random);
    for (const int i : order) {
        if (stop.stop_requested()) break;
        // Emptying the cell keeps the one solution when no other digit that its row, column
        // and box leave it has a solution.
        unsigned seen = Bit(solution[i]);
        for (const int unit :
             {RowOf(i), kFirstColumn + ColOf(i), BoxUnit(ColOf(i) / 3, RowOf(i) / 3)}) {
            for (const int j : kUnitCells[unit]) {
                if (j != i && puzzle[j] != 0) seen |= Bit(puzzle[j]);
            }
        }
        bool other = false;
        for (unsigned rest = kAllDigits & ~seen; rest != 0 && !other; rest &= rest - 1) {
            puzzle[i] = static_cast<std::uint8_t>(LowestDigitOf(rest));
            other = CountSolutions(puzzle, 1) != 0;
        }
        puzzle[i] = other ? solution[i] : 0;
    }
    return puzzle;
}

void FillSingles(TMatrix& m) {
    while (const auto move = m.FindAnyForcedMove())
        m.Play(*move);
}

class TMaker {
  public:
    TMaker(int technique, TRandom& random, std::stop_token stop)
        : technique_(technique), random_(random), stop_(std::move(stop)) {}

    std::optional<TPracticePosition> Try() {
        solution_ = RandomSolvedGrid(random_);
        puzzle_ = MinimalPuzzle(solution_, random_, stop_);
        TMatrix position = MatrixOf(puzzle_);
        for (;;) {
            if (stop_.stop_requested()) return std::nullopt;
            FillSingles(position);
            if (position.EmptyCount() == 0) return std::nullopt;
            if (technique_ <= 3) {
                if (auto found = OpenOneCell(position)) return found;
                FillRandomCell(position);
                continue;
            }
            const TFillable next = LowestFillable(position, technique_);
            if (next.Technique == technique_) {
                if (auto found = Narrow(position, next)) return found;
            }
            if (next.Technique == 0) {
                FillRandomCell(position);
            } else {
                const auto pick =
                    static_cast<std::size_t>(random_.Below(static_cast<int>(next.Moves.size())));
                position.Play(next.Moves[pick]);
            }
        }
    }

  private:
    // Past a stall that needs a technique above T: one more digit of the solution.
    void FillRandomCell(TMatrix& m) {
        int i = random_.Below(81);
        while (m.ValueAt(i) != 0)
            i = (i + 1) % 81;
        m.SetValue(ColOf(i), RowOf(i), solution_[i]);
    }

    // T <= 3 at a stall (no move of levels 1-3): one filled cell emptied again. Emptying a cell
    // only adds candidates, so the one move of levels 1-3 is that cell's own, and the level
    // that finds it can be read off the cell.
    std::optional<TPracticePosition> OpenOneCell(const TMatrix& stall) {
        int count = 0;
        const auto cells = FilledCellsShuffled(stall, count, random_);
        for (int k = 0; k < count; ++k) {
            if (stop_.stop_requested()) return std::nullopt;
            TMatrix m = stall;
            const int i = cells[k];
            m.SetValue(ColOf(i), RowOf(i), 0);
            TMoveSet lastCell;
            AddLastCells(m, lastCell);
            const bool byLevel1 = !lastCell.Empty();
            const bool oneCandidate = IsSingle(m.CandidatesAt(i));
            if ((technique_ == 1) != byLevel1) continue;
            if (technique_ >= 2 && oneCandidate != (technique_ == 3)) continue;
            if (auto found = PositionOf(m, technique_, solution_)) return found;
        }
        return std::nullopt;
    }

    // T >= 4 at a stall where T is the lowest technique that fills a cell: filled cells taken
    // away while T stays the lowest and fills no more cells, until it fills one. Technique 9
    // takes only stalls where it fills one cell already: every look at a cut-down position runs
    // its trials again, which costs more than walking on to the next stall.
    std::optional<TPracticePosition> Narrow(const TMatrix& stall, const TFillable& found) {
        TMatrix m = stall;
        std::size_t moves = found.Moves.size();
        bool holdsPuzzle = true;
        int count = 0;
        const auto cells = FilledCellsShuffled(stall, count, random_);
        for (int k = 0; k < count && moves > 1 && technique_ < 9; ++k) {
            if (stop_.stop_requested()) return std::nullopt;
            const int i = cells[k];
            TMatrix fewer = m;
            fewer.SetValue(ColOf(i), RowOf(i), 0);
            const TFillable next = LowestFillable(fewer, technique_);
            if (next.Technique != technique_ || next.Moves.size() > moves) continue;
            // Below the made puzzle's givens the solution may no longer be the only one.
            const bool stillHolds = holdsPuzzle && puzzle_[i] == 0;
            if (!stillHolds && CountSolutions(ValuesOf(fewer), 2) != 1) continue;
            m = fewer;
            moves = next.Moves.size();
            holdsPuzzle = stillHolds;
        }
        if (moves != 1) return std::nullopt;
        return PositionOf(m, technique_, solution_);
    }

    int technique_;
    TRandom& random_;
    std::stop_token stop_;
    TGridValues solution_{};
    TGridValues puzzle_{};
};

// A try fails far less often than one in a thousand times for the rarest technique; this many
// failures in a row mean something is broken, not unlucky.
constexpr int kMostTries = 100000;

}  // namespace

std::vector<TMove> FillableMoves(const TMatrix& position, int upTo) {
    TMoveSet moves;
    for (int level = 1; level <= std::min(upTo, 9); ++level)
        moves.AddAll(PhaseMoves(position, level));
    return moves.Moves();
}

TFillable LowestFillable(const TMatrix& position, int upTo) {
    for (int level = 1; level <= std::min(upTo, 9); ++level) {
        const TMoveSet moves = PhaseMoves(position, level);
        if (!moves.Empty()) return {level, moves.Moves()};
    }
    return {};
}

TPracticeCheck CheckPracticePosition(const std::string& puzzle, int technique) {
    std::string error;
    const std::optional<TMatrix> m = MatrixFromText(puzzle, error);
    if (!m) return {std::nullopt, "not a position: " + error};
    return Check(*m, technique, nullptr);
}

std::optional<TPracticePosition> TryPracticePosition(int technique, TRandom& random,
                                                     std::stop_token stop) {
    if (technique < 1 || technique > 9) return std::nullopt;
    return TMaker(technique, random, std::move(stop)).Try();
}

std::optional<TPracticePosition> MakePracticePosition(int technique, TRandom& random,
                                                      std::stop_token stop) {
    for (int n = 0; n < kMostTries && !stop.stop_requested(); ++n) {
        if (auto found = TryPracticePosition(technique, random, stop)) return found;
    }
    return std::nullopt;
}
