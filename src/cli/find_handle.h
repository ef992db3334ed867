#pragma once

// A directory search of FindFirstFileA, closed when it goes (Windows only).

#include <windows.h>

class FindHandle {
public:
    explicit FindHandle(HANDLE handle)
        : handle_(handle)
    {
    }
    ~FindHandle()
    {
        if (valid()) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};
