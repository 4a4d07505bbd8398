// The records of judged rounds: their data-file lines, the cap on how many are kept, the
// statistics drawn from them, their round trip through the data file, and the reading of a
// section's last lines.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "journey/round_records.h"
#include "journey/round_statistics.h"
#include "storage/data_file.h"
#include "storage/storage_test_support.h"

namespace {

TRoundRecord Round(int level, int station, int kind, int technique, TRoundResult result,
                   std::int64_t ms) {
    TRoundRecord r;
    r.Name = QStringLiteral("花子");
    r.When = *date_time::Parse(QStringLiteral("2026/12/08 9:30:05"));
    r.Level = level;
    r.Station = station;
    r.Kind = kind;
    r.Technique = technique;
    r.Result = result;
    r.Ms = ms;
    return r;
}

using R = TRoundResult;

}  // namespace

TEST(RoundRecords, LinesRoundTripAndBadLinesAreLeftOut) {
    const TRoundRecord r = Round(1, 12, 4, 5, R::Timeout, 256000);
    EXPECT_EQ(r.ToText(), QStringLiteral("花子=2026/12/08 9:30:05,1,12,4,5,timeout,256000"));
    EXPECT_EQ(TRoundRecord::FromText(r.ToText()), r);
    for (const char* bad : {"=2026/12/08 9:30:05,1,12,4,5,ok,1", "a=2026/12/08 9:30:05,1,12,4,5,ok",
                            "a=2026/12/08 9:30:05,1,x,4,5,ok,1", "a=someday,1,12,4,5,ok,1",
                            "a=2026/12/08 9:30:05,1,12,4,5,won,1", "no equals sign"})
        EXPECT_FALSE(TRoundRecord::FromText(QString::fromUtf8(bad))) << bad;
}

// A line whose numbers lie outside their ranges is no record: nothing from it is clamped into a
// real level or a best time.
TEST(RoundRecords, NumbersOutsideTheirRangesMakeNoRecord) {
    struct Case {
        const char* numbers;  // level,station,kind,technique,result,ms
        bool record;
    };
    const Case cases[] = {
        {"0,0,1,0,ok,0", true},    {"2,54,6,9,ok,86400000", true},
        {"3,12,4,5,ok,1", false},  {"99,12,4,5,ok,1", false},
        {"-1,12,4,5,ok,1", false}, {"1,55,4,5,ok,1", false},
        {"1,-1,4,5,ok,1", false},  {"1,4294967308,4,5,ok,1", false},  // 12 once narrowed to 32 bits
        {"1,12,-1,5,ok,1", false}, {"1,12,7,5,ok,1", false},
        {"1,12,4,10,ok,1", false}, {"1,12,4,-1,ok,1", false},
        {"1,12,4,5,ok,-5", false}, {"1,12,4,5,ok,86400001", false},
    };
    for (const Case& c : cases) {
        const QString line = QStringLiteral("a=2026/12/08 9:30:05,") + QString::fromUtf8(c.numbers);
        EXPECT_EQ(TRoundRecord::FromText(line).has_value(), c.record) << c.numbers;
    }
    TRoundRecords records;
    records.FromStrings({QStringLiteral("花子=2026/12/08 9:30:05,99,12,4,5,ok,1"),
                         Round(0, 2, 1, 1, R::Ok, 2).ToText()});
    EXPECT_EQ(records.Count(), 2) << "kept in the file";
    EXPECT_EQ(records.OfPlayer(QStringLiteral("花子")).size(), 1u);
}

// A practice round (kind 0) is of a technique 1-9 and ends ok, wrong or hinted; a journey round
// is never hinted. What no round could end with is neither read nor written: Add refuses it, so
// no line goes into the file that would read back as nothing.
TEST(RoundRecords, KindAndResultGoTogether) {
    struct Case {
        int kind, technique;
        R result;
        bool record;
    };
    const Case cases[] = {
        {0, 4, R::Ok, true},       {0, 9, R::Wrong, true},   {0, 1, R::Hinted, true},
        {0, 4, R::Timeout, false}, {0, 4, R::GaveUp, false}, {0, 0, R::Ok, false},
        {4, 4, R::Hinted, false},  {1, 0, R::Hinted, false}, {6, 9, R::GaveUp, true},
    };
    for (const Case& c : cases) {
        const TRoundRecord r = Round(1, 54, c.kind, c.technique, c.result, 1500);
        SCOPED_TRACE(r.ToText().toStdString());
        EXPECT_EQ(TRoundRecord::FromText(r.ToText()), c.record ? std::optional(r) : std::nullopt);
        TRoundRecords records;
        EXPECT_EQ(records.Add(r), c.record);
        EXPECT_EQ(records.Count(), c.record ? 1 : 0);
    }
    EXPECT_EQ(Round(2, 9, 0, 7, R::Hinted, 81000).ToText(),
              QStringLiteral("花子=2026/12/08 9:30:05,2,9,0,7,hinted,81000"));
}

