#pragma once

// The editor's settings, kept in an INI file beside the executable: section "Window"
// with the main window's restored rectangle and show command, section "Save" with how a
// save lays out the chart. Read key by key at start, each section rewritten as a whole
// when the window goes.

#include <optional>

#include "gui/shell_state.h"
#include "gui/window/tt_window.h"

struct WindowSettings {
    int x = 0;
    int y = 0;
    int width = 400;
    int height = 500;
    // A show command: SW_SHOWNORMAL or SW_SHOWMAXIMIZED once saved; SW_SHOW at first start.
    int state = SW_SHOW;
};

// The settings path of a module: its path without the extension, and ".ini".
void settingsPathOf(const char* modulePath, char (&settingsPath)[ShellState::kNameSize]);

// The stored placement; a missing file or key gives that of the first start's window,
// fitted to the work area.
WindowSettings loadWindowSettings(const char* settingsPath, const RECT& workArea);

// Stores the window's restored rectangle and show command, replacing the whole section
// (any other key in it is dropped). A minimised window is stored as a normal one so that
// the next start does not come up minimised. Failures are not reported.
void saveWindowPlacement(HWND window, const char* settingsPath);

// Whether the user chose that saves keep the chart's own layout; none when the file or
// key is missing, where the editor's default holds.
std::optional<bool> loadKeepLayout(const char* settingsPath);
// Replaces the whole "Save" section. Failures are not reported.
void saveKeepLayout(bool keepLayout, const char* settingsPath);

// Places the window by its settings: position, size, then the show command.
void applyWindowSettings(TtWindow& window, const WindowSettings& settings);
