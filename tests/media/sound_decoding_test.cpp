#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "media/media_file.h"
#include "media/media_test_files.h"
#include "media/ogg_decoder.h"
#include "media/wav_decoder.h"

namespace {

double rms(const std::vector<int16_t>& samples)
{
    double sum = 0;
    for (int16_t sample : samples)
        sum += double(sample) * sample;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

} // namespace

TEST(SoundDecoding, OggMatchesTheSoundItWasEncodedFromWithinTheCodecsTolerance)
{
    const DecodedSound source = decodeWav(mediaFile("tone.wav"));
    const DecodedSound ogg = decodeOgg(mediaFile("tone.ogg"));
    ASSERT_EQ(source.problem, "");
    ASSERT_EQ(ogg.problem, "");
    EXPECT_EQ(ogg.channels, 1);
    EXPECT_EQ(ogg.sampleRate, 22050);
    ASSERT_EQ(ogg.samples.size(), source.samples.size());
    std::vector<int16_t> difference;
    for (size_t i = 0; i < source.samples.size(); ++i)
        difference.push_back(static_cast<int16_t>(ogg.samples[i] - source.samples[i]));
    // Vorbis at quality 6 keeps a pure tone to well under a percent of its level.
    EXPECT_LT(rms(difference), 0.02 * rms(source.samples));
}

TEST(SoundDecoding, ProbesTheLengthAndShapeOfEachFormat)
{
    struct Case {
        const char* file;
        const char* format;
        int channels;
        int sampleRate;
        double seconds;
    };
    for (const Case& c :
        { Case { "tone.wav", "wav-pcm", 1, 22050, 0.25 }, Case { "tone.ogg", "ogg-vorbis", 1, 22050, 0.25 },
            Case { "stereo.wav", "wav-pcm", 2, 22050, 0.1 }, Case { "adpcm.wav", "wav-adpcm", 2, 22050, 0.1 } }) {
        const std::vector<unsigned char> bytes = mediaFile(c.file);
        const MediaInfo info = probeMediaBytes(bytes, bytes.size(), ProbeDepth::Decode);
        EXPECT_EQ(formatName(info), c.format) << c.file;
        EXPECT_EQ(info.problem, "") << c.file;
        EXPECT_EQ(info.channels, c.channels) << c.file;
        EXPECT_EQ(info.sampleRate, c.sampleRate) << c.file;
        ASSERT_TRUE(info.seconds) << c.file;
        EXPECT_NEAR(*info.seconds, c.seconds, 0.01) << c.file;
        EXPECT_EQ(info.bytes, bytes.size()) << c.file;
    }
}

TEST(SoundDecoding, DecodesEveryPcmDepthAndFloatToSixteenBits)
{
    struct Case {
        uint16_t tag;
        int bits;
        std::vector<unsigned char> bytes;
        std::vector<int16_t> samples;
    };
    const unsigned char minusHalf[4] = { 0, 0, 0, 0xBF }; // -0.5f
    const unsigned char twoPointZero[4] = { 0, 0, 0, 0x40 }; // 2.0f, clipped
    const std::vector<Case> cases = {
        { 1, 8, { 0x80, 0xFF, 0x00 }, { 0, 127 * 256, -128 * 256 } },
        { 1, 16, { 0x34, 0x12, 0x00, 0x80 }, { 0x1234, -32768 } },
        { 1, 24, { 0x99, 0x34, 0x12, 0x00, 0x00, 0x80 }, { 0x1234, -32768 } },
        { 1, 32, { 0x00, 0x99, 0x34, 0x12 }, { 0x1234 } },
        { 3, 32,
            { minusHalf[0], minusHalf[1], minusHalf[2], minusHalf[3], twoPointZero[0], twoPointZero[1], twoPointZero[2],
                twoPointZero[3] },
            { -16384, 32767 } },
    };
    for (const Case& c : cases) {
        const DecodedSound sound = decodeWav(wavFile({ .formatTag = c.tag, .bitsPerSample = c.bits }, c.bytes));
        EXPECT_EQ(sound.problem, "") << c.bits;
        EXPECT_EQ(sound.samples, c.samples) << c.bits;
    }
}

TEST(SoundDecoding, AHeaderThatClaimsMoreSamplesThanTheFileHoldsIsNamedAndCutToTheFile)
{
    const std::vector<unsigned char> bytes
        = wavFile({ .claimedDataBytes = 0x7FFFFFF0 }, std::vector<unsigned char>(1600, 0));
    const MediaInfo info = probeMediaBytes(bytes, bytes.size(), ProbeDepth::Decode);
    EXPECT_EQ(info.problem, "");
    EXPECT_EQ(info.note, "the header claims 2147483632 bytes of samples, the file holds 1600");
    EXPECT_DOUBLE_EQ(*info.seconds, 0.1);
    EXPECT_EQ(decodeWav(bytes).samples.size(), 800u);
}

TEST(SoundDecoding, BrokenFilesGiveAReasonAndNoSamples)
{
    std::vector<unsigned char> ogg = mediaFile("tone.ogg");
    std::vector<unsigned char> corruptOgg = ogg;
    for (size_t i = 200; i < corruptOgg.size(); i += 7)
        corruptOgg[i] ^= 0x5A;
    // The identification header's sample rate, 4 bytes at 40 in the first page.
    std::vector<unsigned char> oggOutOfRange = ogg;
    std::fill_n(oggOutOfRange.begin() + 40, 4, 0xFF);
    const std::vector<unsigned char> wav = mediaFile("tone.wav");
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
        const char* problem;
    };
    const std::vector<Case> cases = {
        { "empty", {}, "the file is empty" },
        { "text", { 'h', 'e', 'l', 'l', 'o' }, "not a sound or picture format that this program knows" },
        { "WAV cut in its header", { wav.begin(), wav.begin() + 30 }, "the format header is cut short" },
        { "WAV without samples", { wav.begin(), wav.begin() + 36 }, "no samples (\"data\" chunk)" },
        { "WAV of 12-bit samples", wavFile({ .bitsPerSample = 12 }, { 1, 2, 3, 4 }), "12-bit PCM samples" },
        { "WAV without channels", wavFile({ .channels = 0 }, {}),
            "the format header gives no channels or no sample rate" },
        { "Ogg cut in its headers", { ogg.begin(), ogg.begin() + 100 }, nullptr },
        { "Ogg with bytes changed", corruptOgg, nullptr },
        { "Ogg with a sample rate beyond an int", oggOutOfRange, "its sample rate is out of range" },
    };
    for (const Case& c : cases) {
        const MediaInfo info = probeMediaBytes(c.bytes, c.bytes.size(), ProbeDepth::Decode);
        if (c.problem)
            EXPECT_EQ(info.problem, c.problem) << c.what;
        else
            EXPECT_NE(info.problem, "") << c.what;
        EXPECT_FALSE(info.decodes()) << c.what;
    }
}

