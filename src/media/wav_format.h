#pragma once

// The RIFF WAVE container: where its format and its samples are, read from the chunks
// the file really holds. The sizes in the headers are checked against the bytes there:
// a "RIFF" size is ignored, a "data" size larger than the rest of the file is cut to it.

#include <cstdint>
#include <span>
#include <string>

constexpr uint16_t kWavFormatPcm = 0x0001;
constexpr uint16_t kWavFormatFloat = 0x0003;

// Microsoft ADPCM, IMA ADPCM and the other ADPCM tags that keysounds are found in.
bool isAdpcmTag(uint16_t tag);

struct WavLayout {
    // The tag of WAVE_FORMAT_EXTENSIBLE files is the one of their sub-format.
    uint16_t formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    uint32_t bytesPerSecond = 0;
    // The samples: their offset in the file and how many bytes of them the file holds.
    size_t dataOffset = 0;
    size_t dataBytes = 0;
    // The frames that a "fact" chunk gives (for encodings other than PCM); 0 without one.
    uint32_t factFrames = 0;
    // What the "data" header claims; more than dataBytes when the file is cut short.
    uint64_t claimedDataBytes = 0;
    // Why the file is no WAVE file this program can read; empty when it is.
    std::string problem;
};

// Whether the bytes start like a RIFF WAVE file.
bool looksLikeWav(std::span<const unsigned char> bytes);

// The layout of the WAVE file in bytes, which may be the first part of a longer file.
WavLayout readWavLayout(std::span<const unsigned char> bytes);
