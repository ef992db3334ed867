#pragma once

// Windows handles closed when they go (Windows only): a directory search of
// FindFirstFileA, and a file or folder opened with CreateFileA.

#include <windows.h>

template <BOOL(WINAPI* Close)(HANDLE)> class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle)
        : handle_(handle)
    {
    }
    ~ScopedHandle()
    {
        if (valid()) {
            Close(handle_);
        }
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

using FindHandle = ScopedHandle<FindClose>;
using FileHandle = ScopedHandle<CloseHandle>;
