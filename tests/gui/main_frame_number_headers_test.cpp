#include <gtest/gtest.h>
#include <string>

#include "gui/number_headers.h"
#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "support/test_support.h"
#include "test_windows.h"

namespace {

TEST(NumberHeadersTest, ReadsDecimalNumbersWithBlanksAndNothingElse)
{
    const struct {
        const char* value;
        bool number;
    } cases[] = { { "138", true }, { " 150.5 ", true }, { "", true }, { "-1", true }, { "138abc", false },
        { "1 2", false }, { "fast", false } };
    for (const auto& c : cases)
        EXPECT_EQ(c.number, readsAsNumber(c.value)) << c.value;
}

TEST_F(MainFrameTest, NumberFieldsThatHoldNoNumberAreMarkedAndNamedBeforeTheSave)
{
    const std::string path = writeChartFile("numbers.bms", "#BPM 138abc\r\n#TOTAL 300\r\n");
    ASSERT_TRUE(frame->openChart(path.c_str()));
    EXPECT_EQ("BPM ×", windowText(control(ID_BPM_LABEL)));
    EXPECT_EQ("TOTAL", windowText(control(ID_TOTAL_LABEL)));
    SetWindowTextA(control(ID_TOTAL_EDIT), "much");
    EXPECT_EQ("TOTAL ×", windowText(control(ID_TOTAL_LABEL)));

    dialogs.answerWith(pressButton(IDNO));
    sendCommand(*frame, ID_FILE_SAVE);
    expectOnlyDialog(
        "確認", "#BPM 138abc は数値ではありません。\r\n#TOTAL much は数値ではありません。\r\nこのまま保存しますか？");
    EXPECT_EQ("#BPM 138abc\r\n#TOTAL 300\r\n", readFileBytes(path));

    // Saving stays allowed: the chart keeps what was typed.
    dialogs.answerWith(pressButton(IDYES));
    sendCommand(*frame, ID_FILE_SAVE);
    EXPECT_NE(std::string::npos, readFileBytes(path).find("#TOTAL much"));

    sendCommand(*frame, ID_EDIT_UNDO);
    EXPECT_EQ("TOTAL", windowText(control(ID_TOTAL_LABEL)));
}

} // namespace
