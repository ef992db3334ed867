#pragma once

// Maps window handles to their objects: two parallel arrays in creation order. The
// table grows by 50 entries when full and never shrinks; an entry stays when its
// window is destroyed.

#include <memory>

#include "gui/window/win32.h"

class TtWindow;

class WindowTable {
public:
    static constexpr int kGrowth = 50;

    // The table that TtWndProc consults.
    static WindowTable& global();

    void append(HWND handle, TtWindow* object);
    // The object of the first entry with this handle; null when there is none.
    TtWindow* find(HWND handle) const;
    // Keeps the entries but stops routing to an object that is going away.
    void forget(const TtWindow* object);

    int count() const { return count_; }
    int capacity() const { return capacity_; }
    HWND handleAt(int i) const { return handles_[i]; }
    TtWindow* objectAt(int i) const { return objects_[i]; }

private:
    std::unique_ptr<HWND[]> handles_;
    std::unique_ptr<TtWindow*[]> objects_;
    int count_ = 0;
    int capacity_ = 0;
};