TEST(SoundDecoding, AnOggCutShortStillGivesTheSamplesBeforeTheCut)
{
    const std::vector<unsigned char> ogg = mediaFile("tone.ogg");
    const DecodedSound sound = decodeOgg(std::vector<unsigned char>(ogg.begin(), ogg.begin() + ogg.size() * 2 / 3));
    // Either the stream ends where the last whole page ends, or the decoder says it broke.
    if (sound.problem.empty()) {
        EXPECT_GT(sound.samples.size(), 0u);
        EXPECT_LT(sound.samples.size(), 5513u);
    } else {
        EXPECT_TRUE(sound.samples.empty());
    }
}

TEST(SoundDecoding, KnowsFlacAndMp3ByTheirFirstBytes)
{
    // STREAMINFO of 44100 Hz stereo, 88200 frames.
    std::vector<unsigned char> flac = { 'f', 'L', 'a', 'C', 0x80, 0, 0, 34, 0x10, 0, 0x10, 0, 0, 0, 0, 0, 0, 0, 0x0A,
        0xC4, 0x42, 0xF0, 0, 0x01, 0x58, 0x88 };
    flac.resize(8 + 34);
    const MediaInfo flacInfo = probeMediaBytes(flac, 1000, ProbeDepth::Decode);
    EXPECT_EQ(formatName(flacInfo), "flac");
    EXPECT_EQ(flacInfo.channels, 2);
    EXPECT_EQ(flacInfo.sampleRate, 44100);
    EXPECT_DOUBLE_EQ(*flacInfo.seconds, 2.0);
    EXPECT_EQ(flacInfo.bytes, 1000u);

    // An ID3v2 tag of 4 bytes, then an MPEG-1 layer III frame at 48 kHz, mono.
    const std::vector<unsigned char> mp3
        = { 'I', 'D', '3', 4, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0xFF, 0xFB, 0x94, 0xC0, 0, 0 };
    const MediaInfo mp3Info = probeMediaBytes(mp3, mp3.size(), ProbeDepth::Decode);
    EXPECT_EQ(formatName(mp3Info), "mp3");
    EXPECT_EQ(mp3Info.channels, 1);
    EXPECT_EQ(mp3Info.sampleRate, 48000);
    EXPECT_FALSE(mp3Info.seconds);
}

TEST(SoundDecoding, AnOggWhoseCommentHeaderClaimsMoreThanItsPacketHoldsIsRefusedBeforeDecoding)
{
    const std::vector<unsigned char> ogg = mediaFile("tone.ogg");
    const unsigned char marker[] = { 3, 'v', 'o', 'r', 'b', 'i', 's' };
    const auto comments = std::search(ogg.begin(), ogg.end(), std::begin(marker), std::end(marker));
    ASSERT_NE(comments, ogg.end());
    const size_t vendorLength = static_cast<size_t>(comments - ogg.begin()) + 7;
    const size_t vendorBytes = ogg[vendorLength] | (ogg[vendorLength + 1] << 8);
    for (size_t field : { vendorLength, vendorLength + 4 + vendorBytes }) {
        std::vector<unsigned char> lying = ogg;
        for (size_t i = 0; i < 4; ++i)
            lying[field + i] = i == 3 ? 0x7F : 0xFF;
        EXPECT_EQ(decodeOgg(lying).problem, "the comment header does not fit in its packet") << field;
    }
}
