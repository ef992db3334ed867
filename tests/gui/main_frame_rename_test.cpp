#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "support/test_support.h"
#include "test_windows.h"

namespace {

// 01 is used, 02 is not.
const std::string kChart = "#TITLE Song\r\n"
                           "; the kick\r\n"
                           "#WAV01 kick.wav\r\n"
                           "#WAV02 spare.wav\r\n"
                           "#00111:01\r\n";

class MainFrameRenameTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        chartPath = writeChartFile("rename.bms", kChart);
        ASSERT_TRUE(frame->openChart(chartPath.c_str()));
    }
    HWND wavList() const { return control(ID_WAV_PAGE); }
    void caretOn(int row) const { SendMessageA(wavList(), LB_SETCARETINDEX, row, FALSE); }
    std::string name(int row) const { return document().wavTable()->get(IndexBase().wordAt(row)); }

    std::string chartPath;
};

TEST_F(MainFrameRenameTest, RenamingIsOneStepThatTheLayoutKeepingSaveWrites)
{
    caretOn(1);
    dialogs.answerWith(typeInputLine("boom.wav"));
    sendCommand(*frame, ID_EDIT_RENAME);
    ASSERT_EQ(1u, dialogs.seen().size());
    EXPECT_EQ("ファイル名の変更", dialogs.seen()[0].caption);
    EXPECT_EQ("boom.wav", name(1));
    EXPECT_EQ("01:boom.wav", listRowName(wavList(), 1));
    EXPECT_EQ(std::vector<int> { 1 }, selectedRows(wavList()));

    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ("kick.wav", name(1));
    sendCommand(*frame, ID_EDIT_REDO);
    ASSERT_TRUE(frame->keepsLayout());
    sendCommand(*frame, ID_FILE_SAVE);
    // The renamed definition keeps its line; the rest stays byte for byte.
    EXPECT_EQ("#TITLE Song\r\n"
              "; the kick\r\n"
              "#WAV01 boom.wav\r\n"
              "#WAV02 spare.wav\r\n"
              "#00111:01\r\n",
        readFileBytes(chartPath));
}

TEST_F(MainFrameRenameTest, AnEmptyNameRemovesAfterAskingWhenTheIndexIsUsed)
{
    caretOn(1);
    dialogs.answerWith(typeInputLine(""));
    dialogs.answerWith(pressButton(IDNO));
    sendCommand(*frame, ID_EDIT_RENAME);
    ASSERT_EQ(2u, dialogs.seen().size());
    EXPECT_EQ("確認", dialogs.seen()[1].caption);
    EXPECT_EQ("01 は譜面で使われています。登録を解除しますか？", dialogs.seen()[1].text);
    EXPECT_EQ("kick.wav", name(1));

    dialogs.answerWith(typeInputLine(""));
    dialogs.answerWith(pressButton(IDYES));
    sendCommand(*frame, ID_EDIT_RENAME);
    EXPECT_EQ("", name(1));

    // An unused index goes without a question.
    caretOn(2);
    dialogs.answerWith(typeInputLine(""));
    sendCommand(*frame, ID_EDIT_RENAME);
    EXPECT_EQ(5u, dialogs.seen().size());
    EXPECT_EQ("", name(2));
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ("spare.wav", name(2));
}

} // namespace
