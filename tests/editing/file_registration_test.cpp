#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

    EXPECT_EQ(registerFileNames(page, { "a.wav", "b.wav", "c.wav" }), 8);

    EXPECT_STREQ(wav.get(BmsWord("05")), "a.wav");
    EXPECT_STREQ(wav.get(BmsWord("06")), "taken.wav");
    EXPECT_STREQ(wav.get(BmsWord("07")), "b.wav");
    EXPECT_STREQ(wav.get(BmsWord("08")), "c.wav");
    EXPECT_THAT(page.refreshedRows, ElementsAre(5, 7, 8));
    EXPECT_THAT(page.selection, ElementsAre(8));
}

TEST_F(FileRegistrationTest, NamesBeyondTheLastFreeSlotAreIgnoredAndZZIsSelected)
{
    wav.set(BmsWord("ZY"), "taken.wav");
    page.caret = 1293;

    EXPECT_EQ(registerFileNames(page, { "a.wav", "b.wav", "c.wav", "d.wav" }), 1295);

    EXPECT_STREQ(wav.get(BmsWord(1293)), "a.wav");
    EXPECT_STREQ(wav.get(BmsWord(1294)), "taken.wav");
    EXPECT_STREQ(wav.get(BmsWord(1295)), "b.wav");
    EXPECT_THAT(page.refreshedRows, ElementsAre(1293, 1295));
    EXPECT_THAT(page.selection, ElementsAre(1295));

    page.refreshedRows.clear();
    EXPECT_EQ(registerFileNames(page, { "e.wav" }), 1295);
    EXPECT_STREQ(wav.get(BmsWord(1295)), "b.wav");
    EXPECT_TRUE(page.refreshedRows.empty());
}

TEST_F(FileRegistrationTest, AnEmptyCaretRow00IsFilledToo)
{
    page.caret = 0;
    EXPECT_EQ(registerFileNames(page, { "zero.wav" }), 0);
    EXPECT_STREQ(wav.get(BmsWord("00")), "zero.wav");
}

TEST_F(FileRegistrationTest, WithoutNamesTheCaretRowIsSelected)
{
    page.caret = 12;
    EXPECT_EQ(registerFileNames(page, {}), 12);
    EXPECT_TRUE(page.refreshedRows.empty());
    EXPECT_THAT(page.selection, ElementsAre(12));
}
