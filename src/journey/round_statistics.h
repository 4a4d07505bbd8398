// What a player's records say: rounds and successes by level and by technique, best and
// median times by kind, runs of successes, journeys finished, and the series the charts draw.
// Pure computation over a list of records, oldest first; a record whose numbers lie outside
// their ranges (see TRoundRecord::InRange) counts for nothing.
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

struct TKindTimes {
    int Successes = 0;
    std::optional<std::int64_t> BestMs;    // of the successes
    std::optional<std::int64_t> MedianMs;  // the lower middle of an even count
    friend bool operator==(const TKindTimes&, const TKindTimes&) = default;
};

struct TPlayerStatistics {
    TTally All;
    std::array<TTally, 3> PerLevel{};
    std::array<TTally, 10> PerTechnique{};  // the answer's technique level 0-9
    std::array<TKindTimes, 7> PerKind{};    // kinds 1-6; 0 unused
    int CurrentRun = 0;                     // successes since the last failure
    int LongestRun = 0;
    int JourneysFinished = 0;  // successes from station 53, so arriving at the destination
};

TPlayerStatistics ComputeStatistics(const std::vector<TRoundRecord>& records);

struct TChartPoint {
    double X;
    double Y;
};

// Seconds played in each of the last `count` rounds, numbered from 1.
std::vector<TChartPoint> RoundTimes(const std::vector<TRoundRecord>& records, int count = 100);

// The station before each round of the journey at the level (the latest one), then the station
// the player stands at now; numbered from 1.
std::vector<TChartPoint> JourneyStations(const std::vector<TRoundRecord>& records, int level,
                                         int stationNow);
