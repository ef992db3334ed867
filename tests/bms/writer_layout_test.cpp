#include <gtest/gtest.h>

#include "bms/bms_writer.h"
#include "support/chart_building.h"
#include "support/test_support.h"

namespace {

constexpr int kMeasure = BmsBar::kStandardTicks;

TEST(WriterLayout, WritesTheWorkedExampleByteForByte)
{
    BmsBms document;
    document.headerTable()->set("TITLE", "Song");
    document.headerTable()->set("BPM", "150");
    document.wavTable()->set(BmsWord("01"), "a.wav");
    document.wavTable()->set(BmsWord("02"), "b.wav");
    document.bmpTable()->set(BmsWord("01"), "x.bmp");
    document.setMeasureLength(1, BmsBar(288));
    placeObject(document, "01", 0, "01");
    placeObject(document, "04", 0, "01");
    placeObject(document, "11", kMeasure + 192, "02");

    EXPECT_EQ(chartText(document), readFileBytes(testDataPath("writer/worked_example.bms")));
}

TEST(WriterLayout, WritesAnEmptyDocumentAsFourEmptyLines)
{
    BmsBms document;
    EXPECT_EQ(chartText(document), "\r\n\r\n\r\n\r\n");
}

TEST(WriterLayout, WritesTitleGenreArtistFirstThenBucketOrder)
{
    BmsBms document;
    BmsHeaderHash& headers = *document.headerTable();
    headers.set("PLAYER", "1");
    headers.set("GENRE", "g");
    headers.set("TITLE", "t");
    headers.set("ARTIST", "a");
    headers.set("BPM", "120");
    headers.set("PLAYLEVEL", "5");
    headers.set("RANK", "2");
    headers.set("TOTAL", "300");

    EXPECT_EQ(chartText(document), readFileBytes(testDataPath("writer/header_order.bms")));
}

TEST(WriterLayout, WritesTextsByteForByte)
{
    BmsBms document;
    // "曲名 " with its trailing blank, and a file name with a double-byte character.
    document.headerTable()->set("TITLE", "\x8b\xc8\x96\xbc ");
    document.headerTable()->set("EMPTY", "");
    document.wavTable()->set(BmsWord("0Z"), "\x89\xb9.wav");

    EXPECT_EQ(chartText(document), "#TITLE \x8b\xc8\x96\xbc \r\n#EMPTY \r\n\r\n#WAV0Z \x89\xb9.wav\r\n\r\n\r\n\r\n");
}

TEST(WriterLayout, WritesDefinitionsInIndexOrderSlot00Included)
{
    BmsBms document;
    document.bmpTable()->set(BmsWord("ZZ"), "z.bmp");
    document.bmpTable()->set(BmsWord("0A"), "a.bmp");
    document.bmpTable()->set(BmsWord("00"), "zero.bmp");
    document.bmpTable()->set(BmsWord("01"), "one.bmp");

    EXPECT_EQ(
        chartText(document), "\r\n\r\n#BMP00 zero.bmp\r\n#BMP01 one.bmp\r\n#BMP0A a.bmp\r\n#BMPZZ z.bmp\r\n\r\n\r\n");
}

TEST(WriterLayout, WritesEachMeasureOnItsCoarsestGrid)
{
    BmsBms document;
    placeObject(document, "11", 96, "0A");
    placeObject(document, "11", 288, "0B");
    placeObject(document, "12", kMeasure, "0C");
    placeObject(document, "13", 2 * kMeasure + 1, "0D");

    const std::string text = chartText(document);
    EXPECT_NE(text.find("\r\n\r\n#00011:000A000B\r\n\r\n#00112:0C\r\n\r\n#00213:"), std::string::npos);
    EXPECT_NE(text.find("#00213:000D" + std::string(2 * (kMeasure - 2), '0') + "\r\n\r\n"), std::string::npos);
}

TEST(WriterLayout, WritesEveryLaneOfChannel01InEveryMeasure)
{
    BmsBms document;
    laneOf(document, 0).setObject(0, BmsWord("01"));
    laneOf(document, 1).setObject(kMeasure + 192, BmsWord("02"));

    EXPECT_EQ(chartText(document), "\r\n\r\n\r\n#00001:01\r\n#00001:00\r\n\r\n#00101:00\r\n#00101:0002\r\n\r\n");
}

TEST(WriterLayout, WritesMeasureLengthsAfterTheLastMeasureWithoutEmptyLines)
{
    BmsBms document;
    placeObject(document, "11", 20 * kMeasure, "01");
    document.setMeasureLength(900, BmsBar(192));
    document.setMeasureLength(999, BmsBar(768));

    const std::string text = chartText(document);
    const std::string ending = "#02011:01\r\n\r\n#90002:0.500000\r\n#99902:2.000000\r\n";
    ASSERT_GE(text.size(), ending.size());
    EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

TEST(WriterLayout, WritesNoDataLineForAMeasureOfLengthZero)
{
    BmsBms document;
    document.setMeasureLength(1, BmsBar(0));
    placeObject(document, "01", 0, "01");
    placeObject(document, "11", 0, "02");
    placeObject(document, "11", kMeasure, "03");

    EXPECT_EQ(chartText(document),
        "\r\n\r\n\r\n#00001:01\r\n#00011:02\r\n\r\n#00102:0.000000\r\n\r\n#00201:00\r\n#00211:03\r\n\r\n");
}

TEST(WriterLayout, LeavesTheDocumentAsItWas)
{
    BmsBms document;
    document.headerTable()->set("TITLE", "Song");
    document.headerTable()->set("BPM", "150");
    document.wavTable()->set(BmsWord("01"), "a.wav");
    placeObject(document, "11", 5, "01");

    const std::string first = chartText(document);
    EXPECT_EQ(document.headerTable()->count(), 2);
    EXPECT_STREQ(document.headerTable()->get("TITLE"), "Song");
    EXPECT_STREQ(document.wavTable()->get(BmsWord("01")), "a.wav");
    EXPECT_EQ(document.findLine(BmsWord("11"))->objectAt(5), BmsWord("01"));
    EXPECT_EQ(chartText(document), first);
}

} // namespace
