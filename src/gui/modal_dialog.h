#pragma once

// A modal dialog from a template of the resources whose OK takes what its controls hold.

#include <functional>
#include <string>

#include "gui/window/win32.h"

// Runs the dialog: fill sets its controls up, OK calls read and closes it, Cancel closes
// it. Whether OK closed it.
bool runModalDialog(HINSTANCE instance, const char* templateName, HWND owner, const std::function<void(HWND)>& fill,
    const std::function<void(HWND)>& read);

// The text of a dialog's control, whatever its length.
std::string dialogItemText(HWND dialog, int id);
