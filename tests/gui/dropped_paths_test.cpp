#include <algorithm>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>
#include <vector>

#include "gui/dropped_paths.h"
#include "gui/shell_state.h"
#include "test_windows.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A drop as a drag from another program hands it over: its paths in UTF-16 after the
// header, and whatever the system's rounding of the block's size leaves after them not
// null, so that nothing but the list itself ends a path.
HDROP wideDrop(const std::wstring& listed)
{
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + listed.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    const SIZE_T room = (GlobalSize(memory) - sizeof(DROPFILES)) / sizeof(wchar_t);
    std::fill(text, text + room, L'x');
    std::memcpy(text, listed.data(), listed.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::vector<std::string> pathsOf(const std::vector<DroppedPath>& dropped)
{
    std::vector<std::string> paths;
    for (const DroppedPath& path : dropped)
        paths.push_back(path.path);
    return paths;
}

TEST(DroppedPathsTest, EveryPathComesInItsOrderAndOnlyTheLongOneIsMarkedAsNotFitting)
{
    const std::string longPath = "C:\\" + std::string(kPathBufferSize, 'x') + ".wav";
    const std::vector<DroppedPath> dropped = takeDroppedPaths(makeDrop({ "C:\\a.wav", longPath, "b.ogg" }));
    EXPECT_THAT(pathsOf(dropped), ElementsAre("C:\\a.wav", longPath, "b.ogg"));
    ASSERT_EQ(dropped.size(), 3U);
    EXPECT_TRUE(dropped[0].fits);
    EXPECT_FALSE(dropped[1].fits);
    EXPECT_TRUE(dropped[2].fits);
}

TEST(DroppedPathsTest, WidePathsComeInTheAnsiCodePage)
{
    if (!ansiCodePageIs932())
        GTEST_SKIP() << "the Japanese name needs the ANSI code page 932";
    // "C:\音\ド.wav", then "d.wav", each ended by a null and the list by another.
    const std::wstring listed = std::wstring(L"C:\\\u97f3\\\u30c9.wav") + L'\0' + L"d.wav" + L'\0' + L'\0';
    EXPECT_THAT(pathsOf(takeDroppedPaths(wideDrop(listed))), ElementsAre("C:\\\x89\xb9\\\x83\x68.wav", "d.wav"));
}

TEST(DroppedPathsTest, APathThatTheBlockCutsOffAndAListOutsideTheBlockAreLeftOut)
{
    // No null after "cut.wav": the block ends inside the path.
    const std::wstring cut = std::wstring(L"a.wav") + L'\0' + L"cut.wav";
    EXPECT_THAT(pathsOf(takeDroppedPaths(wideDrop(cut))), ElementsAre("a.wav"));

    const HDROP outside = makeDrop({ "a.wav" });
    auto* header = static_cast<DROPFILES*>(GlobalLock(outside));
    header->pFiles = static_cast<DWORD>(GlobalSize(outside) + 1);
    GlobalUnlock(outside);
    EXPECT_THAT(takeDroppedPaths(outside), IsEmpty());
}

} // namespace
