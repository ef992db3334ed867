#include "media/media_file.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "media/compressed_sound_probe.h"
#include "media/image_decoder.h"
#include "media/ogg_decoder.h"
#include "media/wav_decoder.h"
#include "media/wav_format.h"

namespace {

// What is read of a file too large to read whole: enough for every header looked at.
constexpr uint64_t kHeaderBytes = 64 * 1024;
// What a glance reads whole.
constexpr uint64_t kGlanceBytes = 1 << 20;

std::string lowerExtension(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || name.find_first_of("/\\", dot) != std::string::npos)
        return {};
    std::string extension = name.substr(dot);
    for (char& c : extension)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return extension;
}

std::string tooLargeProblem(uint64_t size)
{
    return std::to_string(size) + " bytes: larger than the " + std::to_string(kMaxMediaFileBytes >> 20)
        + " MB that are read";
}

// The file, read whole when it is not larger than limit, else its start; tooLarge
// tells which.
FileBytes readMediaFile(const std::string& path, uint64_t limit, bool& tooLarge)
{
    FileBytes file = readFileStart(path, limit);
    tooLarge = file.problem.empty() && !file.whole();
    return file;
}

} // namespace

FileBytes readFileStart(const std::string& path, uint64_t limit)
{
    FileBytes file;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        file.problem = "cannot be opened";
        return file;
    }
    const std::streamoff size = in.tellg();
    if (size < 0) {
        file.problem = "its size cannot be read";
        return file;
    }
    file.size = static_cast<uint64_t>(size);
    // A file this large is measured and its start read, so that its headers still tell.
    const uint64_t wanted = file.size > limit ? std::min<uint64_t>(limit, kHeaderBytes) : file.size;
    file.data.resize(static_cast<size_t>(wanted));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(file.data.data()), static_cast<std::streamsize>(wanted));
    file.data.resize(static_cast<size_t>(in.gcount()));
    if (file.data.size() != wanted)
        file.problem = "cannot be read";
    return file;
}

bool isMovieName(const std::string& name)
{
    static const std::array<std::string, 5> kMovieExtensions = { ".mpg", ".mpeg", ".avi", ".mp4", ".wmv" };
    return std::find(kMovieExtensions.begin(), kMovieExtensions.end(), lowerExtension(name)) != kMovieExtensions.end();
}

MediaInfo probeMediaBytes(std::span<const unsigned char> bytes, uint64_t wholeSize, ProbeDepth depth)
{
    const bool whole = bytes.size() == wholeSize;
    const bool decode = depth == ProbeDepth::Decode && whole;
    MediaInfo info;
    if (wholeSize == 0) {
        info.problem = "the file is empty";
        return info;
    }
    if (looksLikeWav(bytes)) {
        info = probeWav(bytes, wholeSize);
        if (decode && info.format == MediaFormat::WavPcm && info.problem.empty())
            info.problem = decodeWav(bytes).problem;
    } else if (looksLikeOgg(bytes)) {
        if (whole) {
            info = probeOgg(bytes, decode);
        } else {
            info.format = MediaFormat::OggVorbis;
        }
    } else if (imageFormatOf(bytes) != MediaFormat::Unknown) {
        info = probeImage(bytes, decode);
    } else if (compressedSoundFormatOf(bytes) != MediaFormat::Unknown) {
        info = probeCompressedSound(bytes, wholeSize);
    } else {
        info.problem = "not a sound or picture format that this program knows";
    }
    info.bytes = wholeSize;
    return info;
}

MediaInfo probeMediaFile(const std::string& path, ProbeDepth depth)
{
    if (isMovieName(path)) {
        MediaInfo info;
        info.format = MediaFormat::Movie;
        info.bytes = readFileStart(path, 0).size;
        return info;
    }
    bool tooLarge = false;
    const FileBytes file
        = readMediaFile(path, depth == ProbeDepth::Glance ? kGlanceBytes : kMaxMediaFileBytes, tooLarge);
    if (!file.problem.empty()) {
        MediaInfo info;
        info.bytes = file.size;
        info.problem = file.problem;
        return info;
    }
    MediaInfo info = probeMediaBytes(file.data, file.size, depth);
    if (tooLarge && info.problem.empty() && depth != ProbeDepth::Glance)
        info.problem = tooLargeProblem(file.size);
    return info;
}

PlayableSound prepareSound(const std::string& path)
{
    PlayableSound sound;
    bool tooLarge = false;
    FileBytes file = readMediaFile(path, kMaxMediaFileBytes, tooLarge);
    sound.info = probeMediaBytes(file.data, file.size, ProbeDepth::Headers);
    if (!file.problem.empty() || tooLarge) {
        sound.info.problem = tooLarge ? tooLargeProblem(file.size) : file.problem;
        return sound;
    }
    if (!sound.info.problem.empty())
        return sound;
    DecodedSound decoded;
    switch (sound.info.format) {
    case MediaFormat::WavPcm:
        decoded = decodeWav(file.data);
        break;
    case MediaFormat::OggVorbis:
        decoded = decodeOgg(file.data);
        break;
    case MediaFormat::WavOther:
        if (sound.info.wavFormatTag == kWavFormatFloat) {
            decoded = decodeWav(file.data);
            break;
        }
        sound.way = PlayableSound::Way::WavImage;
        sound.wavFile = std::move(file.data);
        return sound;
    case MediaFormat::Flac:
    case MediaFormat::Mp3:
        sound.way = PlayableSound::Way::SystemDecoder;
        return sound;
    default:
        sound.info.problem = "not a sound";
        return sound;
    }
    if (!decoded.problem.empty()) {
        sound.info.problem = decoded.problem;
        return sound;
    }
    sound.way = PlayableSound::Way::WavImage;
    sound.wavFile = pcmWavFile(decoded);
    return sound;
}

DecodedImage loadImage(const std::string& path)
{
    bool tooLarge = false;
    const FileBytes file = readMediaFile(path, kMaxMediaFileBytes, tooLarge);
    if (!file.problem.empty() || tooLarge) {
        DecodedImage image;
        image.problem = tooLarge ? tooLargeProblem(file.size) : file.problem;
        return image;
    }
    return decodeImage(file.data);
}
