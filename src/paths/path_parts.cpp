#include "paths/path_parts.h"

#include <algorithm>
#include <cstring>

#include "model/ascii_chars.h"

namespace {

// Longest directory, base name or extension that is kept.
constexpr int kMaxPartLength = 255;

struct Part {
    const char* start;
    int length;
    bool keep;
};

} // namespace

int wholeCharacterLength(const char* text, int length, int limit)
{
    const std::string_view whole(text, length);
    int kept = 0;
    while (kept < length) {
        const int next = kept + characterLength(whole, kept);
        if (next > limit)
            break;
        kept = next;
    }
    return kept;
}

void keepPathParts(char* path, bool drive, bool directory, bool name, bool extension)
{
    const int length = static_cast<int>(strnlen(path, kPathBufferSize));
    const std::string_view text(path, length);
    const int driveEnd = length >= 2 && isAsciiLetter(path[0]) && path[1] == ':' ? 2 : 0;

    int nameStart = driveEnd;
    int lastDot = -1;
    for (int i = driveEnd; i < length; i += characterLength(text, i)) {
        if (isPathSeparator(path[i])) {
            nameStart = i + 1;
            lastDot = -1;
        } else if (path[i] == '.') {
            lastDot = i;
        }
    }
    const int extensionStart = lastDot >= 0 ? lastDot : length;

    const Part parts[] = {
        { path, driveEnd, drive },
        { path + driveEnd, nameStart - driveEnd, directory },
        { path + nameStart, extensionStart - nameStart, name },
        { path + extensionStart, length - extensionStart, extension },
    };
    char result[kPathBufferSize];
    int used = 0;
    for (const Part& part : parts) {
        if (!part.keep)
            continue;
        const int room = std::min(kMaxPartLength, kPathBufferSize - 1 - used);
        const int kept = wholeCharacterLength(part.start, part.length, room);
        std::memcpy(result + used, part.start, kept);
        used += kept;
    }
    result[used] = '\0';
    std::memcpy(path, result, used + 1);
}

void keepDirectory(char* path)
{
    keepPathParts(path, true, true, false, false);
}

void keepFileName(char* path)
{
    keepPathParts(path, false, false, true, true);
}

void dropExtension(char* path)
{
    keepPathParts(path, true, true, true, false);
}