TEST(RoundRecords, TheLast20000AreKeptThroughTheDataFile) {
    TRoundRecords records;
    for (int i = 0; i < TRoundRecords::kMaxRecords + 5; ++i)
        records.Add(Round(i % 3, i % 54, 1 + i % 6, i % 10, R::Ok, i));
    ASSERT_EQ(records.Count(), TRoundRecords::kMaxRecords);
    EXPECT_EQ(records.Items(0)->Ms, 5);  // the five oldest went

    QTemporaryDir folder;
    const std::string name = folder.filePath(QStringLiteral("senkaro.ini")).toStdString();
    TRecordingReporter reporter;
    {
        TDataFile file(name, reporter);
        records.WriteTo(file);
        file.WriteSection("userdata", {QStringLiteral("花子=0,3,\"5\",\"2026/12/01 10:00:00\",0")});
        file.Close();
    }
    TRoundRecords read;
    read.ReadFrom(TDataFile(name, reporter));
    ASSERT_EQ(read.Count(), records.Count());
    for (int i = 0; i < read.Count(); i += 997)
        EXPECT_EQ(read.Items(i), records.Items(i)) << i;
    EXPECT_EQ(read.Items(read.Count() - 1), records.Items(records.Count() - 1));
    EXPECT_EQ(read.OfPlayer(QStringLiteral("花子")).size(), std::size_t(records.Count()));
}

TEST(RoundRecords, ASectionLongerThanTheCapGivesItsLastLines) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    TDataFile file(folder.Path("senkaro.ini"), reporter);
    std::vector<std::string> body;
    for (int i = 0; i < TRoundRecords::kMaxRecords + 7; ++i)
        body.push_back("line " + std::to_string(i));
    file.WriteSection(kRecordsSection, body);
    TRoundRecords records;
    records.ReadFrom(file);
    ASSERT_EQ(records.Count(), TRoundRecords::kMaxRecords);
    EXPECT_EQ(records.ToStrings().front(), QStringLiteral("line 7"));
    EXPECT_EQ(records.ToStrings().back(), QString::fromStdString(body.back()));
}

// Round records give their cap to the data file they are read from, which then never holds more
// of the section than they keep: a records section written longer by another tool is cut as it
// is read, and a file opened without the cap is not.
TEST(RoundRecords, TheDataFileReadsNoMoreRecordsThanAreKept) {
    TScratchFolder folder;
    TRecordingReporter reporter;
    const std::string path = folder.Path("senkaro.ini");
    {
        TDataFile file(path, reporter);
        std::vector<std::string> body;
        for (int i = 0; i < TRoundRecords::kMaxRecords + 7; ++i)
            body.push_back("line " + std::to_string(i));
        file.WriteSection(kRecordsSection, body);
        ASSERT_EQ(file.Close(), 0);
    }
    const TDataFile capped(path, reporter, SystemDriveTypes(), SystemFileSystem(),
                           TRoundRecords::Caps());
    ASSERT_EQ(capped.Lines().size(), 1u + TRoundRecords::kMaxRecords);
    EXPECT_EQ(capped.Lines()[1], "line 7");
    EXPECT_EQ(TDataFile(path, reporter).Lines().size(), 1u + TRoundRecords::kMaxRecords + 7);
    TRoundRecords records;
    ASSERT_TRUE(records.LoadFromFile(path, reporter));
    EXPECT_EQ(records.ToStrings().front(), QStringLiteral("line 7"));
}

TEST(RoundRecords, ALineThatIsNoRecordIsKeptButCountsForNothing) {
    TRoundRecords records;
    records.FromStrings({Round(0, 1, 1, 1, R::Ok, 1).ToText(), QStringLiteral("花子=broken"),
                         Round(0, 2, 1, 1, R::Wrong, 2).ToText()});
    EXPECT_EQ(records.Count(), 3);
    EXPECT_FALSE(records.Items(1));
    EXPECT_EQ(records.OfPlayer(QStringLiteral("花子")).size(), 2u);
    EXPECT_TRUE(records.OfPlayer(QStringLiteral("花")).empty());  // a name is matched whole
}

