#pragma once

// What a look at a sound or picture file tells: its format, its shape and whether it
// decodes. Every field that does not apply to the format stays empty.

#include <cstdint>
#include <optional>
#include <string>

enum class MediaFormat {
    Unknown,
    WavPcm,
    // A RIFF WAVE file whose samples are not plain PCM (ADPCM, float, ...): Windows may
    // play it, some players cannot.
    WavOther,
    OggVorbis,
    Flac,
    Mp3,
    Bmp,
    Png,
    Jpeg,
    Movie,
};

struct MediaInfo {
    MediaFormat format = MediaFormat::Unknown;
    // For WavOther: the format tag of the header ("fmt " chunk).
    uint16_t wavFormatTag = 0;
    std::optional<int> channels;
    std::optional<int> sampleRate;
    std::optional<double> seconds;
    std::optional<int> width;
    std::optional<int> height;
    // The size of the whole file.
    uint64_t bytes = 0;
    // Why the file does not decode; empty when it does (or when this program cannot tell,
    // as for FLAC, MP3, movies and non-PCM WAV).
    std::string problem;
    // Something wrong that still leaves the file usable, such as a header that claims
    // more samples than the file holds.
    std::string note;

    bool decodes() const { return problem.empty(); }
};

// A short lower-case name of the format: "wav-pcm", "wav-adpcm", "wav-float",
// "wav-0x0055" (other tags), "ogg-vorbis", "flac", "mp3", "bmp", "png", "jpeg", "movie",
// "unknown".
std::string formatName(const MediaInfo& info);

// "ogg-vorbis, 2 ch, 44100 Hz, 1.50 s, 12345 bytes" or "png, 256 x 256, 1234 bytes":
// the format and what is known of the file.
std::string mediaSummary(const MediaInfo& info);

// Whether the format is one of a sound.
bool isSoundFormat(MediaFormat format);
