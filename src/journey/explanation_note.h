// The note under an explanation's sentences that names what the picture cannot show: the
// candidates earlier steps took from the ringed cell, which holds its digit alone, each with the
// step that took it ("B1 の 1（手順 1）" / "1 from B1 (step 1)").
#pragma once

#include <QString>

struct TExplanationDrawing;
class TExplanationWalk;

struct TExplanationNote {
    QString Japanese;
    QString English;

    bool Empty() const { return Japanese.isEmpty(); }
};

// Empty when the ringed cell lost nothing to earlier steps.
TExplanationNote GoneNote(const TExplanationWalk& walk, const TExplanationDrawing& drawing);
