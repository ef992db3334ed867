#pragma once

// The size that a BMP, PNG or JPEG header gives, read without the decoder: stb_image
// refuses a very large picture before it says how large, and the refusal should name
// the size.

#include <optional>
#include <span>
#include <utility>

#include "media/media_info.h"

// Width and height, or nothing when the header is not there or cut short.
std::optional<std::pair<long long, long long>> imageHeaderSize(
    MediaFormat format, std::span<const unsigned char> bytes);
