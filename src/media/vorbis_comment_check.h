#pragma once

// A guard in front of stb_vorbis. The version Debian ships takes the lengths and the
// count in a stream's comment header as they are: a negative length moves its arena
// backwards, and a count it cannot allocate leaves a null list that it then reads. A
// stream whose comment header does not fit in its own packet is refused before the
// decoder sees it.

#include <span>

// Whether the Ogg stream's second packet (the comment header), read from its pages as
// the decoder reads it, holds its vendor string and every comment it counts.
bool vorbisCommentsFit(std::span<const unsigned char> bytes);
