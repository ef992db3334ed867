#include <gtest/gtest.h>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "round_trip_chart_generator.h"
#include "round_trip_model_comparison.h"
#include "support/test_support.h"

namespace {

constexpr int kChartCount = 300;

class RoundTrip : public ::testing::Test {
protected:
    RoundTrip()
    {
        reader.setNoticeSink([](const char*) {});
    }

    std::unique_ptr<BmsBms> read(const std::string& bytes)
    {
        std::unique_ptr<BmsBms> document;
        return reader.readBytes(bytes, document) ? std::move(document) : nullptr;
    }

    BmsReader reader;
};

TEST_F(RoundTrip, ReadingWhatWasWrittenGivesTheSameDocumentAndTheSameBytes)
{
    int accepted = 0;
    for (int seed = 1; seed <= kChartCount; ++seed) {
        SCOPED_TRACE("chart seed " + std::to_string(seed));
        const std::unique_ptr<BmsBms> original = read(randomChartText(seed));
        if (!original)
            continue;
        ++accepted;
        const std::string written = chartText(*original);
        const std::unique_ptr<BmsBms> reread = read(written);
        ASSERT_TRUE(reread) << "written chart rejected";
        ASSERT_TRUE(sameDocument(*original, *reread));
        ASSERT_EQ(chartText(*reread), written);
        // The normalised text puts every object on a tick and every length on whole ticks.
        for (const SourceFinding& finding : findUnkeepableConstructs(*reread)) {
            ASSERT_TRUE(
                finding.kind == SourceFinding::Kind::ControlFlow || finding.kind == SourceFinding::Kind::UnkeptBase)
                << finding.spelled;
        }
    }
    // Most generated charts are meant to be read; a few carry a rejected line.
    EXPECT_GT(accepted, kChartCount * 9 / 10);
}

TEST_F(RoundTrip, TheWorkedExampleIsAFixedPoint)
{
    const std::string bytes = readFileBytes(testDataPath("writer/worked_example.bms"));
    const std::unique_ptr<BmsBms> document = read(bytes);
    ASSERT_TRUE(document);
    EXPECT_EQ(chartText(*document), bytes);
}

} // namespace
