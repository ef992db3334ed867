#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "bms/layout_check.h"
#include "reader_test_support.h"
#include "support/test_support.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

using namespace reader_test;
using Kind = SourceFinding::Kind;

// "LINE KIND SPELLED" for each finding of the chart read from text.
std::vector<std::string> findingsOf(std::string_view text)
{
    const auto document = readChart(text);
    std::vector<std::string> found;
    for (const SourceFinding& finding : findUnkeepableConstructs(*document)) {
        found.push_back(std::to_string(finding.line) + ' ' + std::to_string(static_cast<int>(finding.kind)) + ' '
            + finding.spelled);
    }
    return found;
}

std::string finding(int line, Kind kind, const std::string& spelled)
{
    return std::to_string(line) + ' ' + std::to_string(static_cast<int>(kind)) + ' ' + spelled;
}

TEST(SourceFindings, DataLinesWithObjectsOffTheTickGrid)
{
    // Measure 1 is 144 ticks long; measure 2 is standard.
    const std::string head = "#00102:0.375\n";
    // 192 slots in 144 ticks, with an object anywhere: other channels drop the line,
    // channel 01 lets objects share ticks.
    EXPECT_THAT(findingsOf(head + "#00111:" + std::string(382, '0') + "01\n"),
        ElementsAre(finding(2, Kind::OffGridObjects, "#00111")));
    EXPECT_THAT(findingsOf(head + "#00101:01" + std::string(382, '0') + "\n"),
        ElementsAre(finding(2, Kind::OffGridObjects, "#00101")));
    // Only empty objects lose nothing.
    EXPECT_THAT(findingsOf(head + "#00111:" + std::string(384, '0') + "\n"), IsEmpty());
    // Five slots in 384 ticks: slot 1 lies at 76.8 ticks, slot 0 and slot 5 of ten on ticks.
    EXPECT_THAT(findingsOf("#00211:0001000000\n#00311:0100000000\n#00411:00000000000000000000\n"),
        ElementsAre(finding(1, Kind::OffGridObjects, "#00211")));
    // Seven slots in 144 ticks fall between ticks; three do not.
    EXPECT_THAT(findingsOf(head + "#00111:01010101010101\n#00111:010203\n"),
        ElementsAre(finding(2, Kind::OffGridObjects, "#00111")));
    // Objects in a measure of no ticks.
    EXPECT_THAT(findingsOf("#00102:0\n#00111:01\n"), ElementsAre(finding(2, Kind::OffGridObjects, "#00111")));
}

// Players take the pairs of a data line and ignore a stray last character: so does the
// reader, and it says so.
TEST(SourceFindings, DataLinesWithAStrayLastCharacter)
{
    const std::string chart = "#WAV01 a.wav\n#00111:01020\n#00211:0102 \n#00311:010Z0\t\n";
    EXPECT_THAT(
        findingsOf(chart), ElementsAre(finding(2, Kind::OddLength, "#00111"), finding(4, Kind::OddLength, "#00311")));
    const std::unique_ptr<BmsBms> document = readChart(chart);
    EXPECT_EQ(objectAt(*document, "11", 384), "01");
    EXPECT_EQ(objectAt(*document, "11", 384 + 192), "02");
    EXPECT_EQ(objectAt(*document, "11", 3 * 384 + 192), "0Z");
    EXPECT_EQ(document->editState().source()->references.wav[BmsWord("02").value()], 2);
}

TEST(SourceFindings, MeasureLengthsThatAreNoWholeNumberOfTicks)
{
    EXPECT_THAT(findingsOf("#00102:0.1\n#00202:0.130208333333333\n#00302:0.130209\n#00402:0.13021\n"),
        ElementsAre(finding(1, Kind::InexactLength, "#00102:0.1"), finding(4, Kind::InexactLength, "#00402:0.13021")));
}

TEST(SourceFindings, TheFirstControlFlowLineAndTheFirstOtherAndDisagreeingBasesWithTheirLines)
{
    EXPECT_THAT(findingsOf("#TITLE a\n#BASE 62\n#RANDOM 2\n#IF 1\n#ENDIF\n#RANDOM 3\n#BASE 16\n#BASE 8\n"),
        ElementsAre(finding(3, Kind::ControlFlow, "#RANDOM"), finding(7, Kind::ConflictingBase, "#BASE 16"),
            finding(7, Kind::UnkeptBase, "#BASE 16")));
    EXPECT_THAT(findingsOf("#base 36\n#RANDOMIZE 1\n"), IsEmpty());
}

TEST(SourceFindings, EveryOccurrenceInTheTextCountsAsAReference)
{
    // Measure 1 is 3 ticks: its 4-object line is dropped; the later 02 line overrides 01.
    const auto document = readChart("#LNOBJ zz\n#lnobj 0A\n#BGA05 03 0 0 1 1 0 0\n#@BGA06 03 0 0 1 1 0 0\n"
                                    "#00102:0.0078125\n#00111:01010101\n#00211:01\n#00211:02\n#00101:0203\n"
                                    "#00204:06\n#00208:07\n");
    const ChartSource& source = *document->editState().source();
    EXPECT_EQ(source.references.wav[BmsWord("01").value()], 5);
    EXPECT_EQ(source.references.wav[BmsWord("02").value()], 2);
    EXPECT_EQ(source.references.wav[BmsWord("03").value()], 1);
    EXPECT_EQ(source.references.wav[BmsWord("ZZ").value()], 1);
    EXPECT_EQ(source.references.wav[BmsWord("0A").value()], 1);
    EXPECT_EQ(source.references.bmp[BmsWord("03").value()], 2);
    EXPECT_EQ(source.references.bmp[BmsWord("06").value()], 1);
    EXPECT_EQ(source.references.bmp[BmsWord("07").value()], 0); // channel 08 is no BMP channel
}

TEST(SourceFindings, ImagePartKeysStartWithAnAtSign)
{
    const auto document = readChart("#@BGA01 02 0 0 8 8 0 0\n");
    EXPECT_STREQ(document->headerTable()->get("@BGA01"), "02 0 0 8 8 0 0");
    EXPECT_EQ(readFailure("#@\n"), (ReadFailure { 0, 2 }));
}

} // namespace
