#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bms/reader_test_support.h"
#include "editing/file_registration.h"
#include "editing/recording_page.h"

using testing::ElementsAre;

namespace {
class FileRegistrationTest : public testing::Test {
protected:
    BmsBms document;
    BmsRegistArray& wav = *document.wavTable();
    RecordingPage page { document, kKindWav };
};
} // namespace

TEST_F(FileRegistrationTest, NamesFillFreeSlotsFromTheCaretAndTheLastIsSelected)
{
    wav.set(BmsWord("06"), "taken.wav");
    page.caret = 5;

    EXPECT_EQ(registerFileNames(page, { "a.wav", "b.wav", "c.wav" }).lastRow, 8);

    EXPECT_STREQ(wav.get(BmsWord("05")), "a.wav");
    EXPECT_STREQ(wav.get(BmsWord("06")), "taken.wav");
    EXPECT_STREQ(wav.get(BmsWord("07")), "b.wav");
    EXPECT_STREQ(wav.get(BmsWord("08")), "c.wav");
    EXPECT_THAT(page.refreshedRows, ElementsAre(5, 7, 8));
    EXPECT_THAT(page.selection, ElementsAre(8));
}

TEST_F(FileRegistrationTest, NamesBeyondTheLastFreeSlotAreReportedAndZZIsSelected)
{
    wav.set(BmsWord("ZY"), "taken.wav");
    page.caret = 1293;

    const FileRegistration result = registerFileNames(page, { "a.wav", "b.wav", "c.wav", "d.wav" });
    EXPECT_EQ(result.lastRow, 1295);
    EXPECT_THAT(result.withoutSlot, ElementsAre("c.wav", "d.wav"));

    EXPECT_STREQ(wav.get(IndexBase().wordAt(1293)), "a.wav");
    EXPECT_STREQ(wav.get(IndexBase().wordAt(1294)), "taken.wav");
    EXPECT_STREQ(wav.get(IndexBase().wordAt(1295)), "b.wav");
    EXPECT_THAT(page.refreshedRows, ElementsAre(1293, 1295));
    EXPECT_THAT(page.selection, ElementsAre(1295));

    page.refreshedRows.clear();
    EXPECT_EQ(registerFileNames(page, { "e.wav" }).lastRow, 1295);
    EXPECT_STREQ(wav.get(IndexBase().wordAt(1295)), "b.wav");
    EXPECT_TRUE(page.refreshedRows.empty());
}

TEST_F(FileRegistrationTest, ACaretOn00StartsAt01OnTheWavPageAndFills00OnTheBmpPage)
{
    page.caret = 0;
    EXPECT_EQ(registerFileNames(page, { "one.wav" }).lastRow, 1);
    EXPECT_STREQ(wav.get(BmsWord("01")), "one.wav");
    EXPECT_FALSE(wav.has(BmsWord("00")));

    RecordingPage images(document, kKindBmp);
    EXPECT_EQ(registerFileNames(images, { "miss.bmp" }).lastRow, 0);
    EXPECT_STREQ(document.bmpTable()->get(BmsWord("00")), "miss.bmp");
}

TEST_F(FileRegistrationTest, ANameIsRegisteredOnceWhateverItsCase)
{
    wav.set(BmsWord("01"), "Kick.WAV");
    page.caret = 1;
    const FileRegistration result = registerFileNames(page, { "kick.wav", "snare.wav", "SNARE.wav" });
    EXPECT_THAT(result.alreadyRegistered, ElementsAre("kick.wav", "SNARE.wav"));
    EXPECT_TRUE(result.withoutSlot.empty());
    EXPECT_STREQ(wav.get(BmsWord("02")), "snare.wav");
    EXPECT_FALSE(wav.has(BmsWord("03")));
}

TEST_F(FileRegistrationTest, WithoutNamesTheCaretRowIsSelected)
{
    page.caret = 12;
    EXPECT_EQ(registerFileNames(page, {}).lastRow, 12);
    EXPECT_TRUE(page.refreshedRows.empty());
    EXPECT_THAT(page.selection, ElementsAre(12));
}

TEST_F(FileRegistrationTest, RowsUsedWithoutADefinitionArePassedOverAndCountedOnce)
{
    // 03 and ZZ are used without a definition, 04 is defined and used, 05 is an image part.
    const std::unique_ptr<BmsBms> chart
        = reader_test::readChart("#WAV04 four.wav\r\n#00101:030400ZZ\r\n#BMP05 five.bmp\r\n#00104:0505\r\n");
    RecordingPage sounds(*chart, kKindWav);
    sounds.caret = 2;
    FileRegistration result = registerFileNames(sounds, { "a.wav", "b.wav" });
    EXPECT_STREQ(chart->wavTable()->get(BmsWord("02")), "a.wav");
    EXPECT_STREQ(chart->wavTable()->get(BmsWord("05")), "b.wav");
    EXPECT_FALSE(chart->wavTable()->has(BmsWord("03")));
    EXPECT_EQ(1, result.passedOverUsed);

    sounds.caret = 1294;
    result = registerFileNames(sounds, { "c.wav", "d.wav", "e.wav" });
    EXPECT_STREQ(chart->wavTable()->get(BmsWord("ZY")), "c.wav");
    EXPECT_FALSE(chart->wavTable()->has(BmsWord("ZZ")));
    EXPECT_THAT(result.withoutSlot, ElementsAre("d.wav", "e.wav"));
    EXPECT_EQ(1, result.passedOverUsed);
}
