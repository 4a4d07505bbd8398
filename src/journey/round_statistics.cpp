#include "journey/round_statistics.h"

#include <algorithm>
#include <cmath>

int JourneysFinished(int level, int station) {
    return std::clamp(level, 0, 2) + (station >= 54 ? 1 : 0);
}

TPlayerStatistics ComputeStatistics(const std::vector<TRoundRecord>& records, int level,
                                    int station) {
    TPlayerStatistics s;
    s.JourneysFinished = JourneysFinished(level, station);
    std::array<std::vector<std::int64_t>, 7> times;
    int run = 0;
    for (const TRoundRecord& r : records) {
        if (!r.InRange()) continue;  // counts for nothing, and indexes no table
        const bool ok = r.Result == TRoundResult::Ok;
        for (TTally* tally : {&s.All, &s.PerLevel[static_cast<std::size_t>(r.Level)],
                              &s.PerTechnique[static_cast<std::size_t>(r.Technique)]}) {
            ++tally->Rounds;
            tally->Successes += ok ? 1 : 0;
        }
        ++s.PerKind[static_cast<std::size_t>(r.Kind)].Rounds;
        run = ok ? run + 1 : 0;
        s.LongestRun = std::max(s.LongestRun, run);
        if (!ok) continue;
        times[static_cast<std::size_t>(r.Kind)].push_back(r.Ms);
    }
    s.CurrentRun = run;
    for (std::size_t kind = 1; kind < times.size(); ++kind) {
        std::vector<std::int64_t>& t = times[kind];
        if (t.empty()) continue;
        std::sort(t.begin(), t.end());
        const std::size_t middle = t.size() / 2;
        const std::int64_t median = t.size() % 2 ? t[middle] : (t[middle - 1] + t[middle]) / 2;
        s.PerKind[kind] = {s.PerKind[kind].Rounds, static_cast<int>(t.size()), t.front(), median};
    }
    return s;
}

std::vector<TChartPoint> RoundTimes(const std::vector<TRoundRecord>& records, int count) {
    std::vector<TChartPoint> points;
    const std::size_t first =
        records.size() > static_cast<std::size_t>(count) ? records.size() - count : 0;
    for (std::size_t i = first; i < records.size(); ++i)
        points.push_back({static_cast<double>(i - first + 1), records[i].Ms / 1000.0});
    return points;
}

std::vector<TChartPoint> JourneyStations(const std::vector<TRoundRecord>& records, int level,
                                         int stationNow) {
    // The journey at the level began after the last round of another level, or after the
    // arrival that finished an earlier journey at the same level.
    std::size_t begin = records.size();
    while (begin > 0) {
        const TRoundRecord& r = records[begin - 1];
        if (r.Level != level || (r.Station == 53 && r.Result == TRoundResult::Ok)) break;
        --begin;
    }
    std::vector<TChartPoint> points;
    for (std::size_t i = begin; i < records.size(); ++i)
        points.push_back({static_cast<double>(points.size() + 1), double(records[i].Station)});
    points.push_back({static_cast<double>(points.size() + 1), static_cast<double>(stationNow)});
    return points;
}

TAxisTicks NiceTicks(double low, double high, bool whole, int ticks) {
    if (!(high > low)) high = low + 1;
    const double rough = (high - low) / std::max(1, ticks);
    double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        step = factor * power;
        if (whole && step != std::floor(step)) continue;
        if (step >= rough) break;
    }
    if (whole) step = std::max(1.0, step);
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}
