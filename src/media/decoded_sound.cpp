#include "media/decoded_sound.h"

namespace {

void putLittleEndian(std::vector<unsigned char>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putTag(std::vector<unsigned char>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(tag[i]));
}

} // namespace

std::vector<unsigned char> pcmWavFile(const DecodedSound& sound)
{
    const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * sizeof(int16_t));
    const uint32_t blockAlign = static_cast<uint32_t>(sound.channels) * 2;
    std::vector<unsigned char> file;
    file.reserve(44 + dataBytes);
    putTag(file, "RIFF");
    putLittleEndian(file, 36 + dataBytes, 4);
    putTag(file, "WAVE");
    putTag(file, "fmt ");
    putLittleEndian(file, 16, 4);
    putLittleEndian(file, 1, 2);
    putLittleEndian(file, static_cast<uint32_t>(sound.channels), 2);
    putLittleEndian(file, static_cast<uint32_t>(sound.sampleRate), 4);
    putLittleEndian(file, static_cast<uint32_t>(sound.sampleRate) * blockAlign, 4);
    putLittleEndian(file, blockAlign, 2);
    putLittleEndian(file, 16, 2);
    putTag(file, "data");
    putLittleEndian(file, dataBytes, 4);
    for (int16_t sample : sound.samples)
        putLittleEndian(file, static_cast<uint16_t>(sample), 2);
    return file;
}
