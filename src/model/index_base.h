#pragma once

// The base of a chart's indices. Base 36 (the default): 00 to ZZ, 1,296 rows, a
// lower-case letter meaning its upper case. Base 62, after #BASE 62: 00 to zz, 3,844
// rows, case-sensitive in the order 0-9 A-Z a-z. Rows count in the chart's base, so
// that row r + 1 is the index after row r in either.

#include "model/bms_word.h"

class IndexBase {
public:
    static constexpr int kDefaultRadix = 36;
    static constexpr int kCaseSensitiveRadix = BmsWord::kRadix;

    constexpr IndexBase() = default;
    static constexpr IndexBase ofRadix(int radix)
    {
        return IndexBase(radix == kCaseSensitiveRadix ? kCaseSensitiveRadix : kDefaultRadix);
    }

    constexpr int radix() const { return radix_; }
    constexpr bool isCaseSensitive() const { return radix_ == kCaseSensitiveRadix; }
    constexpr int rowCount() const { return radix_ * radix_; }

    // The index at a row of 0..rowCount()-1.
    BmsWord wordAt(int row) const
    {
        return BmsWord::keepingCase(base62DigitChar(row / radix_), base62DigitChar(row % radix_));
    }
    // The row of an index, or -1 for one that this base cannot write (a lower-case
    // letter in base 36).
    int rowOf(BmsWord word) const
    {
        const auto& digit = word_detail::kCharTables.digit;
        const int high = digit[static_cast<unsigned char>(word.high())];
        const int low = digit[static_cast<unsigned char>(word.low())];
        return high < radix_ && low < radix_ ? high * radix_ + low : -1;
    }
    // The word that two characters of the chart's text spell in this base.
    BmsWord word(char c1, char c2) const { return BmsWord::ofCase(c1, c2, isCaseSensitive()); }
    // The base-62 digits (BmsWord values) of the characters as this base reads them.
    const std::uint8_t* digits() const
    {
        return isCaseSensitive() ? word_detail::kCharTables.digit : word_detail::kCharTables.foldedDigit;
    }

    friend constexpr bool operator==(IndexBase a, IndexBase b) { return a.radix_ == b.radix_; }

private:
    constexpr explicit IndexBase(int radix)
        : radix_(radix)
    {
    }

    int radix_ = kDefaultRadix;
};
