#include "gui/dropped_paths.h"

#include <shlobj.h>

#include "gui/shell_state.h"

namespace {

DroppedPath droppedPath(std::string path)
{
    const bool fits = path.size() < static_cast<std::size_t>(kPathBufferSize);
    return { std::move(path), fits };
}

// The path as the system's 8-bit functions give it, in the ANSI code page.
std::string narrowed(const WCHAR* path, int length)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, path, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, path, length, text.data(), size, nullptr, nullptr);
    return text;
}

// The paths that follow the header, each ended by a null and the list by another; a path
// that the block's end cuts off is left out. Char is char or WCHAR.
template <typename Char, typename Convert>
std::vector<DroppedPath> listedPaths(const char* block, SIZE_T size, SIZE_T offset, Convert convert)
{
    std::vector<DroppedPath> paths;
    const auto* at = reinterpret_cast<const Char*>(block + offset);
    const auto* end = at + (size - offset) / sizeof(Char);
    while (at < end && *at != 0) {
        const Char* start = at;
        while (at < end && *at != 0)
            ++at;
        if (at == end)
            break;
        paths.push_back(droppedPath(convert(start, static_cast<int>(at - start))));
        ++at;
    }
    return paths;
}

} // namespace

std::vector<DroppedPath> takeDroppedPaths(HDROP drop)
{
    // The drop is read in one pass: asking the system for each file by its number walks
    // the list from its start every time, which for a thousand files takes a noticeable
    // fraction of a second.
    std::vector<DroppedPath> paths;
    const SIZE_T size = GlobalSize(drop);
    if (const auto* block = static_cast<const char*>(GlobalLock(drop))) {
        const auto* header = reinterpret_cast<const DROPFILES*>(block);
        const SIZE_T offset = size >= sizeof(DROPFILES) ? header->pFiles : 0;
        if (offset >= sizeof(DROPFILES) && offset <= size) {
            if (header->fWide)
                paths = listedPaths<WCHAR>(block, size, offset, narrowed);
            else
                paths = listedPaths<char>(
                    block, size, offset, [](const char* path, int length) { return std::string(path, length); });
        }
        GlobalUnlock(drop);
    }
    DragFinish(drop);
    return paths;
}

bool acceptsDropsNow(HWND window)
{
    return IsWindowEnabled(GetAncestor(window, GA_ROOT)) != FALSE;
}
