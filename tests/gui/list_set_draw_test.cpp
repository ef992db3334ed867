#include <gtest/gtest.h>
#include <set>
#include <string>

#include "editing/row_marks.h"
#include "gui/list_set.h"
#include "gui/shell_state.h"
#include "support/chart_building.h"
#include "test_windows.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 20;

// The colours of the pixels that a row's painting through its parent's WM_DRAWITEM leaves.
std::set<COLORREF> paintedColours(HWND parent, ListSet& page, int position, UINT state)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item {};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = static_cast<UINT>(page.id());
    item.itemID = static_cast<UINT>(position);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = page.handle();
    item.hDC = dc;
    item.rcItem = { 0, 0, kWidth, kHeight };
    EXPECT_EQ(TRUE, SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)));
    std::set<COLORREF> colours;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            colours.insert(GetPixel(dc, x, y));
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colours;
}

TEST(ListSetDrawTest, RowsArePaintedInTheColourOfTheirMarksAndSelectedRowsInTheSelectionColours)
{
    ShellState::instance().reset();
    // 01 used, 02 unused, 03 used without a definition.
    BmsBms document;
    document.wavTable()->set(BmsWord("01"), "kick.wav");
    document.wavTable()->set(BmsWord("02"), "spare.wav");
    placeObject(document, "11", 0, "01");
    placeObject(document, "11", 96, "03");
    ListExchanger plan;
    TestParent parent;
    ListSet page(document, kKindWav, plan);
    ASSERT_TRUE(page.create(&parent, 1051, testInstance()));
    page.showMarks(markRows(document, kKindWav, nullptr));

    const COLORREF problem = RGB(192, 0, 0);
    const struct {
        int row;
        UINT state;
        COLORREF text;
        COLORREF background;
    } cases[] = {
        { 1, 0, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW) },
        { 2, 0, GetSysColor(COLOR_GRAYTEXT), GetSysColor(COLOR_WINDOW) },
        { 3, 0, problem, GetSysColor(COLOR_WINDOW) },
        { 3, ODS_SELECTED, GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT) },
    };
    for (const auto& c : cases) {
        const std::set<COLORREF> colours = paintedColours(parent.handle(), page, c.row, c.state);
        EXPECT_TRUE(colours.count(c.text)) << c.row;
        EXPECT_TRUE(colours.count(c.background)) << c.row;
        if (c.text != problem) {
            EXPECT_FALSE(colours.count(problem)) << c.row;
        }
    }

    // Under a filter the positions are the shown rows': 02 is the only unused one.
    page.setFilter(RowFilter::Unused);
    EXPECT_TRUE(paintedColours(parent.handle(), page, 0, 0).count(GetSysColor(COLOR_GRAYTEXT)));
}

} // namespace
