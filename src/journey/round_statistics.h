// What a player's records say: rounds and successes by level and by technique, best and
// median times by kind, runs of successes, journeys finished, and the series the charts draw;
// and apart from all of these, which count journey rounds only, the practice rounds of each
// technique. Pure computation over a list of records, oldest first; a record no round could
// have made (see TRoundRecord::Valid) counts for nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "journey/round_records.h"

struct TTally {
    int Rounds = 0;
    int Successes = 0;
    // Successes per round, 0 with no round.
    double Share() const { return Rounds == 0 ? 0.0 : static_cast<double>(Successes) / Rounds; }
    friend bool operator==(const TTally&, const TTally&) = default;
};

// A share as the windows show it: "3 / 7 (43%)", or "—" with no round.
QString ShareText(const TTally& tally);

struct TKindTimes {
    int Rounds = 0;
    int Successes = 0;
    std::optional<std::int64_t> BestMs;    // of the successes
    std::optional<std::int64_t> MedianMs;  // of an even count, the mean of the two middle ones
    friend bool operator==(const TKindTimes&, const TKindTimes&) = default;
};

struct TPlayerStatistics {
    TTally All;
    std::array<TTally, 3> PerLevel{};
    std::array<TTally, 10> PerTechnique{};  // the answer's technique level 0-9
    std::array<TKindTimes, 7> PerKind{};    // kinds 1-6; 0 unused
    int CurrentRun = 0;                     // successes since the last failure
    int LongestRun = 0;
    int JourneysFinished = 0;  // from the player's own level and station
};

// The statistics of a player's journey rounds (oldest first; practice rounds are passed over);
// the journeys finished come from where the player stands, so they are right without records.
TPlayerStatistics ComputeStatistics(const std::vector<TRoundRecord>& records, int level,
                                    int station);

// Every level below the player's was a journey finished at Kyoto; so is the current one once
// the player stands there.
int JourneysFinished(int level, int station);

// The practice rounds of one technique: how they ended, and how long the unaided successes
// took (the time a player needs to see the technique on their own).
struct TPracticeTimes {
    int Rounds = 0;
    int Ok = 0;
    int Wrong = 0;
    int Hinted = 0;                        // solved after a hint
    std::optional<std::int64_t> MedianMs;  // of the ok rounds; even count: the middle two's mean
    friend bool operator==(const TPracticeTimes&, const TPracticeTimes&) = default;
};

// Per technique 1-9; 0 unused.
using TPracticeStatistics = std::array<TPracticeTimes, 10>;

TPracticeStatistics ComputePracticeStatistics(const std::vector<TRoundRecord>& records);

struct TChartPoint {
    double X;
    double Y;
};

// Seconds played in each of the last `count` journey rounds, numbered from 1.
std::vector<TChartPoint> RoundTimes(const std::vector<TRoundRecord>& records, int count = 100);

// The station before each round of the journey at the level (the latest one), then the station
// the player stands at now; numbered from 1. Practice rounds are no part of a journey.
std::vector<TChartPoint> JourneyStations(const std::vector<TRoundRecord>& records, int level,
                                         int stationNow);

// An axis from low to high in ticks a reader can trust: steps of 1, 2, 2.5 or 5 times a power
// of ten (whole numbers only when `whole`), at most `ticks` steps, the ends on ticks.
struct TAxisTicks {
    double Low = 0;
    double High = 1;
    double Step = 1;
};
TAxisTicks NiceTicks(double low, double high, bool whole, int ticks = 6);
