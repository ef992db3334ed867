#include "gui/dropped_paths.h"

#include "gui/shell_state.h"
#include "gui/window/message_decoding.h"

std::vector<DroppedPath> takeDroppedPaths(HDROP drop)
{
    std::vector<DroppedPath> paths;
    const UINT count = droppedFileCount(drop);
    for (UINT k = 0; k < count; ++k) {
        const UINT length = DragQueryFileA(drop, k, nullptr, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, k, path.data(), length + 1);
        path.resize(length);
        paths.push_back({ std::move(path), length < static_cast<UINT>(kPathBufferSize) });
    }
    DragFinish(drop);
    return paths;
}

bool acceptsDropsNow(HWND window)
{
    return IsWindowEnabled(GetAncestor(window, GA_ROOT)) != FALSE;
}
