// Storage speed: the codec on 1 MiB of text, and saving and loading a data file of 10,000
// player lines (the save includes the flush to disk and keeping the old file as the backup).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

#include "storage/data_file.h"
#include "storage/delta_code.h"
#include "storage/text_form.h"

namespace {

class TSilentReporter final : public TStorageReporter {
  public:
    void Report(const std::string&) override {}
};

std::vector<std::string> PlayerLines(int count) {
    const char* const names[] = {"山田", "佐藤", "たかはし", "Suzuki", "髙﨑"};
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(std::string(names[i % 5]) + std::to_string(i) + "=" +
                        std::to_string(i % 3) + "," + std::to_string(i % 55) +
                        ",\"3 7 15 30 52\",2026/12/08 9:" + std::to_string(10 + i % 50) + ":01," +
                        std::to_string(i % 9));
    }
    return lines;
}

std::vector<std::uint8_t> OneMiBOfText() {
    std::vector<std::uint8_t> text;
    const auto block = text_form::Encode(PlayerLines(1000));
    while (text.size() < (1u << 20))
        text.insert(text.end(), block.begin(), block.end());
    text.resize(1u << 20);
    return text;
}

void BM_Encode1MiB(benchmark::State& state) {
    TDeltaCode codec;
    codec.DataStream() = OneMiBOfText();
    for (auto _ : state) {
        codec.Encode();
        benchmark::DoNotOptimize(codec.CodeStream().data());
    }
    state.SetBytesProcessed(state.iterations() * (1 << 20));
}
BENCHMARK(BM_Encode1MiB)->Unit(benchmark::kMillisecond);

void BM_Decode1MiB(benchmark::State& state) {
    TDeltaCode codec;
    codec.DataStream() = OneMiBOfText();
    codec.Encode();
    for (auto _ : state) {
        if (!codec.Decode()) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(codec.DataStream().data());
    }
    state.SetBytesProcessed(state.iterations() * (1 << 20));
}
BENCHMARK(BM_Decode1MiB)->Unit(benchmark::kMillisecond);

void BM_SaveDataFile10000Lines(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("senkaro.ini").toStdString();
    TSilentReporter reporter;
    const auto lines = PlayerLines(10000);
    for (auto _ : state) {
        TDataFile file(path, reporter);
        file.WriteSection("userdata", lines);
        file.Close();
    }
}
BENCHMARK(BM_SaveDataFile10000Lines)->Unit(benchmark::kMillisecond);

void BM_LoadDataFile10000Lines(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("senkaro.ini").toStdString();
    TSilentReporter reporter;
    {
        TDataFile file(path, reporter);
        file.WriteSection("userdata", PlayerLines(10000));
        file.Close();
    }
    for (auto _ : state) {
        const TDataFile file(path, reporter);
        std::vector<std::string> lines;
        file.ReadSection("userdata", lines);
        if (lines.size() != 10000) state.SkipWithError("lines lost");
    }
}
BENCHMARK(BM_LoadDataFile10000Lines)->Unit(benchmark::kMillisecond);

}  // namespace
