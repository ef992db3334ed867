#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

#include "reader_test_support.h"

namespace {

using namespace reader_test;

using Notices = std::vector<std::string>;

constexpr int kMeasure = BmsBar::kStandardTicks;

TEST(ReaderSyntax, EmptyInputReadsIntoAnEmptyDocument)
{
    for (const char* text : { "", "comment\n\n  * also ignored\nlast line without a line end" }) {
        const ReadOutcome read = readChartText(text);
        ASSERT_TRUE(read.ok) << text;
        EXPECT_EQ(read.document->lineCount(), 0);
        EXPECT_EQ(read.document->headerTable()->count(), 0);
        EXPECT_EQ(read.document->measureLength(0).ticks(), kMeasure);
        EXPECT_EQ(lastParseResult().code, kResultOk);
    }
}

TEST(ReaderSyntax, IgnoresAWholeFirstLineThatStartsWithAByteOrderMark)
{
    const auto document = readChart("\xEF\xBB\xBF#TITLE lost\n#ARTIST kept\n");
    EXPECT_EQ(document->headerTable()->find("TITLE"), nullptr);
    EXPECT_STREQ(document->headerTable()->get("ARTIST"), "kept");
}

TEST(ReaderSyntax, DropsAKeyWithoutValue)
{
    const auto document = readChart("#TITLE\n#GENRE \t \n  #ARTIST a\n");
    EXPECT_EQ(document->headerTable()->count(), 1);
    EXPECT_STREQ(document->headerTable()->get("ARTIST"), "a");
}

TEST(ReaderSyntax, StoresTheValueWithInnerAndTrailingBlanksUnderAnUpperCaseKey)
{
    const auto document = readChart("#title  My Song  \n");
    const BmsHeaderOne* entry = document->headerTable()->find("TITLE");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->key(), "TITLE");
    EXPECT_STREQ(entry->value(), "My Song  ");
}

TEST(ReaderSyntax, PassesEightBitTextsThroughByteForByte)
{
    const auto document = readChart("#TITLE \x83\x65\x83\x58\x83\x67\xFF\n#WAV01 \x89\xB9.wav\n");
    EXPECT_STREQ(document->headerTable()->get("TITLE"), "\x83\x65\x83\x58\x83\x67\xFF");
    EXPECT_STREQ(document->wavTable()->get(BmsWord("01")), "\x89\xB9.wav");
}

TEST(ReaderSyntax, NulByteEndsATextAndALeadingOneDropsTheValue)
{
    using namespace std::string_view_literals;
    const ReadOutcome read = readChartText("#TITLE a\0b\n#GENRE \0x\n#WAV01 x\n#WAV01 \0\n#BMP01 \0\n"sv);
    ASSERT_TRUE(read.ok);
    EXPECT_STREQ(read.document->headerTable()->get("TITLE"), "a");
    EXPECT_EQ(read.document->headerTable()->find("GENRE"), nullptr);
    EXPECT_STREQ(read.document->wavTable()->get(BmsWord("01")), "x");
    EXPECT_FALSE(read.document->bmpTable()->has(BmsWord("01")));
    EXPECT_TRUE(read.notices.empty());
}

TEST(ReaderSyntax, RepeatedHeaderKeyKeepsTheLastValueWithoutNotice)
{
    const ReadOutcome read = readChartText("#BPM 120\n#bpm 150\n");
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.document->headerTable()->count(), 1);
    EXPECT_STREQ(read.document->headerTable()->get("BPM"), "150");
    EXPECT_TRUE(read.notices.empty());
}

TEST(ReaderSyntax, OverwrittenDefinitionKeepsTheLastNameAndSendsANotice)
{
    const ReadOutcome read = readChartText("#WAV01 a.wav\n#wav01 b.wav\n#BMP0Z x.bmp\n#bmp0z y.bmp\n#BMP10 z.bmp\n");
    ASSERT_TRUE(read.ok);
    EXPECT_STREQ(read.document->wavTable()->get(BmsWord("01")), "b.wav");
    EXPECT_STREQ(read.document->bmpTable()->get(BmsWord("0Z")), "y.bmp");
    EXPECT_EQ(read.notices, (Notices { "wavs overwrite\n", "bmps overwrite\n" }));
}

TEST(ReaderSyntax, DefinitionKeysNeedExactlyTwoIndexCharacters)
{
    const auto document = readChart("#WAV0a x.wav\n#WAV1 one\n#WAV012 three\n#BMPzz last.bmp\n");
    EXPECT_STREQ(document->wavTable()->get(BmsWord("0A")), "x.wav");
    EXPECT_STREQ(document->bmpTable()->get(BmsWord("ZZ")), "last.bmp");
    EXPECT_STREQ(document->headerTable()->get("WAV1"), "one");
    EXPECT_STREQ(document->headerTable()->get("WAV012"), "three");
    EXPECT_FALSE(document->wavTable()->has(BmsWord("01")));
}

