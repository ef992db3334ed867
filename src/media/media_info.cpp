#include "media/media_info.h"

#include <cstdio>

#include "media/wav_format.h"

std::string formatName(const MediaInfo& info)
{
    switch (info.format) {
    case MediaFormat::WavPcm:
        return "wav-pcm";
    case MediaFormat::WavOther: {
        if (isAdpcmTag(info.wavFormatTag))
            return "wav-adpcm";
        if (info.wavFormatTag == kWavFormatFloat)
            return "wav-float";
        char name[16];
        std::snprintf(name, sizeof name, "wav-0x%04x", info.wavFormatTag);
        return name;
    }
    case MediaFormat::OggVorbis:
        return "ogg-vorbis";
    case MediaFormat::Flac:
        return "flac";
    case MediaFormat::Mp3:
        return "mp3";
    case MediaFormat::Bmp:
        return "bmp";
    case MediaFormat::Png:
        return "png";
    case MediaFormat::Jpeg:
        return "jpeg";
    case MediaFormat::Movie:
        return "movie";
    case MediaFormat::Unknown:
        break;
    }
    return "unknown";
}

std::string mediaSummary(const MediaInfo& info)
{
    std::string text = formatName(info);
    if (info.channels)
        text += ", " + std::to_string(*info.channels) + " ch";
    if (info.sampleRate)
        text += ", " + std::to_string(*info.sampleRate) + " Hz";
    if (info.seconds) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, ", %.2f s", *info.seconds);
        text += seconds;
    }
    if (info.width && info.height)
        text += ", " + std::to_string(*info.width) + " x " + std::to_string(*info.height);
    return text + ", " + std::to_string(info.bytes) + " bytes";
}

bool isSoundFormat(MediaFormat format)
{
    switch (format) {
    case MediaFormat::WavPcm:
    case MediaFormat::WavOther:
    case MediaFormat::OggVorbis:
    case MediaFormat::Flac:
    case MediaFormat::Mp3:
        return true;
    default:
        return false;
    }
}
