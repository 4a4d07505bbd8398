// The rules of a round that need no window: which kind of puzzle comes at a level and
// station, how long its countdown runs, and how the remaining time (or, counting up, the time
// played) is shown.
//
// Kinds 1-6 (1: a unit with eight digits, 2: a digit with one place left, 3: a cell with one
// candidate, 4-6: eliminations of levels 4-6 first). Levels 0 beginner, 1 intermediate,
// 2 advanced. Times in milliseconds.
#pragma once

#include <QString>
#include <cstdint>

class TRandom;

// The kind table: index 0-17.
int KindAt(int index);

// The kind of the next round: an index drawn from the band of the kind table that the level
// and station allow.
int ChooseKind(int level, int station, TRandom& random);

// 8000 x 2^(kind + 3 - level) milliseconds.
std::int64_t TimeLimitMs(int kind, int level);

// "h:mm:ss", "m:ss" or "s" for the whole seconds left; "0" when no time is left.
QString CountdownCaption(std::int64_t remainingMs);

// The time played of a round that counts up, in whole seconds: "m:ss", or "h:mm:ss" from an
// hour on ("0:00" at the start, so the caption keeps its form as it grows).
QString ElapsedCaption(std::int64_t playedMs);
