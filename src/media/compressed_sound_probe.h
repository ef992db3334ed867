#pragma once

// FLAC and MP3 files, which this program does not decode: known by their first bytes,
// with what their first header tells (FLAC's stream info gives the length too).

#include <span>

#include "media/media_info.h"

// The format that the bytes start like (Flac or Mp3), or Unknown.
MediaFormat compressedSoundFormatOf(std::span<const unsigned char> bytes);

MediaInfo probeCompressedSound(std::span<const unsigned char> bytes, uint64_t wholeSize);
