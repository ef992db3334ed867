#include "test_windows.h"

#include <cstring>
#include <shlobj.h>

#include "gui/window/window_proc.h"

HINSTANCE testInstance()
{
    return GetModuleHandleA(nullptr);
}

void prepareTestWindows()
{
    static const bool prepared = [] {
        InitCommonControls();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &TtWndProc;
        windowClass.hInstance = testInstance();
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kTestParentClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)prepared;
}

TestParent::TestParent()
{
    prepareTestWindows();
    create(nullptr, 0, testInstance());
}

TestParent::~TestParent()
{
    if (IsWindow(handle()))
        DestroyWindow(handle());
}

HDROP makeDrop(const std::vector<std::string>& paths)
{
    SIZE_T size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* out = reinterpret_cast<char*>(header + 1);
    for (const std::string& path : paths) {
        std::memcpy(out, path.c_str(), path.size() + 1);
        out += path.size() + 1;
    }
    *out = '\0';
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

LRESULT pressKey(HWND window, WPARAM key)
{
    return SendMessageA(window, WM_KEYDOWN, key, 1);
}

LRESULT pressSystemKey(HWND window, WPARAM key, bool alt)
{
    const LPARAM altBit = alt ? LPARAM(1) << 29 : 0;
    return SendMessageA(window, WM_SYSKEYDOWN, key, altBit | 1);
}

std::string listRowText(HWND list, int row)
{
    const auto length = SendMessageA(list, LB_GETTEXTLEN, row, 0);
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string listRowName(HWND list, int row)
{
    const std::string text = listRowText(list, row);
    return text.substr(0, text.find("  ("));
}

std::vector<int> selectedRows(HWND list)
{
    std::vector<int> rows;
    const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int row = 0; row < count; ++row) {
        if (SendMessageA(list, LB_GETSEL, row, 0) > 0)
            rows.push_back(row);
    }
    return rows;
}

std::string windowText(HWND window)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

RECT rectInParent(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string corners(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + ","
        + std::to_string(r.bottom);
}

std::string placeAndSize(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x"
        + std::to_string(r.bottom - r.top);
}

bool ansiCodePageIs932()
{
    return GetACP() == 932;
}
