#pragma once

// BMP, PNG and JPEG pictures, decoded by stb_image. The size is read from the header
// before anything is decoded, and a picture larger than kMaxImagePixels is refused.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/media_info.h"

// 4096 x 4096: 64 MB decoded. The pictures of a chart are a few hundred pixels wide.
constexpr uint64_t kMaxImagePixels = uint64_t(4096) * 4096;

struct DecodedImage {
    int width = 0;
    int height = 0;
    // Rows from the top, each pixel blue, green, red and an unused byte, as a 32-bit
    // device-independent bitmap takes them.
    std::vector<unsigned char> bgrx;
    // Why the picture did not decode; empty when it did.
    std::string problem;
};

// The format that the bytes start like, or Unknown.
MediaFormat imageFormatOf(std::span<const unsigned char> bytes);

// What the picture in bytes is. With fullCheck it is decoded (and dropped) to see that
// it decodes; else only its header is read.
MediaInfo probeImage(std::span<const unsigned char> bytes, bool fullCheck);

DecodedImage decodeImage(std::span<const unsigned char> bytes);
