#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

#include "bms/reader_test_support.h"
#include "editing/definition_operations.h"
#include "editing/file_registration.h"
#include "editing/recording_page.h"

namespace {

using reader_test::readChart;

class HeaderReferencesTest : public testing::Test {
protected:
    void read(std::string_view text)
    {
        document = readChart(text);
        wavPage = std::make_unique<RecordingPage>(*document, kKindWav);
        bmpPage = std::make_unique<RecordingPage>(*document, kKindBmp);
    }
    const char* header(const char* key) const { return document->headerTable()->get(key); }
    bool hasWav(const char* index) const { return document->wavTable()->has(BmsWord(index)); }
    bool hasBmp(const char* index) const { return document->bmpTable()->has(BmsWord(index)); }

    std::unique_ptr<BmsBms> document;
    std::unique_ptr<RecordingPage> wavPage;
    std::unique_ptr<RecordingPage> bmpPage;
    ListExchanger plan;
};

TEST_F(HeaderReferencesTest, LongNoteEndFollowsEveryRenumberingOfTheWavTable)
{
    read("#TITLE a\n#lnobj zz\n#WAV01 a.wav\n#WAV03 c.wav\n#WAVZZ end.wav\n#00111:01ZZ03zz\n");
    const std::vector<std::string> keys = document->headerTable()->keys();
    compactIndices(*wavPage, plan);
    EXPECT_STREQ(header("LNOBJ"), "03");
    EXPECT_EQ(document->headerTable()->keys(), keys);

    wavPage->selection = { 2, 3 };
    swapTopTwoSelected(*wavPage, plan);
    EXPECT_STREQ(header("LNOBJ"), "02");
    wavPage->selection = { 2 };
    moveSelection(*wavPage, plan, false);
    EXPECT_STREQ(header("LNOBJ"), "03");
}

TEST_F(HeaderReferencesTest, AnIndexThatOnlyALongNoteEndNamesIsUsed)
{
    read("#LNOBJ 05\n#LNOBJ 06\n#WAV05 end.wav\n#WAV06 other-end.wav\n#WAV07 spare.wav\n");
    unregisterUnreferenced(*wavPage);
    EXPECT_TRUE(hasWav("05"));
    EXPECT_TRUE(hasWav("06")); // named by a line that the header table no longer holds
    EXPECT_FALSE(hasWav("07"));
}

TEST_F(HeaderReferencesTest, ImagePartsFollowTheBmpTableAndHoldTheirSlots)
{
    read("#BMP01 a.bmp\n#BMP04 sheet.bmp\n#BMP09 spare.bmp\n#BGA06 04 0 0 8 8 0 0\n#@bga07 04 1 1 9 9 0 0\n"
         "#00004:0106\n#00006:07\n");
    unregisterUnreferenced(*bmpPage);
    EXPECT_TRUE(hasBmp("04")); // only the image parts use it
    EXPECT_FALSE(hasBmp("09"));

    // 02 and 03 are free: 04 moves to 02, the parts 06 and 07 to 03 and 04.
    compactIndices(*bmpPage, plan);
    EXPECT_STREQ(header("BGA03"), "02 0 0 8 8 0 0");
    EXPECT_STREQ(header("@BGA04"), "02 1 1 9 9 0 0");
    EXPECT_EQ(document->headerTable()->find("BGA06"), nullptr);
    EXPECT_EQ(document->headerTable()->find("@BGA07"), nullptr);

    // A dropped file never takes a part's slot.
    bmpPage->caret = 3;
    EXPECT_EQ(registerFileNames(*bmpPage, { "new.bmp" }).lastRow, 5);
}

TEST_F(HeaderReferencesTest, SwappingImagePartsExchangesTheirKeys)
{
    read("#BMP01 a.bmp\n#BGA02 01 0 0 8 8 0 0\n#BGA03 01 8 8 16 16 0 0\n#00004:0203\n");
    bmpPage->selection = { 2, 3 };
    swapTopTwoSelected(*bmpPage, plan);
    EXPECT_STREQ(header("BGA02"), "01 8 8 16 16 0 0");
    EXPECT_STREQ(header("BGA03"), "01 0 0 8 8 0 0");
}

TEST_F(HeaderReferencesTest, AnIndexUsedOnlyWhereTheGridCannotPlaceItStaysUsed)
{
    // Measure 1 is 3 ticks: its line of four objects is dropped from the model; in measure
    // 2 a later line overrides 03.
    read("#WAV01 a.wav\n#WAV02 dropped.wav\n#WAV03 overridden.wav\n#WAV04 b.wav\n#WAV06 c.wav\n#00102:0.0078125\n"
         "#00011:01\n#00111:00020000\n#00211:03\n#00211:04\n#00311:06\n");
    unregisterUnreferenced(*wavPage);
    for (const char* index : { "01", "02", "03", "04", "06" })
        EXPECT_TRUE(hasWav(index)) << index;

    compactIndices(*wavPage, plan);
    EXPECT_STREQ(document->wavTable()->get(BmsWord("05")), "c.wav");
    EXPECT_STREQ(document->wavTable()->get(BmsWord("02")), "dropped.wav");
    // Still used after the renumbering.
    unregisterUnreferenced(*wavPage);
    EXPECT_TRUE(hasWav("02"));
    EXPECT_TRUE(hasWav("05"));
}

} // namespace
