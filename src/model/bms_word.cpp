#include "model/bms_word.h"

#include "model/ascii_chars.h"

namespace {

constexpr char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

constexpr std::uint8_t digitOf(char c)
{
    std::uint8_t digit = 0;
    while (kAlphabet[digit] != c)
        ++digit;
    return digit;
}

constexpr word_detail::CharTables buildCharTables()
{
    word_detail::CharTables tables {};
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const char keptCase = isAsciiAlphanumeric(c) ? c : '0';
        const char folded = asciiUpperCase(keptCase);
        tables.folded[byte] = folded;
        tables.keptCase[byte] = keptCase;
        tables.digit[byte] = digitOf(keptCase);
        tables.foldedDigit[byte] = digitOf(folded);
    }
    return tables;
}

} // namespace

namespace word_detail {
constexpr CharTables kCharTables = buildCharTables();
} // namespace word_detail

char base62DigitChar(int k)
{
    int position = k % BmsWord::kRadix;
    return kAlphabet[position < 0 ? position + BmsWord::kRadix : position];
}

void BmsWord::setValue(int n)
{
    if (n < 0 || n >= kValueCount)
        n = 0;
    high_ = base62DigitChar(n / kRadix);
    low_ = base62DigitChar(n % kRadix);
}

void BmsWord::setText(const char* text)
{
    // A missing character counts as invalid; the second is not read past a terminator.
    if (!text || !text[0])
        setChars('\0', '\0');
    else
        setChars(text[0], text[1]);
}

bool BmsWord::equalsText(const char* text) const
{
    // The stored characters are never NUL, so a short text cannot match.
    if (!text || !text[0])
        return false;
    return equalsChars(text[0], text[1]);
}

bool BmsWord::equalsValue(int n) const
{
    // Normalised characters map one to one onto values.
    return n >= 0 && n < kValueCount && value() == n;
}
