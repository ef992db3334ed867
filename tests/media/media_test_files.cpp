#include "media/media_test_files.h"

#include "support/test_support.h"

namespace {

void put(std::vector<unsigned char>& out, uint32_t value, int bytes)
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

std::vector<unsigned char> mediaFile(const std::string& name)
{
    const std::string bytes = readFileBytes(testDataPath("media/" + name));
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

std::vector<unsigned char> wavFile(const WavHeader& header, const std::vector<unsigned char>& sampleBytes)
{
    const int blockAlign = header.channels * header.bitsPerSample / 8;
    std::vector<unsigned char> file;
    putTag(file, "RIFF");
    put(file, 0, 4); // ignored by readers, and left wrong here on purpose
    putTag(file, "WAVE");
    putTag(file, "LIST");
    put(file, 3, 4);
    file.insert(file.end(), { 'a', 'b', 'c', 0 }); // odd size, padded
    putTag(file, "fmt ");
    put(file, 16, 4);
    put(file, header.formatTag, 2);
    put(file, static_cast<uint32_t>(header.channels), 2);
    put(file, static_cast<uint32_t>(header.sampleRate), 4);
    put(file, static_cast<uint32_t>(header.sampleRate * blockAlign), 4);
    put(file, static_cast<uint32_t>(blockAlign), 2);
    put(file, static_cast<uint32_t>(header.bitsPerSample), 2);
    putTag(file, "data");
    put(file, static_cast<uint32_t>(header.claimedDataBytes < 0 ? sampleBytes.size() : header.claimedDataBytes), 4);
    file.insert(file.end(), sampleBytes.begin(), sampleBytes.end());
    return file;
}
