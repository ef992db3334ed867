#include <gtest/gtest.h>
#include <string>

#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

class MainFrameKeysTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        accelerators = LoadAcceleratorsA(testInstance(), MAIN_ACCEL_NAME);
    }
    void TearDown() override
    {
        DestroyAcceleratorTable(accelerators);
        MainFrameTest::TearDown();
    }
    void type(HWND target, BYTE key, bool shift = false) { typeControlKey(*frame, accelerators, target, key, shift); }
    bool visible(int id) const { return (GetWindowLongA(control(id), GWL_STYLE) & WS_VISIBLE) != 0; }

    HACCEL accelerators = nullptr;
};

TEST_F(MainFrameKeysTest, ControlTabSwitchesPagesBothWaysRoundTheEnds)
{
    const struct {
        bool shift;
        int shown;
    } steps[] = { { false, ID_BMP_PAGE }, { false, ID_WAV_PAGE }, { true, ID_BMP_PAGE }, { true, ID_WAV_PAGE } };
    for (const auto& step : steps) {
        type(GetFocus() ? GetFocus() : control(ID_WAV_PAGE), VK_TAB, step.shift);
        EXPECT_TRUE(visible(step.shown)) << step.shown;
        EXPECT_FALSE(visible(step.shown == ID_WAV_PAGE ? ID_BMP_PAGE : ID_WAV_PAGE));
        EXPECT_EQ(step.shown == ID_WAV_PAGE ? 0 : 1, SendMessageA(control(ID_TAB), TCM_GETCURSEL, 0, 0));
    }
}

TEST_F(MainFrameKeysTest, ControlASelectsEveryRowOfThePageOnTopButTheTextOfAHeaderField)
{
    type(control(ID_WAV_PAGE), VK_TAB);
    type(control(ID_BMP_PAGE), 'A');
    EXPECT_EQ(1296, SendMessageA(control(ID_BMP_PAGE), LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(control(ID_WAV_PAGE), LB_GETSELCOUNT, 0, 0));
    EXPECT_GT(SendMessageA(control(ID_BMP_PAGE), LB_GETSEL, 0, 0), 0);

    SetWindowTextA(control(ID_TITLE_EDIT), "Song");
    SetFocus(control(ID_TITLE_EDIT));
    SendMessageA(control(ID_BMP_PAGE), LB_SETSEL, FALSE, -1);
    type(control(ID_TITLE_EDIT), 'A');
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(control(ID_TITLE_EDIT), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(4u, end);
    EXPECT_EQ(0, SendMessageA(control(ID_BMP_PAGE), LB_GETSELCOUNT, 0, 0));
}

} // namespace
