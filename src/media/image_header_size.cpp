#include "media/image_header_size.h"

#include <cstdint>
#include <cstdlib>

namespace {

uint32_t bigEndian(std::span<const unsigned char> bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | bytes[at + static_cast<size_t>(i)];
    return value;
}

uint32_t littleEndian(std::span<const unsigned char> bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (uint32_t(bytes[at + 3]) << 24);
}

std::optional<std::pair<long long, long long>> jpegSize(std::span<const unsigned char> bytes)
{
    // Segments after the start marker, up to the first frame header (SOFn; C4, C8 and CC
    // are other markers of that range).
    size_t at = 2;
    while (at + 9 <= bytes.size() && bytes[at] == 0xFF) {
        const unsigned char marker = bytes[at + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return std::pair<long long, long long>(bigEndian(bytes, at + 7, 2), bigEndian(bytes, at + 5, 2));
        at += 2 + bigEndian(bytes, at + 2, 2);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::pair<long long, long long>> imageHeaderSize(MediaFormat format, std::span<const unsigned char> bytes)
{
    switch (format) {
    case MediaFormat::Png:
        // The signature, then the IHDR chunk's length and type, then width and height.
        if (bytes.size() >= 24)
            return std::pair<long long, long long>(bigEndian(bytes, 16, 4), bigEndian(bytes, 20, 4));
        break;
    case MediaFormat::Bmp:
        // BITMAPINFOHEADER and its successors; a negative height is a top-down picture.
        if (bytes.size() >= 26 && littleEndian(bytes, 14) >= 40)
            return std::pair<long long, long long>(
                std::llabs(int32_t(littleEndian(bytes, 18))), std::llabs(int32_t(littleEndian(bytes, 22))));
        break;
    case MediaFormat::Jpeg:
        return jpegSize(bytes);
    default:
        break;
    }
    return std::nullopt;
}
