#pragma once

// The bytes of a chart as the reader sees them, the same on every platform: every
// carriage return is dropped wherever it stands, and the first byte 0x1A ends the
// input. One character can be pushed back. The reader and the layout-keeping writer
// both see the text through it, so that they never take a byte differently.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "model/ascii_chars.h"

namespace bms_input_detail {
// Object data mixes digits and letters at random: a table lookup per character
// instead of branches on the two ranges keeps the scans free of mispredictions.
inline constexpr std::array<bool, 256> kAlphanumericBytes = [] {
    std::array<bool, 256> table {};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = isAsciiAlphanumeric(c);
    return table;
}();
} // namespace bms_input_detail

// Whether c, a byte as 0..255 or BmsInput::kEnd, is a digit or a letter of an index.
inline bool isAlphanumericByte(int c)
{
    return c >= 0 && c < 256 && bms_input_detail::kAlphanumericBytes[static_cast<std::size_t>(c)];
}

class BmsInput {
public:
    static constexpr int kEnd = -1;

    explicit BmsInput(std::string_view bytes);

    // The next byte as 0..255, or kEnd.
    int get()
    {
        while (position_ < end_) {
            const unsigned char c = static_cast<unsigned char>(data_[position_++]);
            if (c != '\r')
                return c;
        }
        return kEnd;
    }
    // Pushes back c, the character that get() returned last; like ungetc, kEnd is
    // not pushed back.
    void unget(int c)
    {
        if (c != kEnd)
            --position_;
    }
    // Appends every character that keep(c) accepts to out and returns the first one
    // that it refuses (or kEnd), like get() does. Runs without carriage returns are
    // appended whole.
    template <typename Keep> int getWhile(Keep keep, std::string& out)
    {
        std::size_t runStart = position_;
        for (std::size_t at = position_; at < end_; ++at) {
            const unsigned char c = static_cast<unsigned char>(data_[at]);
            if (c == '\r') {
                out.append(data_ + runStart, at - runStart);
                runStart = at + 1;
            } else if (!keep(c)) {
                out.append(data_ + runStart, at - runStart);
                position_ = at + 1;
                return c;
            }
        }
        out.append(data_ + runStart, end_ - runStart);
        position_ = end_;
        return kEnd;
    }
    // Like getWhile, but hands the run over as a view instead of appending it: a view of
    // the text itself when no carriage return stands in the run (no copy), else of
    // scratch, which then holds the run without its carriage returns.
    template <typename Keep> int viewWhile(Keep keep, std::string& scratch, std::string_view& run)
    {
        std::size_t at = position_;
        while (at < end_ && keep(static_cast<unsigned char>(data_[at])))
            ++at;
        if (at < end_ && data_[at] == '\r') {
            scratch.assign(data_ + position_, at - position_);
            position_ = at;
            const int c = getWhile(keep, scratch);
            run = scratch;
            return c;
        }
        run = std::string_view(data_ + position_, at - position_);
        position_ = at < end_ ? at + 1 : end_;
        return at < end_ ? static_cast<unsigned char>(data_[at]) : kEnd;
    }
    // Consumes everything up to and including the next line end; false when the
    // input ends first.
    bool skipLine();
    void rewind() { position_ = 0; }

    // Where the next byte is read from, counted in the bytes of the text.
    std::size_t offset() const { return position_; }
    // Goes on reading from an offset that an earlier read reported.
    void seek(std::size_t offset) { position_ = offset; }
    // The offset at which the input ends: its first 0x1A, else its size.
    std::size_t end() const { return end_; }
    // The line break that new lines take: the input's first one ("\n" or "\r\n"), or
    // "\r\n" when it has none.
    std::string_view firstLineBreak() const;

private:
    const char* data_;
    std::size_t end_;
    std::size_t position_ = 0;
};

// Reads the whole file at path in binary mode into bytes; false when it cannot be
// opened or read. Throws std::bad_alloc when the content does not fit in memory.
bool loadChartFile(const char* path, std::string& bytes);
