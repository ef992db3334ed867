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

bool loadChartFile(const char* path, std::string& bytes)
{
    const std::unique_ptr<std::FILE, FileCloser> file(path ? std::fopen(path, "rb") : nullptr);
    if (!file)
        return false;

    // The size only saves copies (it is unknown for pipes and devices); reading on to
    // the end decides.
    std::string content;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        std::rewind(file.get());
        if (size > 0) {
            content.resize(static_cast<std::size_t>(size));
            content.resize(std::fread(content.data(), 1, content.size(), file.get()));
        }
    }
    char chunk[1 << 16];
    while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get()))
        content.append(chunk, got);
    if (std::ferror(file.get()))
        return false;
    bytes = std::move(content);
    return true;
}
