// The game's data file with its records: loading and saving a file of 100 players and 20,000
// round records, as the game does at start-up and after every round; and opening a file whose
// records section holds a million lines, written by another tool.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <filesystem>

#include "journey/round_records.h"
#include "journey/senkaro_user.h"
#include "storage/compress_string_list.h"
#include "storage/data_file.h"
#include "storage/storage_reporter.h"

namespace {

class TSilentReporter final : public TStorageReporter {
  public:
    void Report(const std::string&) override {}
};

struct TGameFile {
    QTemporaryDir folder;
    std::string name = folder.filePath(QStringLiteral("senkaro.ini")).toStdString();
    TSenkaroUsers users;
    TRoundRecords records;
    TSilentReporter reporter;

    TGameFile() {
        for (int p = 0; p < 100; ++p) {
            const int index = users.Add(QStringLiteral("旅人%1").arg(p));
            users.Items(index).Station = p % 55;
            users.Items(index).Checkpoints = QStringLiteral("3,9,17,25,33,41,52");
        }
        for (int i = 0; i < TRoundRecords::kMaxRecords; ++i) {
            TRoundRecord r;
            r.Name = QStringLiteral("旅人%1").arg(i % 100);
            r.When = 46000.5 + i / 1000.0;
            r.Level = i % 3;
            r.Station = i % 54;
            r.Kind = 1 + i % 6;
            r.Technique = i % 10;
            r.Result = static_cast<TRoundResult>(i % 4);
            r.Ms = 1000 + i;
            records.Add(r);
        }
        Save();
    }
    void Save() {
        users.SaveToFile(name, kUsersSection, reporter);
        records.SaveToFile(name, reporter);
    }
    void Load() {
        users.LoadFromFile(name, kUsersSection, reporter);
        records.LoadFromFile(name, reporter);
    }
};

// The file read once and written once with both sections, as a save that keeps the players
// and the records together does.
void BM_LoadAndSaveGameFileInOneSession(benchmark::State& state) {
    TGameFile game;
    for (auto _ : state) {
        TDataFile file(game.name, game.reporter);
        QStringList players;
        file.ReadSection(kUsersSection, players);
        game.users.FromStrings(players);
        game.records.ReadFrom(file);
        file.WriteSection(kUsersSection, game.users.ToStrings());
        game.records.WriteTo(file);
        file.Close();
    }
}
BENCHMARK(BM_LoadAndSaveGameFileInOneSession)->Unit(benchmark::kMillisecond);

void BM_LoadAndSaveGameFile(benchmark::State& state) {
    TGameFile game;
    for (auto _ : state) {
        game.Load();
        game.Save();
    }
    state.counters["records"] = game.records.Count();
}
BENCHMARK(BM_LoadAndSaveGameFile)->Unit(benchmark::kMillisecond);

// 100 players and a records section of a million lines, as another tool may write it.
struct TMillionRecordsFile {
    QTemporaryDir folder;
    std::string name = folder.filePath(QStringLiteral("senkaro.ini")).toStdString();
    std::string original = folder.filePath(QStringLiteral("other-tool.ini")).toStdString();
    TSilentReporter reporter;

    TMillionRecordsFile() {
        TCompressStringList file(reporter);
        auto& lines = file.Lines();
        lines.push_back("[userdata]");
        for (int p = 0; p < 100; ++p)
            lines.push_back("旅人" + std::to_string(p) + "=1," + std::to_string(p % 55) +
                            ",\"3,9,17,25,33,41,52\",\"2026/12/08 9:05:07\",3");
        lines.push_back("[records]");
        const char* const results[] = {"ok", "wrong", "timeout", "gaveup"};
        for (int i = 0; i < 1000000; ++i)
            lines.push_back("旅人" + std::to_string(i % 100) + "=2026/12/" +
                            std::to_string(10 + i % 18) + " " + std::to_string(i % 24) + ":" +
                            std::to_string(10 + i % 50) + ":" + std::to_string(10 + i * 7 % 50) +
                            "," + std::to_string(i % 3) + "," + std::to_string(i % 54) + "," +
                            std::to_string(1 + i % 6) + "," + std::to_string(i % 10) + "," +
                            results[i % 4] + "," + std::to_string(1000 + i % 500000));
        file.SaveToFile(original);
        Restore();
    }

    // The file as the other tool wrote it: opening it writes back its last records, the file
    // as it was becoming the backup.
    void Restore() const {
        std::filesystem::copy_file(original, name,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(name + ".bak");
        std::filesystem::remove(name + ".bak2");
    }
};

// The game's start: the players and the records in one read of the file.
void BM_OpenWithAMillionRecords(benchmark::State& state) {
    TMillionRecordsFile file;
    TSenkaroUsers users;
    TRoundRecords records;
    for (auto _ : state) {
        state.PauseTiming();
        file.Restore();
        state.ResumeTiming();
        users.LoadFromFile(
            file.name, kUsersSection, file.reporter,
            [&](const TDataFile& data) { records.ReadFrom(data); }, SystemFileSystem(),
            TRoundRecords::Caps());
    }
    state.counters["players"] = users.Count();
    state.counters["records"] = records.Count();
}
BENCHMARK(BM_OpenWithAMillionRecords)->Unit(benchmark::kMillisecond);

// The players, then the records, each loaded on its own.
void BM_OpenWithAMillionRecordsInTwoReads(benchmark::State& state) {
    TMillionRecordsFile file;
    TSenkaroUsers users;
    TRoundRecords records;
    for (auto _ : state) {
        state.PauseTiming();
        file.Restore();
        state.ResumeTiming();
        users.LoadFromFile(file.name, kUsersSection, file.reporter);
        records.LoadFromFile(file.name, file.reporter);
    }
    state.counters["players"] = users.Count();
    state.counters["records"] = records.Count();
}
BENCHMARK(BM_OpenWithAMillionRecordsInTwoReads)->Unit(benchmark::kMillisecond);

}  // namespace
