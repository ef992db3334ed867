#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "bms/bms_reader.h"
#include "heavy_chart.h"
#include "model/object_storage.h"

namespace {

void reportChart(benchmark::State& state, const std::string& chart)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(chart.size()));
    state.counters["chart_MB"] = static_cast<double>(chart.size()) / 1e6;
}

// The heavy chart of range(0) measures from memory, in base range(1) (in base 62 with its
// 3843 sounds); destroying the document is not part of the read.
void BM_ReadHeavyChart(benchmark::State& state)
{
    HeavyChartShape shape = state.range(1) == IndexBase::kCaseSensitiveRadix ? heavyBase62Shape() : HeavyChartShape {};
    shape.measures = static_cast<int>(state.range(0));
    const std::string chart = heavyChartText(shape);
    const SpareObjectBlocks spareBlocks; // as a reading thread of the tool keeps them
    BmsReader reader;
    reader.setNoticeSink({});
    for (auto _ : state) {
        std::unique_ptr<BmsBms> document;
        if (!reader.readBytes(chart, document)) {
            state.SkipWithError("the heavy chart did not read");
            break;
        }
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    reportChart(state, chart);
}
BENCHMARK(BM_ReadHeavyChart)
    ->ArgNames({ "measures", "base" })
    ->Args({ 250, 36 })
    ->Args({ 500, 36 })
    ->Args({ 1000, 36 })
    ->Args({ 1000, 62 })
    ->Unit(benchmark::kMillisecond);

// The full heavy chart from a file (in the page cache after the first round).
void BM_ReadHeavyChartFile(benchmark::State& state)
{
    const std::string chart = heavyChartText();
    const std::string path = (std::filesystem::temp_directory_path() / "quelmarn-heavy-chart.bms").string();
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(chart.data(), 1, chart.size(), file);
        std::fclose(file);
    }
    const SpareObjectBlocks spareBlocks; // as a reading thread of the tool keeps them
    BmsReader reader;
    reader.setNoticeSink({});
    for (auto _ : state) {
        std::unique_ptr<BmsBms> document;
        if (!reader.read(path.c_str(), document)) {
            state.SkipWithError("the heavy chart file did not read");
            break;
        }
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    reportChart(state, chart);
}
BENCHMARK(BM_ReadHeavyChartFile)->Unit(benchmark::kMillisecond);

} // namespace