TEST(RoundStatistics, FromAFixedListOfRounds) {
    const std::vector<TRoundRecord> rounds = {
        Round(0, 51, 1, 1, R::Ok, 30000),     Round(0, 52, 2, 2, R::Wrong, 5000),
        Round(0, 51, 2, 2, R::Ok, 40000),     Round(0, 52, 3, 3, R::Ok, 20000),
        Round(0, 53, 3, 3, R::Ok, 10000),  // arrives: a journey finished
        Round(1, 0, 4, 4, R::Timeout, 64000), Round(1, 0, 4, 5, R::GaveUp, 70000),
        Round(1, 0, 4, 4, R::Ok, 50000),      Round(1, 1, 2, 2, R::Ok, 60000),
    };
    const TPlayerStatistics s = ComputeStatistics(rounds, 1, 2);
    EXPECT_EQ(s.All, (TTally{9, 6}));
    EXPECT_EQ(s.PerLevel[0], (TTally{5, 4}));
    EXPECT_EQ(s.PerLevel[1], (TTally{4, 2}));
    EXPECT_EQ(s.PerLevel[2], (TTally{0, 0}));
    EXPECT_EQ(s.PerTechnique[2], (TTally{3, 2}));
    EXPECT_EQ(s.PerTechnique[4], (TTally{2, 1}));
    EXPECT_EQ(s.PerTechnique[5], (TTally{1, 0}));
    EXPECT_DOUBLE_EQ(s.PerTechnique[2].Share(), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(s.PerLevel[2].Share(), 0.0);
    // Times of successes only: kind 2 had 40 s and 60 s, kind 3 had 20 s and 10 s.
    // Rounds of each kind; of an even count of successes the median is the mean of the middle two.
    EXPECT_EQ(s.PerKind[2], (TKindTimes{3, 2, 40000, 50000}));
    EXPECT_EQ(s.PerKind[3], (TKindTimes{2, 2, 10000, 15000}));
    EXPECT_EQ(s.PerKind[4], (TKindTimes{3, 1, 50000, 50000}));
    EXPECT_EQ(s.PerKind[6], TKindTimes{});
    const std::vector<TRoundRecord> four = {
        Round(2, 9, 5, 5, R::Ok, 36700), Round(2, 9, 5, 5, R::Ok, 11800),
        Round(2, 9, 5, 5, R::Ok, 38400), Round(2, 9, 5, 5, R::Ok, 20500)};
    EXPECT_EQ(ComputeStatistics(four, 2, 9).PerKind[5].MedianMs, 28600);
    EXPECT_EQ(s.LongestRun, 3);
    EXPECT_EQ(s.CurrentRun, 2);
    EXPECT_EQ(s.JourneysFinished, 1);

    const std::vector<TChartPoint> times = RoundTimes(rounds, 3);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_DOUBLE_EQ(times[0].X, 1);
    EXPECT_DOUBLE_EQ(times[0].Y, 70.0);
    EXPECT_DOUBLE_EQ(times[2].Y, 60.0);
    // The journey at level 1: stations 0, 0, 0, 1 before its rounds, 2 now.
    const std::vector<TChartPoint> stations = JourneyStations(rounds, 1, 2);
    std::vector<double> ys;
    for (const TChartPoint& p : stations)
        ys.push_back(p.Y);
    EXPECT_EQ(ys, (std::vector<double>{0, 0, 0, 1, 2}));
    EXPECT_EQ(ComputeStatistics({}, 0, 0).All, TTally{});
}

// Practice rounds, wherever they come among the journey's, change none of the journey's
// figures, and are counted per technique on their own.
TEST(RoundStatistics, PracticeCountsApartFromTheJourney) {
    const std::vector<TRoundRecord> journey = {
        Round(1, 20, 4, 4, R::Ok, 30000), Round(1, 21, 4, 5, R::Ok, 50000),
        Round(1, 22, 5, 5, R::Wrong, 9000), Round(1, 21, 2, 2, R::Ok, 20000)};
    const std::vector<TRoundRecord> practice = {
        Round(1, 22, 0, 4, R::Wrong, 2000),  Round(1, 22, 0, 4, R::Ok, 40000),
        Round(1, 22, 0, 4, R::Hinted, 1000), Round(1, 22, 0, 4, R::Ok, 10000),
        Round(1, 22, 0, 9, R::Hinted, 5000), Round(1, 54, 0, 9, R::Ok, 70000)};
    // Two journey rounds, a practice round after each (the wrong one breaks no run), the rest.
    std::vector<TRoundRecord> mixed = {journey[0], practice[0], journey[1], practice[1]};
    mixed.insert(mixed.end(), practice.begin() + 2, practice.end());
    mixed.insert(mixed.end(), journey.begin() + 2, journey.end());
    const TPlayerStatistics s = ComputeStatistics(mixed, 1, 22);
    const TPlayerStatistics j = ComputeStatistics(journey, 1, 22);
    EXPECT_EQ(s.All, j.All);
    EXPECT_EQ(s.PerLevel, j.PerLevel);
    EXPECT_EQ(s.PerTechnique, j.PerTechnique);
    EXPECT_EQ(s.PerKind, j.PerKind);
    EXPECT_EQ(s.LongestRun, 2);
    EXPECT_EQ(s.CurrentRun, j.CurrentRun);
    const auto ys = [](const std::vector<TChartPoint>& points) {
        std::vector<double> y;
        for (const TChartPoint& p : points)
            y.push_back(p.Y);
        return y;
    };
    EXPECT_EQ(ys(RoundTimes(mixed)), ys(RoundTimes(journey)));
    EXPECT_EQ(ys(JourneyStations(mixed, 1, 22)), (std::vector<double>{20, 21, 22, 21, 22}));

    const TPracticeStatistics p = ComputePracticeStatistics(mixed);
    // The median of the unaided successes only: 10 s and 40 s.
    EXPECT_EQ(p[4], (TPracticeTimes{4, 2, 1, 1, 25000}));
    EXPECT_EQ(p[9], (TPracticeTimes{2, 1, 0, 1, 70000}));
    EXPECT_EQ(p[5], TPracticeTimes{});
    EXPECT_EQ(ComputePracticeStatistics(journey)[4], TPracticeTimes{});
}

TEST(RoundStatistics, JourneysFinishedComeFromWhereThePlayerStands) {
    struct Case {
        int level, station, finished;
    };
    // Without records: a file from before records were kept, or an arrival lost to a round
    // played at the destination (the records then count a success from 53 that no longer
    // stands).
    const std::vector<TRoundRecord> lostArrival = {Round(0, 53, 2, 2, R::Ok, 1000),
                                                   Round(0, 54, 2, 2, R::Wrong, 1000)};
    for (const Case& c : {Case{0, 0, 0}, Case{0, 54, 1}, Case{1, 0, 1}, Case{2, 54, 3}}) {
        EXPECT_EQ(ComputeStatistics({}, c.level, c.station).JourneysFinished, c.finished);
    }
    EXPECT_EQ(ComputeStatistics(lostArrival, 0, 53).JourneysFinished, 0);
}

TEST(RoundStatistics, AxesTickAtNumbersAReaderCanTrust) {
    struct Case {
        double low, high;
        bool whole;
        TAxisTicks ticks;
    };
    const Case cases[] = {
        {1, 3, true, {1, 3, 1}},  // three rounds: 1, 2, 3, never 1.5
        {1, 2, true, {1, 2, 1}},          {1, 100, true, {0, 100, 20}},  // the last hundred rounds
        {0, 54, true, {0, 60, 10}},                                      // stations
        {0, 10, false, {0, 10, 2}},                                      // seconds
        {0, 12.3, false, {0, 12.5, 2.5}},                                // 0, 2.5, 5, 7.5, 10, 12.5
    };
    for (const Case& c : cases) {
        const TAxisTicks t = NiceTicks(c.low, c.high, c.whole);
        EXPECT_DOUBLE_EQ(t.Low, c.ticks.Low) << c.low << " " << c.high;
        EXPECT_DOUBLE_EQ(t.High, c.ticks.High) << c.low << " " << c.high;
        EXPECT_DOUBLE_EQ(t.Step, c.ticks.Step) << c.low << " " << c.high;
    }
}

TEST(RoundStatistics, ARecordOutsideTheRangesCountsForNothing) {
    const std::vector<TRoundRecord> rounds = {Round(0, 1, 2, 1, R::Ok, -5),
                                              Round(0, 1, 0, 1, R::Ok, 7000),
                                              Round(0, 1, 2, 1, R::Ok, 3000)};
    const TPlayerStatistics s = ComputeStatistics(rounds, 0, 1);
    EXPECT_EQ(s.All, (TTally{1, 1}));
    EXPECT_EQ(s.PerKind[2], (TKindTimes{1, 1, 3000, 3000}));
    EXPECT_EQ(s.LongestRun, 1);
}
