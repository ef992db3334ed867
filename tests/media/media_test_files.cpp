#include "media/media_test_files.h"

#include "media/byte_appending.h"
#include "support/test_support.h"

std::vector<unsigned char> mediaFile(const std::string& name)
{
    const std::string bytes = readFileBytes(testDataPath("media/" + name));
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

std::vector<unsigned char> wavFile(const WavHeader& header, const std::vector<unsigned char>& sampleBytes)
{
    const int blockAlign = header.channels * header.bitsPerSample / 8;
    std::vector<unsigned char> file;
    appendTag(file, "RIFF");
    appendLittleEndian(file, 0, 4); // ignored by readers, and left wrong here on purpose
    appendTag(file, "WAVE");
    appendTag(file, "LIST");
    appendLittleEndian(file, 3, 4);
    file.insert(file.end(), { 'a', 'b', 'c', 0 }); // odd size, padded
    appendTag(file, "fmt ");
    appendLittleEndian(file, 16, 4);
    appendLittleEndian(file, header.formatTag, 2);
    appendLittleEndian(file, static_cast<uint32_t>(header.channels), 2);
    appendLittleEndian(file, static_cast<uint32_t>(header.sampleRate), 4);
    appendLittleEndian(file, static_cast<uint32_t>(header.sampleRate * blockAlign), 4);
    appendLittleEndian(file, static_cast<uint32_t>(blockAlign), 2);
    appendLittleEndian(file, static_cast<uint32_t>(header.bitsPerSample), 2);
    appendTag(file, "data");
    appendLittleEndian(
        file, static_cast<uint32_t>(header.claimedDataBytes < 0 ? sampleBytes.size() : header.claimedDataBytes), 4);
    file.insert(file.end(), sampleBytes.begin(), sampleBytes.end());
    return file;
}
