#include <gtest/gtest.h>
#include <string>

#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "support/test_support.h"
#include "test_windows.h"

namespace {

class MainFrameHeaderDialogTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        chartPath = writeChartFile("headers.bms", "#TITLE Song\r\n#RANK 2\r\n#WAV01 a.wav\r\n");
        ASSERT_TRUE(frame->openChart(chartPath.c_str()));
    }
    std::string header(const char* key) const { return document().headerTable()->get(key); }

    std::string chartPath;
};

// The edits of PLAYLEVEL, RANK, DIFFICULTY, SUBTITLE and STAGEFILE, in that order.
int editOf(int key)
{
    return ID_HEADER_DIALOG_FIRST_EDIT + key;
}

TEST_F(MainFrameHeaderDialogTest, TheChangedValuesAreOneStepEachSavedOnItsLine)
{
    std::string shownRank;
    std::string shownLevel = "unseen";
    dialogs.answerWith([&](HWND dialog) {
        shownLevel = windowText(GetDlgItem(dialog, editOf(0)));
        shownRank = windowText(GetDlgItem(dialog, editOf(1)));
        SetDlgItemTextA(dialog, editOf(0), "7");
        SetDlgItemTextA(dialog, editOf(1), "3");
        pressButton(IDOK)(dialog);
    });
    sendCommand(*frame, ID_EDIT_HEADERS);
    ASSERT_EQ(1u, dialogs.seen().size());
    EXPECT_EQ("ヘッダー", dialogs.seen()[0].caption);
    EXPECT_EQ("", shownLevel);
    EXPECT_EQ("2", shownRank);
    EXPECT_EQ("7", header("PLAYLEVEL"));
    EXPECT_EQ("3", header("RANK"));
    // Untouched keys stay absent.
    EXPECT_EQ(nullptr, document().headerTable()->find("SUBTITLE"));

    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ("2", header("RANK"));
    EXPECT_EQ(nullptr, document().headerTable()->find("PLAYLEVEL"));
    sendCommand(*frame, ID_EDIT_REDO);
    ASSERT_TRUE(frame->keepsLayout());
    sendCommand(*frame, ID_FILE_SAVE);
    EXPECT_EQ("#TITLE Song\r\n#RANK 3\r\n#PLAYLEVEL 7\r\n#WAV01 a.wav\r\n", readFileBytes(chartPath));
}

TEST_F(MainFrameHeaderDialogTest, CancelOrNoChangeLeavesNothingToUndo)
{
    dialogs.answerWith([](HWND dialog) {
        SetDlgItemTextA(dialog, editOf(1), "4");
        pressButton(IDCANCEL)(dialog);
    });
    sendCommand(*frame, ID_EDIT_HEADERS);
    dialogs.answerWith(pressButton(IDOK));
    sendCommand(*frame, ID_EDIT_HEADERS);
    EXPECT_EQ(2u, dialogs.seen().size());
    EXPECT_EQ("2", header("RANK"));
    EXPECT_NE(0u, GetMenuState(GetMenu(frame->handle()), ID_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED);
}

} // namespace
