#pragma once

// The editor's start: the main window class, the objects that live for the whole run,
// the window placed as the settings file says, the command line's chart, and the
// message loop. Each step is its own function so that tests can run them one by one.

#include "gui/main_frame.h"
#include "gui/window/win32.h"

// Registers the class "QUELMARN" with the icon "MAIN_ICON" and the menu "MAIN_MENU".
bool registerMainWindowClass(HINSTANCE instance);

// Creates the window (its creation builds every child window), sets the caption,
// places it by its settings file and opens the chart that the command line names.
// Shows a box without an owner and returns false when the window cannot be created.
bool startMainWindow(MainFrame& frame, HINSTANCE instance, const char* commandLine);

// Opens the chart that the command line's first argument names, if any. An argument
// too long for a path is refused with the open error box.
void openCommandLineChart(MainFrame& frame, const char* commandLine);

// The whole run, as WinMain hands it over: the exit code, -1 when the editor cannot
// start.
int runEditor(HINSTANCE instance, const char* commandLine);
