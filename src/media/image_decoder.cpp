#include "media/image_decoder.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "media/image_header_size.h"
#include "media/jpeg_table_check.h"

namespace {

struct PixelsFree {
    void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

std::string failure(const char* what)
{
    const char* reason = stbi_failure_reason();
    return std::string(what) + (reason ? std::string(" (") + reason + ")" : std::string());
}

// The picture's size from its header, or a problem.
std::string readSize(std::span<const unsigned char> bytes, int& width, int& height)
{
    if (bytes.size() > static_cast<size_t>(INT_MAX))
        return "too large";
    if (const auto size = imageHeaderSize(imageFormatOf(bytes), bytes);
        size && uint64_t(size->first) * uint64_t(size->second) > kMaxImagePixels) {
        width = static_cast<int>(std::min<long long>(size->first, INT_MAX));
        height = static_cast<int>(std::min<long long>(size->second, INT_MAX));
        return std::to_string(size->first) + " x " + std::to_string(size->second) + " pixels is too large to show";
    }
    if (!jpegHuffmanTablesFit(bytes))
        return "a Huffman table of the JPEG holds more than 256 symbols";
    int components = 0;
    if (!stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &components))
        return failure("no picture header that reads");
    if (width <= 0 || height <= 0)
        return "the header gives no size";
    if (uint64_t(width) * uint64_t(height) > kMaxImagePixels)
        return "the header gives a size too large to show";
    return {};
}

} // namespace

MediaFormat imageFormatOf(std::span<const unsigned char> bytes)
{
    static const unsigned char kPng[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    if (bytes.size() >= sizeof kPng && std::memcmp(bytes.data(), kPng, sizeof kPng) == 0)
        return MediaFormat::Png;
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return MediaFormat::Jpeg;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return MediaFormat::Bmp;
    return MediaFormat::Unknown;
}

MediaInfo probeImage(std::span<const unsigned char> bytes, bool fullCheck)
{
    MediaInfo info;
    info.format = imageFormatOf(bytes);
    info.bytes = bytes.size();
    int width = 0;
    int height = 0;
    info.problem = readSize(bytes, width, height);
    if (width > 0 && height > 0) {
        info.width = width;
        info.height = height;
    }
    if (info.problem.empty() && fullCheck)
        info.problem = decodeImage(bytes).problem;
    return info;
}

DecodedImage decodeImage(std::span<const unsigned char> bytes)
{
    DecodedImage image;
    image.problem = readSize(bytes, image.width, image.height);
    if (!image.problem.empty())
        return image;
    int width = 0;
    int height = 0;
    int components = 0;
    const std::unique_ptr<unsigned char, PixelsFree> rgba(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &components, 4));
    if (!rgba || width != image.width || height != image.height) {
        image.problem = failure("the picture does not decode");
        return image;
    }
    const size_t pixels = size_t(width) * size_t(height);
    image.bgrx.resize(pixels * 4);
    for (size_t i = 0; i < pixels; ++i) {
        image.bgrx[i * 4] = rgba.get()[i * 4 + 2];
        image.bgrx[i * 4 + 1] = rgba.get()[i * 4 + 1];
        image.bgrx[i * 4 + 2] = rgba.get()[i * 4];
        image.bgrx[i * 4 + 3] = 0;
    }
    return image;
}
