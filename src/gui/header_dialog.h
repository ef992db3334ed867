#pragma once

// A modal dialog for the headers that a chart maker edits with the list but the header
// pane does not show.

#include <array>
#include <optional>
#include <string>

#include "gui/window/win32.h"

// In the order of the dialog's edits, whose ids follow ID_HEADER_DIALOG_FIRST_EDIT.
inline constexpr std::array<const char*, 5> kDialogHeaderKeys { "PLAYLEVEL", "RANK", "DIFFICULTY", "SUBTITLE",
    "STAGEFILE" };
using DialogHeaderValues = std::array<std::string, kDialogHeaderKeys.size()>;

// Shows the values in the edits; the edits' texts when the user presses OK, none when
// cancelled.
std::optional<DialogHeaderValues> askHeaders(HINSTANCE instance, HWND owner, const DialogHeaderValues& values);
