#pragma once

// The edit box of a header field: one line that scrolls sideways.

#include "gui/window/tt_controls.h"

class HeaderEdit : public TtEdit {
public:
    DWORD exStyle() override { return WS_EX_CLIENTEDGE; }
    DWORD style() override { return ES_AUTOHSCROLL; }
};
