#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/chunked_saving.h"
#include "bms/layout_comparison.h"
#include "bms/layout_keeping_writer.h"
#include "bms/round_trip_chart_generator.h"
#include "editing/chart_edits.h"
#include "support/test_support.h"

namespace {

constexpr int kGeneratedCharts = 25;
constexpr std::size_t kChunkSizes[] = { 3, 64 };

// Every edit of both kinds on the chart: the kept text changes only what the edit changed,
// and reads as the model of the edit. Both layouts come out the same in chunks too, of a
// size that ends them in the middle of lines and of line breaks.
void checkEveryEdit(const std::string& text, const std::string& label)
{
    BmsReader reader;
    reader.setNoticeSink({});
    for (DefinitionKind kind : kDefinitionKinds) {
        for (const ChartEdit& edit : everyChartEdit()) {
            SCOPED_TRACE(label + ": " + kindKeyword(kind) + " " + edit.name);
            std::unique_ptr<BmsBms> document;
            ASSERT_TRUE(reader.readBytes(text, document));
            RecordingPage page(*document, kind);
            ListExchanger plan;
            edit.run(page, plan);
            const std::string kept = layoutKeepingText(*document);
            ASSERT_EQ(layoutChangeOutsideIndices(text, kept), "");
            std::unique_ptr<BmsBms> reread;
            ASSERT_TRUE(reader.readBytes(kept, reread));
            ASSERT_EQ(chartText(*reread), chartText(*document));
            for (const std::size_t chunkSize : kChunkSizes) {
                ASSERT_EQ(savedInChunks(*document, SaveLayout::KeepText, chunkSize), kept);
                ASSERT_EQ(savedInChunks(*document, SaveLayout::Normalised, chunkSize), chartText(*document));
            }
        }
    }
}

TEST(LayoutKeepingProperty, EveryEditOfEveryTestChartChangesOnlyWhatItChanged)
{
    for (const std::filesystem::path& path : everyTestChart()) {
        if (readChartFile(path))
            checkEveryEdit(readFileBytes(path.string()), path.string());
    }
}

TEST(LayoutKeepingProperty, EveryEditOfGeneratedChartsChangesOnlyWhatItChanged)
{
    BmsReader reader;
    reader.setNoticeSink({});
    for (int seed = 1; seed <= kGeneratedCharts; ++seed) {
        const std::string text = randomChartText(static_cast<std::uint64_t>(seed));
        std::unique_ptr<BmsBms> document;
        // Appended, which GCC 12 does not take for an overlapping copy as it does "..." + text.
        std::string label = "chart seed ";
        label += std::to_string(seed);
        if (reader.readBytes(text, document))
            checkEveryEdit(text, label);
    }
}

} // namespace
