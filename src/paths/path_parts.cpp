#include "paths/path_parts.h"

#include <algorithm>
#include <cstring>

#include "model/ascii_chars.h"

namespace {

// Longest directory, base name or extension that is kept.
constexpr int kMaxPartLength = 255;

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Bytes of the character at text[i]: 2 for a lead byte with its second byte present.
int characterLength(const char* text, int i, int length)
{
    return isDoubleByteLead(static_cast<unsigned char>(text[i])) && i + 1 < length ? 2 : 1;
}

struct Part {
    const char* start;
    int length;
    bool keep;
};

} // namespace

bool isDoubleByteLead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

int wholeCharacterLength(const char* text, int length, int limit)
{
    int kept = 0;
    while (kept < length) {
        const int next = kept + characterLength(text, kept, length);
        if (next > limit)
            break;
        kept = next;
    }
    return kept;
}

void keepPathParts(char* path, bool drive, bool directory, bool name, bool extension)
{
    const int length = static_cast<int>(strnlen(path, kPathBufferSize));
    const int driveEnd = length >= 2 && isAsciiLetter(path[0]) && path[1] == ':' ? 2 : 0;

    int nameStart = driveEnd;
    int lastDot = -1;
    for (int i = driveEnd; i < length; i += characterLength(path, i, length)) {
        if (isSeparator(path[i])) {
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
