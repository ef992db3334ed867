#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/chart_save.h"
#include "editing/definition_operations.h"
#include "heavy_chart.h"
#include "model/object_storage.h"
#include "platform/file_replace.h"

namespace {

std::unique_ptr<BmsBms> heavyChart(benchmark::State& state, const std::string& text)
{
    BmsReader reader;
    reader.setNoticeSink({});
    std::unique_ptr<BmsBms> document;
    if (!reader.readBytes(text, document)) {
        state.SkipWithError("the heavy chart did not read");
    }
    return document;
}

void reportBytes(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["chart_MB"] = static_cast<double>(bytes) / 1e6;
}

// The normalised text of the heavy chart of range(0) measures, in memory.
void BM_ChartTextHeavyChart(benchmark::State& state)
{
    HeavyChartShape shape;
    shape.measures = static_cast<int>(state.range(0));
    const auto document = heavyChart(state, heavyChartText(shape));
    if (!document) {
        return;
    }
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = chartText(*document);
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    reportBytes(state, size);
}
BENCHMARK(BM_ChartTextHeavyChart)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);

// Saving the full heavy chart as the tool does: the text made in chunks, each written to
// the temporary file as it comes, the flush to the disk, and the replacement of the
// previous save.
void BM_WriteHeavyChart(benchmark::State& state)
{
    const auto document = heavyChart(state, heavyChartText());
    if (!document) {
        return;
    }
    const std::string path = "quelmarn-heavy-chart-written.bms";
    for (auto _ : state) {
        const bool saved = replaceFileContentInPieces(path.c_str(), [&](const ContentPieceWriter& writePiece) {
            ChunkedOutput out(writePiece);
            writeChartText(*document, out);
            return out.finish();
        });
        if (!saved) {
            state.SkipWithError("the heavy chart could not be saved");
            break;
        }
    }
    std::remove(path.c_str());
    reportBytes(state, chartText(*document).size());
}
BENCHMARK(BM_WriteHeavyChart)->Unit(benchmark::kMillisecond);

// Reading the heavy chart from memory and writing its normalised text.
void BM_ReadWriteHeavyChart(benchmark::State& state)
{
    const std::string text = heavyChartText();
    const SpareObjectBlocks spareBlocks; // as a reading thread of the tool keeps them
    BmsReader reader;
    reader.setNoticeSink({});
    for (auto _ : state) {
        std::unique_ptr<BmsBms> document;
        if (!reader.readBytes(text, document)) {
            state.SkipWithError("the heavy chart did not read");
            break;
        }
        const std::string written = chartText(*document);
        benchmark::DoNotOptimize(written.data());
    }
    reportBytes(state, text.size());
}
BENCHMARK(BM_ReadWriteHeavyChart)->Unit(benchmark::kMillisecond);

// A page of the WAV table with nothing selected, whose refreshes cost nothing.
class WholeWavTable : public DefinitionPage {
public:
    explicit WholeWavTable(BmsBms& document)
        : document_(document)
    {
    }
    BmsBms& document() override { return document_; }
    DefinitionKind kind() const override { return kKindWav; }
    bool isSelected(int) override { return false; }
    void select(int) override { }
    int caretRow() override { return 0; }
    void refreshRow(int) override { }
    void refreshAll() override { }

private:
    BmsBms& document_;
};

// The text that a save writes after compacting the full heavy chart, whose sounds start at
// 02 so that every WAV index moves: range(0) 0 normalised, 1 keeping the chart's own text;
// range(1) the base (in base 62 with its 3843 sounds).
void BM_SavedTextAfterCompact(benchmark::State& state)
{
    HeavyChartShape shape = state.range(1) == IndexBase::kCaseSensitiveRadix ? heavyBase62Shape() : HeavyChartShape {};
    shape.firstSound = 2;
    const auto document = heavyChart(state, heavyChartText(shape));
    if (!document) {
        return;
    }
    WholeWavTable page(*document);
    ListExchanger plan;
    compactIndices(page, plan);
    const SaveLayout layout = state.range(0) == 0 ? SaveLayout::Normalised : SaveLayout::KeepText;
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = savedText(*document, layout);
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    reportBytes(state, size);
}
BENCHMARK(BM_SavedTextAfterCompact)
    ->ArgNames({ "keep_text", "base" })
    ->ArgsProduct({ { 0, 1 }, { 36, 62 } })
    ->Unit(benchmark::kMillisecond);

} // namespace
