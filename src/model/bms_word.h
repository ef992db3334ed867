#pragma once

// A two-character identifier: the index of a definition, the value of an object and
// the number of a channel. Its characters are always normalised: any byte that is not
// an ASCII letter or digit is '0'; letters are upper-cased unless the word is made
// keeping case, as the indices of a #BASE 62 chart are. Its value counts in base 62 in
// the order 0-9 A-Z a-z (0..3843), so that words of upper-case letters and digits order
// as their base-36 values do. Which values a chart's lists show is its IndexBase's
// business (model/index_base.h).

#include <cstdint>

// The alphabet character at position k mod 62: 0-9, A-Z, a-z.
char base62DigitChar(int k);

namespace word_detail {
// Normalised characters (folded or keeping case) and base-62 digits of every byte; built
// at compile time so that the hot scans over channel data cost one table load per
// character. foldedDigit is the digit of the upper-cased byte.
struct CharTables {
    char folded[256];
    char keptCase[256];
    std::uint8_t digit[256];
    std::uint8_t foldedDigit[256];
};
extern const CharTables kCharTables;
} // namespace word_detail

class BmsWord {
public:
    static constexpr int kRadix = 62;
    static constexpr int kValueCount = kRadix * kRadix;

    BmsWord() = default;
    explicit BmsWord(int value) { setValue(value); }
    explicit BmsWord(const char* text) { setText(text); }
    BmsWord(char c1, char c2) { setChars(c1, c2); }
    // The word of two characters whose letters keep their case.
    static BmsWord keepingCase(char c1, char c2)
    {
        BmsWord word;
        word.high_ = keptCase(c1);
        word.low_ = keptCase(c2);
        return word;
    }
    static BmsWord ofCase(char c1, char c2, bool keepCase) { return keepCase ? keepingCase(c1, c2) : BmsWord(c1, c2); }

    // The word of base-62 value n (0 when out of range).
    void setValue(int n);
    void setText(const char* text);
    void setChars(char c1, char c2)
    {
        high_ = folded(c1);
        low_ = folded(c2);
    }

    int value() const
    {
        const auto& digit = word_detail::kCharTables.digit;
        return digit[static_cast<unsigned char>(high_)] * kRadix + digit[static_cast<unsigned char>(low_)];
    }
    char high() const { return high_; }
    char low() const { return low_; }
    bool hasLowerCase() const { return isLowerCase(high_) || isLowerCase(low_); }
    // The same word with its letters upper-cased.
    BmsWord upperCased() const { return BmsWord(high_, low_); }

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
    int compare(BmsWord other) const { return value() - other.value(); }

    friend bool operator==(BmsWord a, BmsWord b) { return a.equals(b); }

private:
    static char folded(char c) { return word_detail::kCharTables.folded[static_cast<unsigned char>(c)]; }
    static char keptCase(char c) { return word_detail::kCharTables.keptCase[static_cast<unsigned char>(c)]; }
    static bool isLowerCase(char c) { return c >= 'a' && c <= 'z'; }

    char high_ = '0';
    char low_ = '0';
};

static_assert(sizeof(BmsWord) == 2, "a line's entry holds its object in two bytes");
