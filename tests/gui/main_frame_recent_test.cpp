#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "main_frame_fixture.h"
#include "quelmarn_version.h"
#include "resource_ids.h"
#include "test_windows.h"

namespace {

class MainFrameRecentTest : public MainFrameTest {
protected:
    // The File menu's items between the fixed ones and the separator above Exit.
    std::vector<std::string> recentItems() const
    {
        HMENU file = GetSubMenu(GetMenu(frame->handle()), 0);
        std::vector<std::string> items;
        for (int i = 0; i < RecentFiles::kCount; ++i) {
            char text[512] = {};
            if (GetMenuStringA(file, ID_FILE_RECENT_FIRST + i, text, sizeof text, MF_BYCOMMAND) > 0)
                items.emplace_back(text);
        }
        return items;
    }
    void restart()
    {
        destroyMainWindow(*frame);
        makeFrame();
        ASSERT_TRUE(frame->create(nullptr, 0, testInstance()));
    }
    // "&n path", as the menu numbers its items. Strings here are appended piece by piece:
    // GCC 12 warns wrongly (-Wrestrict) about a literal joined to a string.
    static std::string item(int number, const std::string& path)
    {
        std::string text = "&";
        text += std::to_string(number);
        text += ' ';
        text += path;
        return text;
    }
    std::string chart(int number)
    {
        std::string name = std::to_string(number);
        name += ".bms";
        return writeChartFile(name, "#TITLE T\r\n");
    }
};

TEST_F(MainFrameRecentTest, OpenedChartsComeFirstAtMostEightAndComeBackAfterARestart)
{
    EXPECT_TRUE(recentItems().empty());
    HMENU file = GetSubMenu(GetMenu(frame->handle()), 0);
    const int fixedItems = GetMenuItemCount(file);
    for (int i = 1; i <= 10; ++i)
        ASSERT_TRUE(frame->openChart(chart(i).c_str()));
    // Opening one of them again moves it up rather than listing it twice.
    ASSERT_TRUE(frame->openChart(chart(5).c_str()));
    const std::vector<std::string> expected = { item(1, chart(5)), item(2, chart(10)), item(3, chart(9)),
        item(4, chart(8)), item(5, chart(7)), item(6, chart(6)), item(7, chart(4)), item(8, chart(3)) };
    EXPECT_EQ(expected, recentItems());
    // Eight items and their separator, above Exit.
    EXPECT_EQ(fixedItems + 9, GetMenuItemCount(file));
    EXPECT_EQ(static_cast<UINT>(ID_FILE_EXIT), GetMenuItemID(file, GetMenuItemCount(file) - 1));

    restart();
    EXPECT_EQ(expected, recentItems());
}

TEST_F(MainFrameRecentTest, ChoosingAChartOpensItAndAMissingOneIsSaidAndDropped)
{
    const std::string kept = chart(1);
    const std::string gone = chart(2);
    ASSERT_TRUE(frame->openChart(kept.c_str()));
    ASSERT_TRUE(frame->openChart(gone.c_str()));
    std::filesystem::remove(gone);
    sendCommand(*frame, ID_FILE_NEW);

    sendCommand(*frame, ID_FILE_RECENT_FIRST);
    expectOnlyDialog(QUELMARN_NAME, (gone + " が見つからないため、一覧から外しました。").c_str());
    EXPECT_EQ(std::vector<std::string> { item(1, kept) }, recentItems());
    EXPECT_EQ("", std::string(ShellState::instance().fileName));

    sendCommand(*frame, ID_FILE_RECENT_FIRST);
    EXPECT_EQ(kept, std::string(ShellState::instance().fileName));
}

} // namespace