TEST(ReaderSyntax, MeasureLengthIsTheNearestMultipleOfTheStandardLength)
{
    const auto document = readChart("#00102:0.75\n#00202:.5\n#00302:1\n#00302:0.5\n#00402:2\n#00502:0.001\n"
                                    "#00602:0.130208333333333\n#00702:0.002\n");
    EXPECT_EQ(document->measureLength(1).ticks(), 288);
    EXPECT_EQ(document->measureLength(2).ticks(), 192);
    EXPECT_EQ(document->measureLength(3).ticks(), 192); // "1" left the measure unset
    EXPECT_EQ(document->measureLength(4).ticks(), 768);
    EXPECT_EQ(document->measureLength(5).ticks(), 0); // 0.384 ticks
    EXPECT_EQ(document->measureLength(6).ticks(), 50); // 49.99999999999987 ticks
    EXPECT_EQ(document->measureLength(7).ticks(), 1); // 0.768 ticks
    EXPECT_EQ(document->lineCount(), 0);
}

TEST(ReaderSyntax, MeasureLengthsApplyToDataLinesBeforeThem)
{
    const auto document = readChart("#00111:01\n#00002:0.5\n");
    EXPECT_EQ(objectAt(*document, "11", 192), "01");
}

TEST(ReaderSyntax, DataLinesOfAChannelMergeWithoutWritingEmptyObjects)
{
    const auto document = readChart("#00111:0100\n#00111:0002\n#00111:000000000003  \t\n");
    EXPECT_EQ(document->lineCount(), 1);
    EXPECT_EQ(objectAt(*document, "11", kMeasure), "01");
    EXPECT_EQ(objectAt(*document, "11", kMeasure + 192), "02");
    EXPECT_EQ(objectAt(*document, "11", kMeasure + 320), "03");
    EXPECT_EQ(laneCount(*document, "11"), 1);
}

TEST(ReaderSyntax, ChannelsAreUpperCasedAndEveryOneIsKept)
{
    const auto document = readChart("#0011z:0z\n#00103:01\n#001a5:02\n");
    EXPECT_EQ(document->lineCount(), 3);
    EXPECT_EQ(objectAt(*document, "1Z", kMeasure), "0Z");
    EXPECT_EQ(objectAt(*document, "03", kMeasure), "01");
    EXPECT_EQ(objectAt(*document, "A5", kMeasure), "02");
}

TEST(ReaderSyntax, DropsADataLineWithMoreObjectsThanTicks)
{
    // Measure 0 is 3 ticks long.
    const auto document = readChart("#00002:0.0078125\n#00011:01020304\n");
    EXPECT_EQ(document->lineCount(), 0);
}

TEST(ReaderSyntax, ChannelOneLinesOfAMeasureGoIntoSuccessiveLanes)
{
    const auto document = readChart("#00101:01\n#00101:02\n#00101:0003\n#00201:04\n");
    EXPECT_EQ(document->lineCount(), 1);
    EXPECT_EQ(laneCount(*document, "01"), 3);
    EXPECT_EQ(objectAt(*document, "01", kMeasure, 0), "01");
    EXPECT_EQ(objectAt(*document, "01", kMeasure, 1), "02");
    EXPECT_EQ(objectAt(*document, "01", kMeasure + 192, 2), "03");
    // Lanes are counted per measure: the first line of measure 2 is in lane 0 again.
    EXPECT_EQ(objectAt(*document, "01", 2 * kMeasure, 0), "04");
}

TEST(ReaderSyntax, ChannelOneWritesEveryObjectAndTheLaterOneWinsATick)
{
    // Measure 0 is 3 ticks long; four objects share them.
    const auto document = readChart("#00002:0.0078125\n#00001:01\n#00001:01020304\n#00101:05\n#00101:00\n");
    EXPECT_EQ(objectAt(*document, "01", 0, 1), "02");
    EXPECT_EQ(objectAt(*document, "01", 1, 1), "03");
    EXPECT_EQ(objectAt(*document, "01", 2, 1), "04");
    EXPECT_EQ(objectAt(*document, "01", 3, 0), "05");
    EXPECT_EQ(laneCount(*document, "01"), 2);
}

TEST(ReaderSyntax, ChannelOneLineInAnEmptyMeasureStillTakesItsLane)
{
    const auto document = readChart("#00002:0\n#00001:01\n#00001:02\n#00101:03\n");
    EXPECT_EQ(laneCount(*document, "01"), 2);
    EXPECT_EQ(objectAt(*document, "01", 0, 0), "03");
    EXPECT_EQ(objectAt(*document, "01", 0, 1), "00");
}

TEST(ReaderSyntax, LinesStartingWithBlanksAreRead)
{
    const auto document = readChart(" \t#00111:01\n\t#TITLE t\n");
    EXPECT_EQ(objectAt(*document, "11", kMeasure), "01");
    EXPECT_STREQ(document->headerTable()->get("TITLE"), "t");
}

} // namespace
