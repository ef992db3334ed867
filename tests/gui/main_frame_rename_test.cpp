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
    HWND nameEditor() const { return FindWindowExA(wavList(), nullptr, "EDIT", nullptr); }
    // The window itself, as the test's main window is never shown.
    bool editorShown() const { return (GetWindowLongPtrA(nameEditor(), GWL_STYLE) & WS_VISIBLE) != 0; }
    // F2 on the row, then the name typed over the one shown and the key that ends it.
    void rename(int row, const std::string& typed, WPARAM key = VK_RETURN)
    {
        caretOn(row);
        sendCommand(*frame, ID_EDIT_RENAME);
        ASSERT_NE(nullptr, nameEditor());
        ASSERT_TRUE(editorShown());
        EXPECT_EQ(name(row), windowText(nameEditor()));
        SetWindowTextA(nameEditor(), typed.c_str());
        SendMessageA(nameEditor(), WM_KEYDOWN, key, 0);
    }

    std::string chartPath;
};

TEST_F(MainFrameRenameTest, RenamingIsOneStepThatTheLayoutKeepingSaveWrites)
{
    rename(1, "boom.wav");
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(wavList(), GetFocus());
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
    dialogs.answerWith(pressButton(IDNO));
    rename(1, "");
    ASSERT_EQ(1u, dialogs.seen().size());
    EXPECT_EQ("確認", dialogs.seen()[0].caption);
    EXPECT_EQ("01 は譜面で使われています。登録を解除しますか？", dialogs.seen()[0].text);
    EXPECT_EQ("kick.wav", name(1));

    dialogs.answerWith(pressButton(IDYES));
    rename(1, "");
    EXPECT_EQ("", name(1));

    // An unused index goes without a question.
    rename(2, "");
    EXPECT_EQ(2u, dialogs.seen().size());
    EXPECT_EQ("", name(2));
    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ("spare.wav", name(2));
}

TEST_F(MainFrameRenameTest, EscapeKeepsTheNameAndLeavingTheEditorConfirmsIt)
{
    rename(1, "boom.wav", VK_ESCAPE);
    EXPECT_EQ("kick.wav", name(1));
    EXPECT_FALSE(frame->history().canUndo());

    caretOn(2);
    sendCommand(*frame, ID_EDIT_RENAME);
    SetWindowTextA(nameEditor(), "other.wav");
    SetFocus(control(ID_TITLE_EDIT));
    // The name is set once the focus has moved on, not while it changes hands.
    EXPECT_EQ("spare.wav", name(2));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    EXPECT_EQ("other.wav", name(2));
    EXPECT_EQ(control(ID_TITLE_EDIT), GetFocus());
}

} // namespace
