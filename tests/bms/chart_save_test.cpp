#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "bms/chart_save.h"
#include "bms/memory_save.h"
#include "bms/parse_result.h"
#include "bms/reader_test_support.h"

namespace {

constexpr const char* kRandomChart = "#WAV01 a.wav\n#RANDOM 2\n#IF 1\n#00111:01\n#ENDIF\n";
constexpr const char* kPlainChart = "#WAV01 a.wav\n#00111:01\n";

// The question is asked only about what the layout would lose; a no writes nothing and
// leaves the chart's own text; a failed write is reported with code 4 and changes nothing.
TEST(ChartSave, AsksAboutLossesThenWritesAndAdoptsTheWrittenText)
{
    struct Case {
        const char* name;
        const char* chart;
        SaveLayout layout;
        bool answer;
        bool writeFails;
        std::size_t questionLines; // findings in the question, 0 when not asked
        SaveOutcome outcome;
    };
    const Case cases[] = {
        { "nothing lost", kPlainChart, SaveLayout::Normalised, false, false, 0, SaveOutcome::Written },
        { "lost, answered no", kRandomChart, SaveLayout::Normalised, false, false, 1, SaveOutcome::Declined },
        { "lost, answered yes", kRandomChart, SaveLayout::Normalised, true, false, 1, SaveOutcome::Written },
        { "kept by the layout", kRandomChart, SaveLayout::KeepText, false, false, 0, SaveOutcome::Written },
        { "write fails", kPlainChart, SaveLayout::KeepText, true, true, 0, SaveOutcome::Failed },
    };
    for (const Case& c : cases) {
        const std::unique_ptr<BmsBms> document = reader_test::readChart(c.chart);
        document->wavTable()->set(BmsWord("02"), "b.wav");
        const std::string before = document->editState().source()->text;
        memory_save::write("", "untouched");
        memory_save::setFailing(c.writeFails);
        lastParseResult().code = kResultBadObjectData;
        std::size_t asked = 0;
        const SaveOutcome outcome = saveChartFile(
            "memory", *document, c.layout,
            [&](const SaveLosses& losses) {
                asked = losses.findings.size();
                return c.answer;
            },
            memory_save::write);
        memory_save::setFailing(false);

        EXPECT_EQ(outcome, c.outcome) << c.name;
        EXPECT_EQ(asked, c.questionLines) << c.name;
        const std::string& ownText = document->editState().source()->text;
        if (outcome == SaveOutcome::Written) {
            EXPECT_EQ(memory_save::lastBytes(), savedText(*document, c.layout)) << c.name;
            EXPECT_EQ(ownText, memory_save::lastBytes()) << c.name;
            EXPECT_EQ(lastParseResult().code, kResultOk) << c.name;
        } else {
            EXPECT_EQ(memory_save::lastBytes(), "untouched") << c.name;
            EXPECT_EQ(ownText, before) << c.name;
        }
        if (outcome == SaveOutcome::Failed) {
            EXPECT_EQ(lastParseResult().code, kResultCannotOpen) << c.name;
        }
    }
}

} // namespace
