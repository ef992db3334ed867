#include "bms/bms_input.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr char kEndOfText = 0x1A;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

BmsInput::BmsInput(std::string_view bytes)
    : data_(bytes.data())
    , end_(bytes.size())
{
    if (const void* stop = std::memchr(data_, kEndOfText, end_))
        end_ = static_cast<std::size_t>(static_cast<const char*>(stop) - data_);
}

bool BmsInput::skipLine()
{
    const void* lineEnd = std::memchr(data_ + position_, '\n', end_ - position_);
    if (!lineEnd) {
        position_ = end_;
        return false;
    }
    position_ = static_cast<std::size_t>(static_cast<const char*>(lineEnd) - data_) + 1;
    return true;
}

std::string_view BmsInput::firstLineBreak() const
{
    const void* found = std::memchr(data_, '\n', end_);
    if (!found)
        return "\r\n";
    const char* lineEnd = static_cast<const char*>(found);
    return lineEnd > data_ && lineEnd[-1] == '\r' ? "\r\n" : "\n";
}

bool loadChartFile(const char* path, std::string& bytes)
{
    const std::unique_ptr<std::FILE, FileCloser> file(path ? std::fopen(path, "rb") : nullptr);
    if (!file)
        return false;

    // The first chunk comes before the size: reading a directory fails here, where its
    // "size" would ask for gigabytes.
    char chunk[1 << 16];
    std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    if (std::ferror(file.get()))
        return false;
    std::string content;
    // The size only saves copies (it is unknown for pipes and devices); reading on to
    // the end decides.
    if (got == sizeof chunk && std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        if (size > static_cast<long>(got) && std::fseek(file.get(), static_cast<long>(got), SEEK_SET) == 0)
            content.reserve(static_cast<std::size_t>(size));
    }
    // The text grows chunk by chunk rather than being sized first: sizing would fill it
    // with zeros only for the read to overwrite them, a second pass over megabytes.
    content.append(chunk, got);
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) != 0)
        content.append(chunk, got);
    if (std::ferror(file.get()))
        return false;
    bytes = std::move(content);
    return true;
}
