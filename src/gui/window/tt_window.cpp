#include "gui/window/tt_window.h"

#include "gui/window/window_proc.h"
#include "gui/window/window_table.h"

TtWindow::~TtWindow()
{
    if (previousProcedure_ && IsWindow(handle_))
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure_));
    WindowTable::global().forget(this);
}

LRESULT TtWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultProcessing(message, wParam, lParam);
}

LRESULT TtWindow::defaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previousProcedure_)
        return CallWindowProcA(previousProcedure_, handle_, message, wParam, lParam);
    return DefWindowProcA(handle_, message, wParam, lParam);
}

bool TtWindow::create(TtWindow* parent, int id, HINSTANCE instance, LPVOID createParam)
{
    parent_ = parent;
    id_ = id;
    instance_ = instance;
    DWORD windowStyle = style();
    if (parent)
        windowStyle |= WS_CHILD;
    // The child identifier travels in the menu argument.
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    handle_ = CreateWindowExA(exStyle(), className(), nullptr, windowStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, parent ? parent->handle() : nullptr, menu, instance, createParam);
    if (!handle_)
        return false;
    WindowTable::global().append(handle_, this);
    return onCreate();
}

void TtWindow::subclass()
{
    previousProcedure_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle_, GWLP_WNDPROC));
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TtWndProc));
}

LRESULT TtWindow::close()
{
    return SendMessageA(handle_, WM_CLOSE, 0, 0);
}

BOOL TtWindow::show()
{
    return ShowWindow(handle_, SW_SHOW);
}

BOOL TtWindow::hide()
{
    return ShowWindow(handle_, SW_HIDE);
}

BOOL TtWindow::show(int command)
{
    return ShowWindow(handle_, command);
}

BOOL TtWindow::moveTo(int x, int y)
{
    RECT rect = {};
    GetWindowRect(handle_, &rect);
    return MoveWindow(handle_, x, y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

BOOL TtWindow::resize(int width, int height)
{
    RECT rect = {};
    GetWindowRect(handle_, &rect);
    return MoveWindow(handle_, rect.left, rect.top, width, height, TRUE);
}

BOOL TtWindow::move(int x, int y, int width, int height)
{
    return MoveWindow(handle_, x, y, width, height, TRUE);
}

BOOL TtWindow::moveToRect(int left, int top, int right, int bottom)
{
    return MoveWindow(handle_, left, top, right - left, bottom - top, TRUE);
}

bool TtWindow::placeBehind(const TtWindow& other)
{
    return SetWindowPos(handle_, other.handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

LRESULT TtWindow::setFont(HFONT font)
{
    return SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

BOOL TtWindow::bringToFront()
{
    return SetForegroundWindow(handle_);
}

BOOL TtWindow::setText(const char* text)
{
    return SetWindowTextA(handle_, text);
}

int TtWindow::getText(char* buffer, int size)
{
    return GetWindowTextA(handle_, buffer, size);
}
