#pragma once

// The editor of a list row's file name in place: an edit box over the row, which Enter
// or leaving it confirms and Escape cancels.

#include <functional>
#include <string>

#include "gui/window/tt_controls.h"

class RowNameEdit : public TtEdit {
public:
    using Confirm = std::function<void(const std::string& name)>;

    DWORD exStyle() override { return 0; }
    DWORD style() override { return WS_BORDER | ES_AUTOHSCROLL; }
    // Takes the edit box's messages, for the keys that end the edit.
    bool onCreate() override;
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Shows the editor over the list's item at the position, in the list's font, with
    // the text selected, and gives it the focus; confirm gets the text once confirmed.
    // Created under the list the first time.
    void begin(TtList& list, int position, const std::string& text, Confirm confirm);
    // Ends an edit in progress, handing the text on when confirmed; the list gets the
    // focus back.
    void end(bool confirmed);
    bool editing() const { return static_cast<bool>(confirm_); }

private:
    // Leaving the editor confirms it once the focus has moved: what confirming does may
    // ask the user, which must not happen while the focus is changing hands.
    static constexpr UINT kEndAfterFocusLeft = WM_APP + 1;

    void finish(bool confirmed, bool focusList);

    Confirm confirm_;
    // Tells a confirmation posted for an earlier edit from the edit in progress.
    WPARAM edit_ = 0;
};
