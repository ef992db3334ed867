#include "model/bms_word.h"

#include "model/ascii_chars.h"

namespace {

constexpr char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kDigitCount = 36;

constexpr base36_detail::CharTables buildCharTables()
{
    base36_detail::CharTables tables {};
    for (int byte = 0; byte < 256; ++byte) {
        char c = static_cast<char>(byte);
        char normalised = isAsciiAlphanumeric(c) ? asciiUpperCase(c) : '0';
        tables.normalised[byte] = normalised;
        std::uint8_t digit = 0;
        while (kAlphabet[digit] != normalised)
            ++digit;
        tables.digit[byte] = digit;
    }
    return tables;
}

} // namespace

namespace base36_detail {
constexpr CharTables kCharTables = buildCharTables();
} // namespace base36_detail

char base36DigitChar(int k)
{
    int position = k % kDigitCount;
    return kAlphabet[position < 0 ? position + kDigitCount : position];
}

int base36PairValue(char c1, char c2)
{
    const auto& digit = base36_detail::kCharTables.digit;
    return digit[static_cast<unsigned char>(c1)] * kDigitCount + digit[static_cast<unsigned char>(c2)];
}

void BmsWord::setValue(int n)
{
    if (n < 0 || n >= kValueCount)
        n = 0;
    high_ = base36DigitChar(n / kDigitCount);
    low_ = base36DigitChar(n % kDigitCount);
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
