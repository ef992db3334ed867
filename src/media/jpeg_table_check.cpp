#include "media/jpeg_table_check.h"

#include <cstddef>

namespace {

constexpr int kMaxSymbols = 256;

// The byte at, or 0 past the end, as the decoder reads a file that ends early.
int byteAt(std::span<const unsigned char> bytes, size_t at)
{
    return at < bytes.size() ? bytes[at] : 0;
}

// The tables of the DHT segment whose length field is at start.
bool segmentFits(std::span<const unsigned char> bytes, size_t start)
{
    long remaining = ((byteAt(bytes, start) << 8) | byteAt(bytes, start + 1)) - 2;
    size_t at = start + 2;
    while (remaining > 0 && at < bytes.size()) {
        // One byte of class and destination, sixteen counts, then the symbols.
        int symbols = 0;
        for (size_t i = 0; i < 16; ++i)
            symbols += byteAt(bytes, at + 1 + i);
        if (symbols > kMaxSymbols)
            return false;
        at += 17 + static_cast<size_t>(symbols);
        remaining -= 17 + symbols;
    }
    return true;
}

} // namespace

bool jpegHuffmanTablesFit(std::span<const unsigned char> bytes)
{
    // The decoder takes for JPEG what starts with a start-of-image marker, fill bytes
    // allowed; other formats never reach its tables.
    size_t start = 0;
    while (start < bytes.size() && bytes[start] == 0xFF)
        ++start;
    if (start == 0 || start >= bytes.size() || bytes[start] != 0xD8)
        return true;
    for (size_t at = 0; at + 1 < bytes.size(); ++at) {
        if (bytes[at] == 0xFF && bytes[at + 1] == 0xC4 && !segmentFits(bytes, at + 2))
            return false;
    }
    return true;
}
