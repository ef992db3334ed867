#include "media/decoded_sound.h"

#include "media/byte_appending.h"

std::vector<unsigned char> pcmWavFile(const DecodedSound& sound)
{
    const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * sizeof(int16_t));
    const uint32_t blockAlign = static_cast<uint32_t>(sound.channels) * 2;
    std::vector<unsigned char> file;
    file.reserve(44 + dataBytes);
    appendTag(file, "RIFF");
    appendLittleEndian(file, 36 + dataBytes, 4);
    appendTag(file, "WAVE");
    appendTag(file, "fmt ");
    appendLittleEndian(file, 16, 4);
    appendLittleEndian(file, 1, 2);
    appendLittleEndian(file, static_cast<uint32_t>(sound.channels), 2);
    appendLittleEndian(file, static_cast<uint32_t>(sound.sampleRate), 4);
    appendLittleEndian(file, static_cast<uint32_t>(sound.sampleRate) * blockAlign, 4);
    appendLittleEndian(file, blockAlign, 2);
    appendLittleEndian(file, 16, 2);
    appendTag(file, "data");
    appendLittleEndian(file, dataBytes, 4);
    for (int16_t sample : sound.samples)
        appendLittleEndian(file, static_cast<uint16_t>(sample), 2);
    return file;
}
