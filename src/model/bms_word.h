#pragma once

// A two-character base-36 identifier, 00 to ZZ (values 0..1295): the index of a
// definition, the value of an object and the number of a channel. Its characters
// are always normalised: ASCII letters upper case, any other non-digit byte '0'.

#include <cstdint>

// The alphabet character at position k mod 36.
char base36DigitChar(int k);

// 36 * digit(c1) + digit(c2) of the two normalised characters, 0..1295.
int base36PairValue(char c1, char c2);

namespace base36_detail {
// Normalised character and digit value of every byte; built at compile time so
// that the hot scans over channel data cost one table load per character.
struct CharTables {
    char normalised[256];
    std::uint8_t digit[256];
};
extern const CharTables kCharTables;
} // namespace base36_detail

class BmsWord {
public:
    static constexpr int kValueCount = 1296;

    BmsWord() = default;
    explicit BmsWord(int value) { setValue(value); }
    explicit BmsWord(const char* text) { setText(text); }
    BmsWord(char c1, char c2) { setChars(c1, c2); }

    void setValue(int n);
    void setText(const char* text);
    void setChars(char c1, char c2)
    {
        high_ = normalise(c1);
        low_ = normalise(c2);
    }

    int value() const
    {
        const auto& digit = base36_detail::kCharTables.digit;
        return digit[static_cast<unsigned char>(high_)] * 36 + digit[static_cast<unsigned char>(low_)];
    }
    char high() const { return high_; }
    char low() const { return low_; }

    // Writes the two characters without a terminator.
    char* copyChars(char* buffer) const
    {
        buffer[0] = high_;
        buffer[1] = low_;
        return buffer;
    }
    // Writes the two characters and a terminating NUL.
    char* toText(char* buffer) const
    {
        copyChars(buffer);
        buffer[2] = '\0';
        return buffer;
    }

    bool isEmptyObject() const { return high_ == '0' && low_ == '0'; }
    bool equals(BmsWord other) const { return high_ == other.high_ && low_ == other.low_; }
    // Byte-for-byte: the arguments are not normalised, so "a1" never matches A1.
    bool equalsChars(char c1, char c2) const { return high_ == c1 && low_ == c2; }
    bool equalsText(const char* text) const;
    bool differsFromText(const char* text) const { return !equalsText(text); }
    bool equalsValue(int n) const;

    int compareValue(int n) const { return value() - n; }
    int compareChars(char c1, char c2) const { return value() - base36PairValue(c1, c2); }
    int compare(BmsWord other) const { return value() - other.value(); }

    friend bool operator==(BmsWord a, BmsWord b) { return a.equals(b); }

private:
    static char normalise(char c) { return base36_detail::kCharTables.normalised[static_cast<unsigned char>(c)]; }

    char high_ = '0';
    char low_ = '0';
};

static_assert(sizeof(BmsWord) == 2, "channel data is stored densely, two bytes per tick");
