#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "editing/row_marks.h"
#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "support/test_support.h"
#include "test_windows.h"

namespace {

// WAV: 01 and 03 used, 05 unused, 07 used without a definition; only kick.wav is in
// the folder. BMP: 02 used, its file missing.
const std::string kChart = "#WAV01 kick.wav\r\n"
                           "#WAV03 snare.wav\r\n"
                           "#WAV05 spare.wav\r\n"
                           "#BMP02 back.bmp\r\n"
                           "#00111:01030307\r\n"
                           "#00104:02\r\n";

class MainFrameMarksTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        writeFileBytes(scratch.file("kick.wav"), "RIFF");
        ASSERT_TRUE(frame->openChart(writeChartFile("marks.bms", kChart).c_str()));
    }
    HWND wavList() const { return control(ID_WAV_PAGE); }
    std::vector<std::string> wavRows(std::initializer_list<int> rows) const
    {
        std::vector<std::string> texts;
        for (int row : rows)
            texts.push_back(listRowText(wavList(), row));
        return texts;
    }
    std::string referencesPart() const
    {
        char text[64] = {};
        SendMessageA(control(ID_STATUS_BAR), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
        return text;
    }
};

TEST(RowMarkTextTest, NamesEachMarkOnceInOneBracket)
{
    EXPECT_EQ("", rowMarkText(kMarkNone));
    EXPECT_EQ("  (未使用)", rowMarkText(kMarkUnused));
    EXPECT_EQ("  (未登録)", rowMarkText(kMarkUnregistered));
    EXPECT_EQ("  (未使用・ファイルなし)", rowMarkText(kMarkUnused | kMarkNoFile));
}

TEST_F(MainFrameMarksTest, RowsShowTheirMarksAndFollowEditsAndUndoKeepingTheSelection)
{
    const std::vector<std::string> opened
        = { "01:kick.wav", "03:snare.wav  (ファイルなし)", "05:spare.wav  (未使用・ファイルなし)", "07:  (未登録)" };
    EXPECT_EQ(opened, wavRows({ 1, 3, 5, 7 }));
    EXPECT_EQ("02:back.bmp  (ファイルなし)", listRowText(control(ID_BMP_PAGE), 2));

    sendCommand(*frame, ID_EDIT_UNREGISTER_UNUSED_WAV);
    EXPECT_EQ("05:", listRowText(wavList(), 5));
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ(opened, wavRows({ 1, 3, 5, 7 }));
    // Undoing selects the rows it touched; replacing their text for the marks keeps that.
    EXPECT_EQ(std::vector<int> { 5 }, selectedRows(wavList()));

    // The file comes: its mark goes when the window is next activated, and the selection,
    // over the replaced row and others, stays.
    SendMessageA(wavList(), LB_SETSEL, FALSE, -1);
    for (int row : { 1, 3, 5 })
        SendMessageA(wavList(), LB_SETSEL, TRUE, row);
    writeFileBytes(scratch.file("snare.wav"), "RIFF");
    SendMessageA(frame->handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ("03:snare.wav", listRowText(wavList(), 3));
    EXPECT_EQ((std::vector<int> { 1, 3, 5 }), selectedRows(wavList()));
}

TEST_F(MainFrameMarksTest, StatusBarNamesTheReferencesOfTheCaretRow)
{
    const struct {
        int row;
        const char* shown;
    } cases[] = { { 3, "03: 参照 2" }, { 5, "05: 参照 0" }, { 7, "07: 参照 1" } };
    for (const auto& c : cases) {
        SendMessageA(wavList(), LB_SETCARETINDEX, c.row, FALSE);
        SendMessageA(
            frame->handle(), WM_COMMAND, MAKEWPARAM(ID_WAV_PAGE, LBN_SELCHANGE), reinterpret_cast<LPARAM>(wavList()));
        EXPECT_EQ(c.shown, referencesPart()) << c.row;
    }
}

} // namespace
