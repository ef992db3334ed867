#pragma once

// The base of every window and control of the program. The virtual operations supply
// the creation parameters, run once after creation and receive the window's messages;
// they stand in this order: exStyle, style, className, onCreate, windowProc.

#include "gui/window/win32.h"

// A handler's answer that asks for default window processing instead.
constexpr LRESULT NotHandled = 0x8000;

class TtWindow {
public:
    TtWindow() = default;
    TtWindow(const TtWindow&) = delete;
    TtWindow& operator=(const TtWindow&) = delete;

    virtual DWORD exStyle() { return 0; }
    virtual DWORD style() { return 0; }
    // Null: a bare TtWindow cannot be created.
    virtual const char* className() { return nullptr; }
    // Runs once the window exists and is reachable through TtWndProc; false fails create.
    virtual bool onCreate() { return true; }
    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints an item of an owner-drawn control, which its parent's WM_DRAWITEM asks for;
    // false leaves it to the parent's default processing.
    virtual bool drawItem(const DRAWITEMSTRUCT&) { return false; }

    // The program's windows live until the process ends. An object that goes earlier
    // (in tests) hands its control back to the control's own procedure and is no
    // longer reached through the window table.
    virtual ~TtWindow();

    // Creates the window (WS_CHILD added under a parent, never WS_VISIBLE) and joins
    // the window table. Messages sent during creation get DefWindowProcA.
    bool create(TtWindow* parent, int id, HINSTANCE instance, LPVOID createParam = nullptr);
    // Routes an existing control's messages through TtWndProc; what windowProc leaves
    // to default processing reaches the control's own procedure.
    void subclass();

    TtWindow* parent() const { return parent_; }
    HWND handle() const { return handle_; }
    int id() const { return id_; }
    HINSTANCE instance() const { return instance_; }
    WNDPROC previousProcedure() const { return previousProcedure_; }

    LRESULT close();
    BOOL show();
    BOOL hide();
    BOOL show(int command);
    // Keeps the size.
    BOOL moveTo(int x, int y);
    // Keeps the position as GetWindowRect reports it.
    BOOL resize(int width, int height);
    BOOL move(int x, int y, int width, int height);
    BOOL moveToRect(int left, int top, int right, int bottom);
    // Puts this window directly behind the other one in the Z order.
    bool placeBehind(const TtWindow& other);
    LRESULT setFont(HFONT font);
    BOOL bringToFront();
    BOOL setText(const char* text);
    // Characters copied into buffer (size bytes, terminator included).
    int getText(char* buffer, int size);

protected:
    // CallWindowProcA to the saved procedure of a subclassed control, else DefWindowProcA.
    LRESULT defaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

private:
    TtWindow* parent_ = nullptr;
    HWND handle_ = nullptr;
    int id_ = 0;
    HINSTANCE instance_ = nullptr;
    WNDPROC previousProcedure_ = nullptr;
};
