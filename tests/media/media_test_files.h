#pragma once

// Sound and picture files for the media tests: the small ones under tests/data/media,
// and WAVE files made in memory with any header, true or not.

#include <cstdint>
#include <string>
#include <vector>

// The bytes of tests/data/media/name.
std::vector<unsigned char> mediaFile(const std::string& name);

struct WavHeader {
    uint16_t formatTag = 1;
    int channels = 1;
    int sampleRate = 8000;
    int bitsPerSample = 16;
    // What the "data" header says; by default the size of the samples given.
    int64_t claimedDataBytes = -1;
};

// A RIFF WAVE file of the header and the sample bytes, with a "LIST" chunk before
// "fmt " as some editors write.
std::vector<unsigned char> wavFile(const WavHeader& header, const std::vector<unsigned char>& sampleBytes);
