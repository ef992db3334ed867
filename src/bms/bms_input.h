#pragma once

// The bytes of a chart as the reader sees them, the same on every platform: every
// carriage return is dropped wherever it stands, and the first byte 0x1A ends the
// input. One character can be pushed back.

#include <cstddef>
#include <string>
#include <string_view>

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
    // Consumes everything up to and including the next line end; false when the
    // input ends first.
    bool skipLine();
    void rewind() { position_ = 0; }

private:
    const char* data_;
    std::size_t end_;
    std::size_t position_ = 0;
};

// Reads the whole file at path in binary mode into bytes; false when it cannot be
// opened or read. Throws std::bad_alloc when the content does not fit in memory.
bool loadChartFile(const char* path, std::string& bytes);
