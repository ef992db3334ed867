#pragma once

// Sound decoded to 16-bit samples, and the in-memory WAV file that plays them.

#include <cstdint>
#include <string>
#include <vector>

struct DecodedSound {
    int channels = 0;
    int sampleRate = 0;
    // Interleaved, one frame of channels after another.
    std::vector<int16_t> samples;
    // Why the sound did not decode; empty when it did.
    std::string problem;
};

// The most samples a decode keeps, over all channels: about eleven minutes of 48 kHz
// stereo, 128 MB. A longer sound is refused rather than filling the memory.
constexpr size_t kMaxDecodedSamples = size_t(64) << 20;

// A complete 16-bit PCM RIFF WAVE file of the sound, for a player that takes a file image.
std::vector<unsigned char> pcmWavFile(const DecodedSound& sound);
