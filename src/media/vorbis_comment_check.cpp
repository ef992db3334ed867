#include "media/vorbis_comment_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Page header: "OggS", version, flags, granule (8), serial (4), sequence (4), CRC (4),
// the number of segments, then their sizes.
constexpr size_t kPageHeaderBytes = 27;

// The first packets of the stream, joined from their segments across pages. A packet
// that the file breaks off in is given as far as it goes, as the decoder reads it so.
std::vector<std::vector<unsigned char>> firstPackets(std::span<const unsigned char> bytes, size_t wanted)
{
    std::vector<std::vector<unsigned char>> packets(1);
    const auto finished = [&packets] {
        if (packets.back().empty())
            packets.pop_back();
        return packets;
    };
    size_t at = 0;
    while (packets.size() <= wanted) {
        if (at + kPageHeaderBytes > bytes.size() || std::memcmp(bytes.data() + at, "OggS", 4) != 0)
            return finished();
        const size_t segments = bytes[at + 26];
        size_t data = at + kPageHeaderBytes + segments;
        if (data > bytes.size())
            return finished();
        for (size_t i = 0; i < segments && packets.size() <= wanted; ++i) {
            const size_t size = bytes[at + kPageHeaderBytes + i];
            const size_t available = std::min(size, bytes.size() - data);
            packets.back().insert(packets.back().end(), bytes.begin() + data, bytes.begin() + data + available);
            if (available < size)
                return finished();
            data += size;
            // A segment shorter than 255 bytes ends its packet.
            if (size < 255)
                packets.emplace_back();
        }
        at = data;
    }
    return finished();
}

// Reads a 32-bit little-endian length at at; false when fewer than four bytes are left.
bool readLength(const std::vector<unsigned char>& packet, size_t& at, uint32_t& value)
{
    if (packet.size() - at < 4)
        return false;
    value = uint32_t(packet[at]) | uint32_t(packet[at + 1]) << 8 | uint32_t(packet[at + 2]) << 16
        | uint32_t(packet[at + 3]) << 24;
    at += 4;
    return true;
}

} // namespace

bool vorbisCommentsFit(std::span<const unsigned char> bytes)
{
    const std::vector<std::vector<unsigned char>> packets = firstPackets(bytes, 2);
    // Without a second packet the decoder stops before the comments.
    if (packets.size() < 2)
        return true;
    const std::vector<unsigned char>& comments = packets[1];
    // Type 3 and "vorbis"; anything else the decoder refuses by itself.
    if (comments.size() < 7 || comments[0] != 3 || std::memcmp(comments.data() + 1, "vorbis", 6) != 0)
        return true;
    size_t at = 7;
    uint32_t length = 0;
    if (!readLength(comments, at, length) || length > comments.size() - at)
        return false;
    at += length;
    uint32_t count = 0;
    if (!readLength(comments, at, count) || count > (comments.size() - at) / 4)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (!readLength(comments, at, length) || length > comments.size() - at)
            return false;
        at += length;
    }
    return true;
}
