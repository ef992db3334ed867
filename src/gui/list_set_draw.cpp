// How a list page's rows are painted: the text that the list box holds, coloured by the
// row's marks so that the rows that need attention stand out at a glance.

#include <algorithm>
#include <string>

#include "gui/list_set.h"

namespace {

constexpr COLORREF kProblemColour = RGB(192, 0, 0);
// Room between the list's edge and the index.
constexpr int kTextIndent = 2;

COLORREF markColour(unsigned char marks)
{
    if (marks & (kMarkUnregistered | kMarkNoFile))
        return kProblemColour;
    if (marks & kMarkUnused)
        return GetSysColor(COLOR_GRAYTEXT);
    return GetSysColor(COLOR_WINDOWTEXT);
}

} // namespace

bool ListSet::drawItem(const DRAWITEMSTRUCT& item)
{
    const auto position = static_cast<int>(item.itemID);
    // The focus rectangle of an empty list, or an item that is not there.
    if (position < 0 || position >= shownCount())
        return true;
    RECT area = item.rcItem;
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(item.hDC, &area);
        return true;
    }
    std::string text(static_cast<std::size_t>(SendMessageA(handle(), LB_GETTEXTLEN, position, 0)) + 1, '\0');
    const auto length
        = static_cast<int>(SendMessageA(handle(), LB_GETTEXT, position, reinterpret_cast<LPARAM>(text.data())));
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC,
        selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                 : markColour(marks_.marks[static_cast<std::size_t>(wordAt(indexAt(position)).value())]));
    ExtTextOutA(item.hDC, area.left + kTextIndent, area.top, ETO_CLIPPED, &area, text.c_str(),
        static_cast<UINT>(std::max(length, 0)), nullptr);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &area);
    return true;
}

void ListSet::fitRowHeight(HFONT font)
{
    HDC dc = GetDC(handle());
    HGDIOBJ previous = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(handle(), dc);
    SendMessageA(handle(), LB_SETITEMHEIGHT, 0, metrics.tmHeight);
}
