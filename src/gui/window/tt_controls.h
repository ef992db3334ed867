#pragma once

// The system controls as window objects. They keep their system procedure unless a
// derived class subclasses them; their notifications reach the parent.

#include "gui/window/tt_window.h"

class TtStatic : public TtWindow {
public:
    const char* className() override { return "STATIC"; }
};

class TtGroup : public TtWindow {
public:
    DWORD style() override { return BS_GROUPBOX; }
    const char* className() override { return "BUTTON"; }
};

class TtEdit : public TtWindow {
public:
    DWORD exStyle() override { return WS_EX_CLIENTEDGE; }
    const char* className() override { return "EDIT"; }
};

// The styles of a list come from the derived class.
class TtList : public TtWindow {
public:
    const char* className() override { return "LISTBOX"; }

    // The row with the focus rectangle, which a click or a key moves, whatever the
    // selection; -1 when none.
    int caretIndex();
    // Moves the focus rectangle and the anchor of the next Shift selection to the row.
    void setCaretAndAnchor(int index);
    LRESULT insertString(int index, const char* text);
    LRESULT deleteString(int index);
    bool isSelected(int index);
    // Adds the row to the selection.
    LRESULT select(int index);
};

class TtTab : public TtWindow {
public:
    const char* className() override { return WC_TABCONTROLA; }

    LRESULT insertItem(int index, const char* text);
    int getCurSel();
    // The display area in the tab control's own client coordinates.
    RECT displayRect();
};

// A bar of text along the bottom of its parent, which it finds itself whenever it is
// sent WM_SIZE. Its text is its window text.
class TtStatusBar : public TtWindow {
public:
    DWORD style() override { return SBARS_SIZEGRIP; }
    const char* className() override { return STATUSCLASSNAMEA; }

    int height();
};
