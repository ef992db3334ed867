#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "bms/parse_result.h"
#include "gui/first_window.h"
#include "gui/startup.h"
#include "gui/window_settings.h"
#include "main_frame_fixture.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

// The main window as start-up makes it, over a settings file that does not exist yet.
class StartupTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        makeFrame();
        ASSERT_TRUE(startMainWindow(*frame, testInstance(), ""));
    }
    void openFromCommandLine(const std::string& commandLine) { openCommandLineChart(*frame, commandLine.c_str()); }
};

TEST_F(StartupTest, MainWindowClassCarriesIconMenuAndWindowProcedure)
{
    WNDCLASSA windowClass {};
    ASSERT_TRUE(GetClassInfoA(testInstance(), kMainWindowClassName, &windowClass));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW), windowClass.style);
    EXPECT_NE(nullptr, windowClass.hIcon);
    EXPECT_EQ(nullptr, windowClass.hbrBackground);
    EXPECT_STREQ(MAIN_MENU_NAME, windowClass.lpszMenuName);
    EXPECT_EQ(4, GetMenuItemCount(GetMenu(frame->handle())));
}

TEST_F(StartupTest, EmptyCommandLineOpensNothingAndAQuotedPathWithBlanksOpensThatFile)
{
    EXPECT_EQ("Quelmarn", caption());
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_STREQ("", ShellState::instance().fileName);

    std::filesystem::create_directory(scratch.path() / "my songs");
    const std::string path = writeChartFile("my songs\\a b.bms", "#TITLE Quoted\r\n");
    openFromCommandLine("\"" + path + "\" ignored.bms");
    EXPECT_TRUE(dialogs.seen().empty());
    EXPECT_EQ(path, ShellState::instance().fileName);
    EXPECT_EQ("Quoted", windowText(control(ID_TITLE_EDIT)));
}

TEST_F(StartupTest, UnquotedPathOpensOnlyThePartBeforeTheFirstBlank)
{
    const std::string plain = writeChartFile("plain.bms", "#TITLE Plain\r\n");
    openFromCommandLine(plain + " second.bms");
    EXPECT_EQ(plain, ShellState::instance().fileName);

    std::filesystem::create_directory(scratch.path() / "my songs");
    const std::string spaced = writeChartFile("my songs\\a.bms", "#TITLE Spaced\r\n");
    openFromCommandLine(spaced);
    expectOnlyDialog("BMSファイル解析失敗");
    EXPECT_EQ(plain, ShellState::instance().fileName);
}

TEST_F(StartupTest, ArgumentTooLongForPathIsRefusedWithOpenErrorBox)
{
    lastParseResult().line = 3;
    const BmsBms* before = ShellState::instance().document.get();
    openFromCommandLine(std::string(kPathBufferSize, 'a'));
    expectOnlyDialog("BMSファイル解析失敗", "line 3 : ファイルが開けませんでした。");
    EXPECT_EQ(kResultCannotOpen, lastParseResult().code);
    EXPECT_EQ(before, ShellState::instance().document.get());
    EXPECT_STREQ("", ShellState::instance().fileName);
}

// Closes the editor's window from inside its message loop.
void CALLBACK closeEditorWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    PostMessageA(FindWindowA(kMainWindowClassName, nullptr), WM_CLOSE, 0, 0);
}

// runEditor registers the class itself and runs until its window goes.
class RunEditorTest : public ::testing::Test {
protected:
    void SetUp() override { ShellState::instance().reset(); }
    void TearDown() override
    {
        ShellState::instance().reset();
        prepareMainWindowClass();
    }
};

TEST_F(RunEditorTest, RunsUntilWindowClosesAndSavesPlacementBesideExecutable)
{
    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    char settingsPath[ShellState::kNameSize];
    settingsPathOf(modulePath, settingsPath);
    std::filesystem::remove(settingsPath);

    if (!UnregisterClassA(kMainWindowClassName, testInstance())) {
        ASSERT_EQ(static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST), GetLastError());
    }
    DialogWatcher dialogs;
    SetTimer(nullptr, 0, 1, &closeEditorWindow);
    EXPECT_EQ(0, runEditor(testInstance(), ""));
    EXPECT_TRUE(dialogs.seen().empty());

    EXPECT_EQ(firstWindowSettings(primaryWorkArea()).width, GetPrivateProfileIntA("Window", "width", 0, settingsPath));
    EXPECT_EQ(SW_SHOWNORMAL, GetPrivateProfileIntA("Window", "state", 0, settingsPath));
    std::filesystem::remove(settingsPath);
}

TEST_F(RunEditorTest, FailedClassRegistrationShowsBoxAndReturnsMinusOne)
{
    prepareMainWindowClass();
    DialogWatcher dialogs;
    EXPECT_EQ(-1, runEditor(testInstance(), ""));
    ASSERT_EQ(1u, dialogs.seen().size());
    EXPECT_EQ("ERROR", dialogs.seen()[0].caption);
    EXPECT_EQ("ウィンドウクラスの登録に失敗しました。", dialogs.seen()[0].text);
}

} // namespace
