#pragma once

// Real windows for the GUI tests: a top-level parent routed through TtWndProc, and the
// messages the system sends for keys and dropped files.

#include <string>
#include <vector>

#include "gui/window/tt_app.h"

// Window class of the test parents, registered once with TtWndProc.
constexpr const char* kTestParentClass = "QuelmarnTestParent";

HINSTANCE testInstance();
// Initialises the common controls and registers the test parent class, once.
void prepareTestWindows();

// A top-level window of the test class; created, not shown.
class TestParent : public TtApp {
public:
    TestParent();
    ~TestParent() override;
    const char* className() override { return kTestParentClass; }
    // Leaves the message queue alone: a test window's end is no reason to quit.
    LRESULT onDestroy() override { return 0; }
};

// A drop of the paths in global memory, as the shell hands it to WM_DROPFILES: a
// DROPFILES header, each path with its terminator, and one more terminator.
HDROP makeDrop(const std::vector<std::string>& paths);

// WM_KEYDOWN, and WM_SYSKEYDOWN with or without the Alt context bit.
LRESULT pressKey(HWND window, WPARAM key);
LRESULT pressSystemKey(HWND window, WPARAM key, bool alt);

// The text of a list box row as LB_GETTEXT gives it.
std::string listRowText(HWND list, int row);
// The row's index and file name, without the marks that follow them.
std::string listRowName(HWND list, int row);
std::vector<int> selectedRows(HWND list);
std::string windowText(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT rectInParent(HWND window);
// "left,top,right,bottom", and "left,top widthxheight": rectangles compare in one line.
std::string corners(const RECT& r);
std::string placeAndSize(const RECT& r);

// The system's ANSI code page is the program's: texts compare byte for byte.
bool ansiCodePageIs932();
