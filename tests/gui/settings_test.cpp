#include <gtest/gtest.h>
#include <string>

#include "gui/first_window.h"
#include "gui/startup.h"
#include "gui/window_settings.h"
#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

std::string settingsPathFor(const char* modulePath)
{
    char settingsPath[ShellState::kNameSize];
    settingsPathOf(modulePath, settingsPath);
    return settingsPath;
}

TEST(SettingsPathTest, FollowsExecutableName)
{
    EXPECT_EQ("C:\\Tools\\quelmarn.ini", settingsPathFor("C:\\Tools\\quelmarn.exe"));
    EXPECT_EQ("C:\\Tools\\renamed.ini", settingsPathFor("C:\\Tools\\renamed.exe"));
    EXPECT_EQ("C:\\v1.2\\quelmarn.ini", settingsPathFor("C:\\v1.2\\quelmarn"));
}

// The main window as start-up makes it, over settings in a scratch directory; closing
// it saves the placement as the program does.
class SettingsRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override { ShellState::instance().reset(); }
    void TearDown() override
    {
        if (frame)
            destroyMainWindow(*frame);
        ShellState::instance().reset();
    }

    void start()
    {
        prepareMainWindowClass();
        if (frame)
            destroyMainWindow(*frame);
        ShellState::instance().document = std::make_unique<BmsBms>();
        frame = std::make_unique<MainFrame>(plan, ShellState::instance(), settingsPath.c_str());
        ASSERT_TRUE(startMainWindow(*frame, testInstance(), ""));
    }
    void closeWindow()
    {
        SendMessageA(frame->handle(), WM_CLOSE, 0, 0);
        ASSERT_FALSE(IsWindow(frame->handle()));
        destroyMainWindow(*frame);
    }
    WINDOWPLACEMENT placement() const
    {
        WINDOWPLACEMENT placement {};
        placement.length = sizeof placement;
        GetWindowPlacement(frame->handle(), &placement);
        return placement;
    }
    RECT windowRect() const
    {
        RECT rect {};
        GetWindowRect(frame->handle(), &rect);
        return rect;
    }
    int storedValue(const char* key) const
    {
        return GetPrivateProfileIntA("Window", key, -12345, settingsPath.c_str());
    }

    ScratchDirectory scratch;
    std::string settingsPath = scratch.file("quelmarn.ini");
    ListExchanger plan;
    std::unique_ptr<MainFrame> frame;
};

TEST_F(SettingsRoundTripTest, FirstStartFitsTheWindowToTheWorkAreaCentredAndShowsIt)
{
    const struct {
        RECT workArea;
        const char* placed;
    } cases[] = {
        { { 0, 0, 1280, 800 }, "373,133 533x533" },
        // A task bar along the top, and a screen narrower than two thirds of its height.
        { { 0, 40, 1280, 800 }, "387,167 506x506" },
        { { 0, 0, 300, 900 }, "0,150 300x600" },
    };
    for (const auto& c : cases) {
        const WindowSettings first = loadWindowSettings(settingsPath.c_str(), c.workArea);
        const RECT asLoaded { first.x, first.y, first.x + first.width, first.y + first.height };
        EXPECT_EQ(c.placed, placeAndSize(asLoaded));
        EXPECT_EQ(SW_SHOW, first.state);
    }

    start();
    const WindowSettings fitted = firstWindowSettings(primaryWorkArea());
    const RECT expected { fitted.x, fitted.y, fitted.x + fitted.width, fitted.y + fitted.height };
    EXPECT_EQ(placeAndSize(expected), placeAndSize(windowRect()));
    EXPECT_TRUE(IsWindowVisible(frame->handle()));
    EXPECT_EQ("Quelmarn", windowText(frame->handle()));
}

