#pragma once

// PCM WAVE files (8, 16, 24 and 32-bit integers, 32-bit float) decoded to 16-bit samples.

#include <span>

#include "media/decoded_sound.h"
#include "media/media_info.h"

// What the WAVE file in bytes holds; the file is wholeSize bytes long of which bytes is
// the start (or all).
MediaInfo probeWav(std::span<const unsigned char> bytes, uint64_t wholeSize);

// The samples of a PCM or float WAVE file that bytes holds whole.
DecodedSound decodeWav(std::span<const unsigned char> bytes);
