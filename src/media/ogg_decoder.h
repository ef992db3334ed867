#pragma once

// Ogg Vorbis files, decoded by stb_vorbis.

#include <span>

#include "media/decoded_sound.h"
#include "media/media_info.h"

// Whether the bytes start like an Ogg stream.
bool looksLikeOgg(std::span<const unsigned char> bytes);

// What the Ogg Vorbis file in bytes holds. With fullCheck every packet is decoded (and
// dropped) to see that the whole file decodes; else only the headers and the length are
// read.
MediaInfo probeOgg(std::span<const unsigned char> bytes, bool fullCheck);

// The samples of the Ogg Vorbis file in bytes.
DecodedSound decodeOgg(std::span<const unsigned char> bytes);
