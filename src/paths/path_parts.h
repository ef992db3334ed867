#pragma once

// How paths are taken apart: separators and whole double-byte characters, and a path
// rebuilt from the parts it is asked to keep. Plain string work: no platform calls, so
// the tool and the tests use it on every platform.

#include <cstddef>
#include <string_view>

// Size of the shell's path buffers, terminator included.
constexpr int kPathBufferSize = 260;

// Both "\" and "/" separate the parts of a path.
constexpr bool isPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

// True for the first byte of a two-byte code page 932 character.
constexpr bool isDoubleByteLead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes of the character at text[i]: 2 for a lead byte whose second byte is in text,
// otherwise 1. Inline: the tool's folder lookups take every file name apart with it.
constexpr int characterLength(std::string_view text, std::size_t i)
{
    return isDoubleByteLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Bytes of the longest start of text[0, length) that has at most limit bytes and does
// not split a double-byte character.
int wholeCharacterLength(const char* text, int length, int limit);

// Rewrites path (a buffer of at least kPathBufferSize bytes) to the drive ("C:"), the
// directory (up to and including the last "\" or "/"), the base name and the extension
// (from the last dot of the name on) that are kept, in that order. Only the first
// kPathBufferSize characters are looked at; the second byte of a double-byte character
// is never taken for a separator, a dot or a colon. Each part holds at most 255
// characters, the drive 2.
void keepPathParts(char* path, bool drive, bool directory, bool name, bool extension);

// The parts the program keeps, each in place in a buffer as keepPathParts takes it:
// the drive and directory with the trailing separator (a chart's directory; empty for a
// bare file name), the file name with its extension, and the path without its extension.
void keepDirectory(char* path);
void keepFileName(char* path);
void dropExtension(char* path);
