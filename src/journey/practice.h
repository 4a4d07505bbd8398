// What practice (修行) needs besides its round: what the technique picker shows (each
// technique's name and the player's success share), which technique "苦手な手筋 my weakest
// technique" stands for, what the picker hands back, and the hint of each stage.
//
// A technique's share counts every round whose answer needed it: journey rounds by the
// technique their record keeps, practice rounds by the technique practised. Only an "ok" is a
// success: a hinted practice round, a wrong move, a time-out and a round given up are not.
//
// Techniques are levels 1-9 of the technique names table. Cells are indexes col + 9 x row;
// boxes bx + 3 x by.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "journey/round_records.h"
#include "journey/round_statistics.h"
#include "logic/explanation.h"
#include "logic/practice_position.h"

// What the technique picker hands back.
struct TPracticeChoice {
    bool Chosen = false;   // false: the picker was closed without a choice
    bool Weakest = false;  // 苦手な手筋: the game picks the technique (WeakestTechnique)
    int Technique = 0;     // 1-9, when not Weakest

    static TPracticeChoice Of(int technique) { return {true, false, technique}; }
    static TPracticeChoice TheWeakest() { return {true, true, 0}; }
};

// A technique needs this many rounds before its share says which is weakest.
inline constexpr int kRoundsForAShare = 5;

// Per technique 1-9 (0 unused): the rounds whose answer needed it, and the unaided successes.
std::array<TTally, 10> TechniqueTallies(const std::vector<TRoundRecord>& records);

// The technique with the lowest share among those played at least kRoundsForAShare times;
// else the lowest one never played; else (every one played, none that often) the one played
// least. Ties go to the lower technique.
int WeakestTechnique(const std::array<TTally, 10>& tallies);

struct TPracticeEntry {
    int Technique = 0;
    QString Name;  // as the technique names table words it
    TTally Tally;
};

// What the picker shows: the nine techniques in order, and the one the weakest stands for.
struct TPracticeMenu {
    std::array<TPracticeEntry, 9> Techniques;
    int Weakest = 1;
};

TPracticeMenu MakePracticeMenu(const std::vector<TRoundRecord>& records);

// The last stage of the hints: the whole explanation.
inline constexpr int kLastHintStage = 3;

// The hint of the stage (1-3; 0 or less is no hint, more is the last) for a round explained so.
// It shows the step that needs the explanation's technique: the first step of the highest
// technique. Its unit: the unit of a last cell or a last place, the unit a digit is locked in,
// the unit of a naked or hidden subset; for a last candidate, and for a contradiction's or a
// trial's supposed cell, that cell's box. Its key cells (stages 2 and 3): the placement's
// cell, the locked digit's places, the subset's cells, the supposed cell. An unexplained
// round has no step to show: only the stage.
TPracticeHint PracticeHint(const TExplanation& explanation, int stage);

// What the window shows while no position is ready.
QString MakingText();
