#include "journey/round_statistics.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// A journey round that counts; practice rounds and records no round could make do not.
bool OfTheJourney(const TRoundRecord& r) {
    return r.Valid() && !r.IsPractice();
}

// Of an even count, the mean of the two middle ones; sorts the times.
std::optional<std::int64_t> Median(std::vector<std::int64_t>& t) {
    if (t.empty()) return std::nullopt;
    std::sort(t.begin(), t.end());
    const std::size_t middle = t.size() / 2;
    return t.size() % 2 ? t[middle] : (t[middle - 1] + t[middle]) / 2;
}

}  // namespace

QString ShareText(const TTally& t) {
    if (t.Rounds == 0) return QStringLiteral("—");
    return QStringLiteral("%1 / %2 (%3%)")
        .arg(t.Successes)
        .arg(t.Rounds)
        .arg(qRound(100 * t.Share()));
}

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
        if (!OfTheJourney(r)) continue;  // counts for nothing here, and indexes no table
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
        const std::optional<std::int64_t> median = Median(t);
        s.PerKind[kind] = {s.PerKind[kind].Rounds, static_cast<int>(t.size()), t.front(), median};
    }
    return s;
}

TPracticeStatistics ComputePracticeStatistics(const std::vector<TRoundRecord>& records) {
    TPracticeStatistics s;
    std::array<std::vector<std::int64_t>, 10> times;
    for (const TRoundRecord& r : records) {
        if (!r.Valid() || !r.IsPractice()) continue;
        const auto t = static_cast<std::size_t>(r.Technique);
        ++s[t].Rounds;
        s[t].Ok += r.Result == TRoundResult::Ok ? 1 : 0;
        s[t].Wrong += r.Result == TRoundResult::Wrong ? 1 : 0;
        s[t].Hinted += r.Result == TRoundResult::Hinted ? 1 : 0;
        if (r.Result == TRoundResult::Ok) times[t].push_back(r.Ms);
    }
    for (std::size_t t = 1; t < times.size(); ++t)
        s[t].MedianMs = Median(times[t]);
    return s;
}

std::vector<TChartPoint> RoundTimes(const std::vector<TRoundRecord>& all, int count) {
    std::vector<TRoundRecord> records;
    std::copy_if(all.begin(), all.end(), std::back_inserter(records), OfTheJourney);
    std::vector<TChartPoint> points;
    const std::size_t first =
        records.size() > static_cast<std::size_t>(count) ? records.size() - count : 0;
    for (std::size_t i = first; i < records.size(); ++i)
        points.push_back({static_cast<double>(i - first + 1), records[i].Ms / 1000.0});
    return points;
}

std::vector<TChartPoint> JourneyStations(const std::vector<TRoundRecord>& all, int level,
                                         int stationNow) {
    std::vector<TRoundRecord> records;
    std::copy_if(all.begin(), all.end(), std::back_inserter(records), OfTheJourney);
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
