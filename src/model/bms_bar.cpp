#include "model/bms_bar.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "model/ascii_chars.h"

namespace {

// The decimal number at the start of a text, as strtod reads it: leading white space,
// an optional sign, digits with an optional point, an optional exponent.
struct DecimalText {
    bool negative = false;
    std::string_view whole; // digits before the point
    std::string_view fraction; // digits after it
    long long exponent = 0; // saturated far beyond any exponent that can matter

    size_t digitCount() const { return whole.size() + fraction.size(); }
    int digitAt(long long k) const
    {
        return (k < static_cast<long long>(whole.size()) ? whole[k] : fraction[k - whole.size()]) - '0';
    }
};

std::string_view scanDigits(const char*& p)
{
    const char* start = p;
    while (isAsciiDigit(*p))
        ++p;
    return { start, static_cast<size_t>(p - start) };
}

DecimalText scanDecimal(const char* p)
{
    constexpr long long kExponentBound = 1'000'000'000;
    DecimalText number;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    if (*p == '+' || *p == '-')
        number.negative = *p++ == '-';
    number.whole = scanDigits(p);
    if (*p == '.') {
        ++p;
        number.fraction = scanDigits(p);
    }
    if (number.digitCount() == 0)
        return DecimalText();
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (*q == '+' || *q == '-')
            negativeExponent = *q++ == '-';
        long long exponent = 0;
        for (; isAsciiDigit(*q); ++q)
            exponent = std::min(exponent * 10 + (*q - '0'), kExponentBound);
        number.exponent = negativeExponent ? -exponent : exponent;
    }
    return number;
}

// trunc(value * 384), worked out exactly from the digits and saturated to int.
int ticksOf(const DecimalText& number)
{
    constexpr long long kTicks = BmsBar::kStandardTicks;
    long long digitCount = static_cast<long long>(number.digitCount());
    long long point = static_cast<long long>(number.whole.size()) + number.exponent;
    long long ticks = 0;
    // Whole part: past INT_MAX / 384 whole measures the result saturates anyway.
    long long wholeValue = 0;
    for (long long k = 0; k < point && ticks <= INT_MAX; ++k) {
        if (k >= digitCount && wholeValue == 0)
            break; // only zeros are left
        wholeValue = wholeValue * 10 + (k < digitCount ? number.digitAt(k) : 0);
        ticks = wholeValue * kTicks;
    }
    // Fraction part: multiplied by 384 digit by digit from its end, the carry out of
    // its first digit is the number of whole ticks. Below 0.001 it is under one tick.
    if (ticks <= INT_MAX && point > -3) {
        long long carry = 0;
        for (long long k = digitCount - 1; k >= std::max(point, 0LL); --k)
            carry = (number.digitAt(k) * kTicks + carry) / 10;
        for (long long k = point; k < 0; ++k)
            carry /= 10;
        ticks += carry;
    }
    if (ticks > INT_MAX)
        return number.negative ? INT_MIN : INT_MAX;
    return static_cast<int>(number.negative ? -ticks : ticks);
}

} // namespace

void BmsBar::setRatio(long double x)
{
    long double ticks = x * kStandardTicks;
    if (std::isnan(ticks))
        ticks_ = 0;
    else if (ticks >= static_cast<long double>(INT_MAX))
        ticks_ = INT_MAX;
    else if (ticks <= static_cast<long double>(INT_MIN))
        ticks_ = INT_MIN;
    else
        ticks_ = static_cast<int>(ticks); // truncates toward zero
}

void BmsBar::setText(const char* text)
{
    ticks_ = text ? ticksOf(scanDecimal(text)) : 0;
}
