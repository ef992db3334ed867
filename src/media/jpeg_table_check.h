#pragma once

// A guard in front of stb_image's JPEG decoder. The version Debian ships builds a
// Huffman table from the symbol counts of a DHT segment without checking that they add
// up to at most 256, and writes past the table when they do not. Such a file is refused
// before the decoder sees it.

#include <span>

// Whether every DHT segment that the decoder could find in the bytes (any 0xFF 0xC4)
// declares at most 256 symbols per table; true for bytes the decoder does not take for
// a JPEG file.
bool jpegHuffmanTablesFit(std::span<const unsigned char> bytes);
