// Walking through an explanation one step at a time, as the board shows it: which step is shown,
// and the candidates as they stand just before it. A trial is one step of the explanation; it
// can be opened to walk through its own steps, from the supposition to the dead end they reach,
// and closed again.
//
// Cells are indexes col + 9 x row; digits 1..9.
#pragma once

#include <vector>

#include "logic/explanation.h"
#include "logic/matrix.h"

class TExplanationWalk {
  public:
    // The position is the one the explanation was made on (its givens placed with SetValue).
    TExplanationWalk(const TMatrix& position, TExplanation explanation);

    const TExplanation& Explanation() const { return explanation_; }
    const TMatrix& Position() const { return position_; }

    // The pages at the present depth: the explanation's steps, or inside a trial its steps
    // and, last, its dead end.
    int Count() const;
    int Index() const { return opened_ ? subIndex_ : index_; }
    // The step shown: inside a trial one of its steps, or the trial itself on its dead end.
    const TStep& Current() const;
    // Inside a trial: the trial opened, else null.
    const TStep* OpenedTrial() const;
    // Inside a trial, on the page after its last step, where the supposition breaks down.
    bool AtDeadEnd() const;
    // The candidates just before the step shown (inside a trial with the supposition and the
    // trial's earlier steps played; on the dead end after all of them).
    const TMatrix& Before() const { return before_; }

    bool CanBack() const { return Index() > 0; }
    bool CanForward() const { return Index() + 1 < Count(); }
    bool CanOpen() const;
    bool CanLeave() const { return opened_; }
    // Each does nothing where it cannot be done. Leaving a trial returns to the trial's step.
    void Back();
    void Forward();
    void Open();
    void Leave();
    // Back to the first step, outside any trial.
    void Rewind();

  private:
    void Recompute();

    TMatrix position_;
    TExplanation explanation_;
    int index_ = 0;
    bool opened_ = false;
    int subIndex_ = 0;
    TMatrix before_;
};
