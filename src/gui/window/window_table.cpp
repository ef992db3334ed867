#include "gui/window/window_table.h"

#include <algorithm>

WindowTable& WindowTable::global()
{
    static WindowTable table;
    return table;
}

void WindowTable::append(HWND handle, TtWindow* object)
{
    if (count_ == capacity_) {
        const int grown = capacity_ + kGrowth;
        auto handles = std::make_unique<HWND[]>(grown);
        auto objects = std::make_unique<TtWindow*[]>(grown);
        std::copy_n(handles_.get(), count_, handles.get());
        std::copy_n(objects_.get(), count_, objects.get());
        handles_ = std::move(handles);
        objects_ = std::move(objects);
        capacity_ = grown;
    }
    handles_[count_] = handle;
    objects_[count_] = object;
    ++count_;
}

TtWindow* WindowTable::find(HWND handle) const
{
    for (int i = 0; i < count_; ++i) {
        // A forgotten entry no longer claims its handle, which the system may reuse.
        if (handles_[i] == handle && objects_[i])
            return objects_[i];
    }
    return nullptr;
}

void WindowTable::forget(const TtWindow* object)
{
    for (int i = 0; i < count_; ++i) {
        if (objects_[i] == object)
            objects_[i] = nullptr;
    }
}
