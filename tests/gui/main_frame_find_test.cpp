#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "gui/row_search.h"
#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

// The names hold Shift-JIS "ソ" (0x83 0x5C), whose trail byte is no backslash, and
// "ア" (0x83 0x41), whose trail byte is no letter "A".
const std::string kChart = "#WAV01 Kick.wav\r\n"
                           "#WAV02 snare.wav\r\n"
                           "#WAV0A KICK_2.WAV\r\n"
                           "#WAVZZ kick_last.wav\r\n"
                           "#WAV10 \x83\x41.wav\r\n"
                           "#BMP05 back.bmp\r\n";

class MainFrameFindTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        ASSERT_TRUE(frame->openChart(writeChartFile("find.bms", kChart).c_str()));
    }
    HWND wavList() const { return control(ID_WAV_PAGE); }
    std::string statusText() const { return windowText(control(ID_STATUS_BAR)); }
    void typeCharacters(HWND list, const char* text)
    {
        for (const char* c = text; *c; ++c)
            SendMessageA(list, WM_CHAR, static_cast<unsigned char>(*c), 1);
    }
};

TEST(RowSearchTest, FindsAPartOfANameIgnoringAsciiCaseRoundTheEnd)
{
    BmsRegistArray table("WAV");
    table.set(BmsWord(1), "Kick.wav");
    table.set(BmsWord(10), "KICK_2.WAV");
    table.set(IndexBase().wordAt(1295), "\x83\x41.wav");
    const struct {
        const char* part;
        int after;
        int found;
    } cases[] = {
        { "kick", 0, 1 },
        { "kick", 1, 10 },
        { "KiCk", 10, 1 },
        { "_2.w", 0, 10 },
        { "\x83\x41", 0, 1295 },
        // The trail byte 0x41 is not the letter A.
        { "a.wav", 1200, -1 },
        { "snare", 0, -1 },
        { "", 0, -1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.found, findRowWithName(table, c.part, c.after)) << c.part << " after " << c.after;
}

TEST(RowSearchTest, ReadsTwoCharacterIndices)
{
    BmsRegistArray table("WAV");
    const struct {
        const char* text;
        int base36;
        int base62;
    } cases[] = { { "01", 1, 1 }, { "0a", 10, 36 }, { "ZZ", 1295, 35 * 62 + 35 }, { " 10 ", 36, 62 },
        { "zz", 1295, 3843 }, { "1", -1, -1 }, { "100", -1, -1 }, { "0-", -1, -1 }, { "", -1, -1 } };
    for (const auto& c : cases) {
        table.setBase(IndexBase());
        EXPECT_EQ(c.base36, rowOfIndex(c.text, table)) << c.text;
        table.setBase(IndexBase::ofRadix(62));
        EXPECT_EQ(c.base62, rowOfIndex(c.text, table)) << c.text;
    }
}

TEST_F(MainFrameFindTest, ControlFFindsANameAndF3TheNextRoundTheEnd)
{
    dialogs.answerWith(typeInputLine("kick"));
    // Ctrl+F and F3 are the accelerator table's (ResourcesTest); a dialog cannot run
    // inside the loop that typeControlKey ends at once.
    sendCommand(*frame, ID_EDIT_FIND);
    ASSERT_EQ(1u, dialogs.seen().size());
    EXPECT_EQ("ファイル名を検索", dialogs.seen()[0].caption);
    EXPECT_EQ(std::vector<int> { 1 }, selectedRows(wavList()));
    for (int expected : { 10, 1295, 1 }) {
        sendCommand(*frame, ID_EDIT_FIND_NEXT);
        EXPECT_EQ(std::vector<int> { expected }, selectedRows(wavList()));
        EXPECT_EQ(expected, SendMessageA(wavList(), LB_GETCARETINDEX, 0, 0));
    }

    dialogs.answerWith(typeInputLine("nothing"));
    sendCommand(*frame, ID_EDIT_FIND);
    EXPECT_NE(std::string::npos, statusText().find("nothing を含むファイル名はありません"));
    EXPECT_EQ(std::vector<int> { 1 }, selectedRows(wavList()));
}

TEST_F(MainFrameFindTest, TypingTwoIndexCharactersOrControlGJumpsToTheRow)
{
    typeCharacters(wavList(), "0a");
    EXPECT_EQ(std::vector<int> { 10 }, selectedRows(wavList()));
    // A stray key starts the index afresh.
    typeCharacters(wavList(), "1 zz");
    EXPECT_EQ(std::vector<int> { 1295 }, selectedRows(wavList()));

    dialogs.answerWith(typeInputLine("02"));
    sendCommand(*frame, ID_EDIT_GO_TO);
    EXPECT_EQ(std::vector<int> { 2 }, selectedRows(wavList()));
    EXPECT_EQ("インデックスへ移動", dialogs.seen().back().caption);
    dialogs.answerWith(typeInputLine("2"));
    sendCommand(*frame, ID_EDIT_GO_TO);
    EXPECT_EQ(std::vector<int> { 2 }, selectedRows(wavList()));
    EXPECT_NE(std::string::npos, statusText().find("2 はインデックスではありません"));
}

} // namespace
