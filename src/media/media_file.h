#pragma once

// Sound and picture files read from disk, never more of them than a bound: a file of
// gigabytes is measured and its start looked at, not read whole.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/decoded_sound.h"
#include "media/image_decoder.h"
#include "media/media_info.h"

// The largest file read whole: a keysound is a few megabytes, a long background track
// some tens.
constexpr uint64_t kMaxMediaFileBytes = uint64_t(256) << 20;

struct FileBytes {
    // The file's first bytes, at most the limit read with.
    std::vector<unsigned char> data;
    // The size of the whole file.
    uint64_t size = 0;
    // Why the file could not be read; empty when it was.
    std::string problem;

    bool whole() const { return data.size() == size; }
};

// Reads path (in the system's 8-bit encoding), at most limit bytes of it.
FileBytes readFileStart(const std::string& path, uint64_t limit);

// Whether a picture definition's name is one of a movie, which is not decoded.
bool isMovieName(const std::string& name);

// How deep probeMedia looks: Glance reads at most the first megabyte and what its
// headers say (an Ogg stream's length only when the file is that small), for a look
// that never makes a window wait; Headers reads the file and what its headers say (and
// an Ogg stream's length); Decode also decodes the whole file to see that it decodes.
enum class ProbeDepth { Glance, Headers, Decode };

// What the file at path is, with the reason when it cannot be read or decoded.
MediaInfo probeMediaFile(const std::string& path, ProbeDepth depth);

// What the bytes hold: the start (or all) of a file of wholeSize bytes.
MediaInfo probeMediaBytes(std::span<const unsigned char> bytes, uint64_t wholeSize, ProbeDepth depth);

// A sound as it is handed to the system to play.
struct PlayableSound {
    enum class Way {
        // Not playable: see info.problem.
        None,
        // wavFile is a complete WAVE file, played from memory.
        WavImage,
        // A format only the system's own decoders may play (FLAC, MP3), from its path.
        SystemDecoder,
    };
    Way way = Way::None;
    std::vector<unsigned char> wavFile;
    MediaInfo info;
};

// Reads and decodes the sound at path for playing: PCM and float WAVE and Ogg Vorbis
// are decoded to 16-bit PCM, other WAVE encodings are passed on as they are for the
// system to decode.
PlayableSound prepareSound(const std::string& path);

// Reads and decodes the picture at path for showing.
DecodedImage loadImage(const std::string& path);
