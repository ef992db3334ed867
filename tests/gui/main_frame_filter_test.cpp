#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

// WAV: 01 used, 03 used with its file missing, 05 unused and missing, 07 used without a
// definition; only kick.wav is in the folder.
const std::string kChart = "#WAV01 kick.wav\r\n"
                           "#WAV03 snare.wav\r\n"
                           "#WAV05 spare.wav\r\n"
                           "#00111:01030307\r\n";

class MainFrameFilterTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        writeFileBytes(scratch.file("kick.wav"), "RIFF");
        ASSERT_TRUE(frame->openChart(writeChartFile("filter.bms", kChart).c_str()));
    }
    HWND wavList() const { return control(ID_WAV_PAGE); }
    std::vector<std::string> shownRows() const
    {
        std::vector<std::string> texts;
        const int count = static_cast<int>(SendMessageA(wavList(), LB_GETCOUNT, 0, 0));
        for (int position = 0; position < count; ++position)
            texts.push_back(listRowText(wavList(), position));
        return texts;
    }
    std::string statusText() const { return windowText(control(ID_STATUS_BAR)); }
    std::string referencesPart() const
    {
        char text[64] = {};
        SendMessageA(control(ID_STATUS_BAR), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void selectOnly(int position)
    {
        SendMessageA(wavList(), LB_SETSEL, FALSE, -1);
        SendMessageA(wavList(), LB_SETSEL, TRUE, position);
        SendMessageA(wavList(), LB_SETCARETINDEX, position, FALSE);
    }
    std::string wavName(const char* index) const { return document().wavTable()->get(BmsWord(index)); }
};

const std::string kUsed3 = "03:snare.wav  (ファイルなし)";
const std::string kUnused5 = "05:spare.wav  (未使用・ファイルなし)";

TEST_F(MainFrameFilterTest, EachFilterShowsTheRowsOfItsStateWithTheCaptionAndTheMenuSayingWhich)
{
    const struct {
        int command;
        std::vector<std::string> rows;
        const char* captionEnd;
    } cases[] = {
        { ID_VIEW_USED_ROWS, { "01:kick.wav", kUsed3, "07:  (未登録)" }, "filter.bms  [使用中のみ]" },
        { ID_VIEW_UNUSED_ROWS, { kUnused5 }, "filter.bms  [未使用のみ]" },
        { ID_VIEW_NO_FILE_ROWS, { kUsed3, kUnused5 }, "filter.bms  [ファイルなしのみ]" },
    };
    HMENU menu = GetMenu(frame->handle());
    for (const auto& c : cases) {
        sendCommand(*frame, c.command);
        EXPECT_EQ(c.rows, shownRows()) << c.command;
        const std::string shown = caption();
        EXPECT_EQ(c.captionEnd, shown.substr(shown.size() - std::string(c.captionEnd).size())) << shown;
        EXPECT_TRUE(GetMenuState(menu, c.command, MF_BYCOMMAND) & MF_CHECKED) << c.command;
        EXPECT_FALSE(GetMenuState(menu, ID_VIEW_ALL_ROWS, MF_BYCOMMAND) & MF_CHECKED);
    }
    // Narrowing the list changed nothing of the chart.
    EXPECT_FALSE(frame->history().isModified());

    // The rows kept through a change of filter keep their selection.
    selectOnly(0);
    sendCommand(*frame, ID_VIEW_ALL_ROWS);
    EXPECT_EQ(1296, SendMessageA(wavList(), LB_GETCOUNT, 0, 0));
    EXPECT_EQ(std::vector<int> { 3 }, selectedRows(wavList()));
    EXPECT_EQ(std::string::npos, caption().find('['));
    EXPECT_TRUE(GetMenuState(menu, ID_VIEW_ALL_ROWS, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MainFrameFilterTest, KeysAndMenuEditsWorkOnTheIndicesAndTheFilterFollowsEachStepAndUndo)
{
    sendCommand(*frame, ID_VIEW_UNUSED_ROWS);
    // Alt+Up moves 05 to the index above, which the filter hid; the row goes along.
    selectOnly(0);
    pressSystemKey(wavList(), VK_UP, true);
    EXPECT_EQ("spare.wav", wavName("04"));
    EXPECT_EQ((std::vector<std::string> { "04:spare.wav  (未使用・ファイルなし)" }), shownRows());
    EXPECT_EQ(std::vector<int> { 0 }, selectedRows(wavList()));
    EXPECT_EQ("04: 参照 0", referencesPart());
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ(std::vector<std::string> { kUnused5 }, shownRows());
    EXPECT_EQ(std::vector<int> { 0 }, selectedRows(wavList()));

    // Unregistering the unused rows leaves the list empty; undo brings 05 back.
    sendCommand(*frame, ID_EDIT_UNREGISTER_UNUSED_WAV);
    EXPECT_TRUE(shownRows().empty());
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ(std::vector<std::string> { kUnused5 }, shownRows());

    // Under "used", removing 03 keeps its row, now used without a definition.
    sendCommand(*frame, ID_VIEW_USED_ROWS);
    selectOnly(1);
    EXPECT_EQ("03: 参照 2",
        (SendMessageA(
             frame->handle(), WM_COMMAND, MAKEWPARAM(ID_WAV_PAGE, LBN_SELCHANGE), reinterpret_cast<LPARAM>(wavList())),
            referencesPart()));
    pressKey(wavList(), VK_DELETE);
    EXPECT_EQ("", wavName("03"));
    EXPECT_EQ((std::vector<std::string> { "01:kick.wav", "03:  (未登録)", "07:  (未登録)" }), shownRows());
    EXPECT_EQ(std::vector<int> { 1 }, selectedRows(wavList()));
    sendCommand(*frame, ID_EDIT_REDO);
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ((std::vector<std::string> { "01:kick.wav", kUsed3, "07:  (未登録)" }), shownRows());
    EXPECT_EQ(std::vector<int> { 1 }, selectedRows(wavList()));
}

TEST_F(MainFrameFilterTest, FindSearchesTheShownRowsAndJumpsToAHiddenIndexAreRefused)
{
    sendCommand(*frame, ID_VIEW_NO_FILE_ROWS);
    dialogs.answerWith(typeInputLine("kick"));
    sendCommand(*frame, ID_EDIT_FIND);
    EXPECT_NE(std::string::npos, statusText().find("kick を含むファイル名はありません"));
    dialogs.answerWith(typeInputLine("spare"));
    sendCommand(*frame, ID_EDIT_FIND);
    EXPECT_EQ(std::vector<int> { 1 }, selectedRows(wavList()));

    dialogs.answerWith(typeInputLine("01"));
    sendCommand(*frame, ID_EDIT_GO_TO);
    EXPECT_NE(std::string::npos, statusText().find("01 は絞り込みで表示されていません"));
    EXPECT_EQ(std::vector<int> { 1 }, selectedRows(wavList()));
    for (const char* typed : { "0", "3" })
        SendMessageA(wavList(), WM_CHAR, static_cast<unsigned char>(*typed), 1);
    EXPECT_EQ(std::vector<int> { 0 }, selectedRows(wavList()));
    EXPECT_EQ(0, SendMessageA(wavList(), LB_GETCARETINDEX, 0, 0));
    for (const char* typed : { "z", "z" })
        SendMessageA(wavList(), WM_CHAR, static_cast<unsigned char>(*typed), 1);
    EXPECT_NE(std::string::npos, statusText().find("ZZ は絞り込みで表示されていません"));
    EXPECT_EQ(std::vector<int> { 0 }, selectedRows(wavList()));
}

} // namespace
