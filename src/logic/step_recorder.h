// Explanation steps made from what the techniques report: the recorder that turns each pattern
// the eliminations tell their observer into a step, and the same patterns read anew on another
// position. Internal to the puzzle logic; the explainer records the game's search with these.
//
// Cells are indexes col + 9 x row; unit indexes are those of units.h.
#pragma once

#include <optional>
#include <vector>

#include "logic/explanation.h"
#include "logic/technique_observer.h"

namespace step_recording {

// Appends a step for each pattern it hears of, in the order they come: a lock, a naked or a
// hidden subset with every candidate it rules out then (none when it rules out nothing), and a
// trial's forced move as the simplest placement that shows it.
class TStepRecorder : public TTechniqueObserver {
  public:
    explicit TStepRecorder(std::vector<TStep>& steps) : steps_(steps) {}

    void Locked(const TMatrix& m, int digit, int unit, int other) override;
    void Naked(const TMatrix& m, int unit, const TUnitCellSet& cells, unsigned digits) override;
    void Hidden(const TMatrix& m, int unit, const TUnitCellSet& cells, unsigned digits) override;
    void ForcedMove(const TMatrix& m, const TMove& move) override;

  private:
    void Keep(TStep step);

    std::vector<TStep>& steps_;
};

// A lock, a naked or a hidden subset read anew on m: the lock's cells are its digit's places in
// its unit then, and the step removes every candidate of m its pattern rules out. Nothing when
// it would remove nothing. Whether its pattern is there is for Holds to say. Any other step
// comes back as it is.
std::optional<TStep> Reread(const TMatrix& m, const TStep& step);

// In a unit whose places a hidden subset was read from before another cut of that unit, the
// digits may have fewer places left than there are digits. Then some fewest digits H of them
// have fewer than |H| places together, all but one of them fill those places exactly, and
// the last one has no room: that subset, as a step. Nothing when there is no such subset.
std::optional<TStep> PigeonholeStep(const TMatrix& m, const TStep& hidden);

// The placement that a pattern of one cell amounts to: a lock or a hidden subset of one cell is
// the digit's last place in its unit, a naked subset of one cell the cell's last candidate.
// Nothing for any other step.
std::optional<TStep> PlacementOf(const TStep& single);

}  // namespace step_recording