TEST_F(SettingsRoundTripTest, ListsUseTheFontOfTheSystemsMessageBoxes)
{
    start();
    NONCLIENTMETRICSA metrics {};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    for (int id : { ID_WAV_PAGE, ID_BMP_PAGE }) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(frame->handle(), id), WM_GETFONT, 0, 0));
        LOGFONTA shown {};
        ASSERT_TRUE(GetObjectA(font, sizeof shown, &shown));
        EXPECT_EQ(metrics.lfMessageFont.lfHeight, shown.lfHeight) << id;
        EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, shown.lfFaceName) << id;
    }
}

TEST_F(SettingsRoundTripTest, ClosingWritesTheFiveKeysExactlyAndNoSaveLayoutUntilChosen)
{
    start();
    EXPECT_TRUE(frame->keepsLayout());
    MoveWindow(frame->handle(), 100, 80, 400, 500, TRUE);
    closeWindow();
    EXPECT_EQ(
        "[Window]\r\npos_x=100\r\npos_y=80\r\nwidth=400\r\nheight=500\r\nstate=1\r\n", readFileBytes(settingsPath));
}

TEST_F(SettingsRoundTripTest, TheChosenSaveLayoutComesBackAfterARestartAndWinsOverTheDefault)
{
    for (const bool keep : { false, true }) {
        start();
        EXPECT_EQ(!keep, frame->keepsLayout());
        frame->onCommand(ID_FILE_KEEP_LAYOUT, 0, nullptr);
        closeWindow();
        EXPECT_EQ(keep ? 1 : 0, GetPrivateProfileIntA("Save", "keep_layout", -1, settingsPath.c_str()));

        start();
        EXPECT_EQ(keep, frame->keepsLayout());
        EXPECT_EQ(keep ? static_cast<UINT>(MF_CHECKED) : 0u,
            GetMenuState(GetMenu(frame->handle()), ID_FILE_KEEP_LAYOUT, MF_BYCOMMAND) & MF_CHECKED);
        closeWindow();
    }
}

TEST_F(SettingsRoundTripTest, MaximisedWindowComesBackMaximisedOverItsRestoredRectangle)
{
    start();
    MoveWindow(frame->handle(), 30, 40, 350, 420, TRUE);
    ShowWindow(frame->handle(), SW_SHOWMAXIMIZED);
    closeWindow();
    EXPECT_EQ(SW_SHOWMAXIMIZED, storedValue("state"));
    EXPECT_EQ(30, storedValue("pos_x"));
    EXPECT_EQ(350, storedValue("width"));

    start();
    EXPECT_TRUE(IsZoomed(frame->handle()));
    EXPECT_EQ("30,40 350x420", placeAndSize(placement().rcNormalPosition));
}

TEST_F(SettingsRoundTripTest, MinimisedWindowComesBackNormal)
{
    start();
    MoveWindow(frame->handle(), 10, 20, 300, 320, TRUE);
    ShowWindow(frame->handle(), SW_SHOWMINIMIZED);
    ASSERT_TRUE(IsIconic(frame->handle()));
    closeWindow();
    EXPECT_EQ(SW_SHOWNORMAL, storedValue("state"));

    start();
    EXPECT_FALSE(IsIconic(frame->handle()));
    EXPECT_FALSE(IsZoomed(frame->handle()));
    EXPECT_TRUE(IsWindowVisible(frame->handle()));
    EXPECT_EQ(10, windowRect().left);
    EXPECT_EQ(300, windowRect().right - windowRect().left);
}

TEST_F(SettingsRoundTripTest, ClosingDropsOtherKeysOfTheSectionOnly)
{
    writeFileBytes(settingsPath, "[Window]\r\nlanguage=en\r\npos_x=5\r\n[Recent]\r\nfile=a.bms\r\n");
    start();
    EXPECT_EQ(5, windowRect().left);
    closeWindow();

    char text[32] = {};
    GetPrivateProfileStringA("Window", "language", "gone", text, sizeof text, settingsPath.c_str());
    EXPECT_STREQ("gone", text);
    EXPECT_EQ(5, storedValue("pos_x"));
    GetPrivateProfileStringA("Recent", "file", "", text, sizeof text, settingsPath.c_str());
    EXPECT_STREQ("a.bms", text);
}

} // namespace
