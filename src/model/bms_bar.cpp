#include "model/bms_bar.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// from_chars leaves its output alone for a number beyond long double; like strtod,
// an overflow becomes infinite (setRatio clamps it) and an underflow 0. The number's
// magnitude follows from the decimal exponent of its first significant digit.
long double outOfRangeValue(const char* begin, const char* end)
{
    const char* mantissaEnd = std::find_if(begin, end, [](char c) { return c == 'e' || c == 'E'; });
    const char* point = std::find(begin, mantissaEnd, '.');
    const char* leading = std::find_if(begin, mantissaEnd, [](char c) { return c >= '1' && c <= '9'; });
    long long exponent = leading < point ? point - leading - 1 : point - leading;
    if (mantissaEnd != end) {
        const char* p = mantissaEnd + 1;
        bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        long long written = 0;
        for (; p != end && isDigit(*p); ++p)
            written = std::min(written * 10 + (*p - '0'), 1'000'000'000LL);
        exponent += negative ? -written : written;
    }
    if (exponent < 0)
        return 0;
    return *begin == '-' ? -HUGE_VALL : HUGE_VALL;
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
    // Like strtod, but independent of the C locale's decimal separator: leading white
    // space, an optional sign, then the longest prefix that is a decimal number.
    long double x = 0;
    if (text) {
        const char* p = text;
        while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
            ++p;
        if (*p == '+' && p[1] != '-')
            ++p;
        std::from_chars_result parsed = std::from_chars(p, p + std::strlen(p), x, std::chars_format::general);
        if (parsed.ec == std::errc::result_out_of_range)
            x = outOfRangeValue(p, parsed.ptr);
        else if (parsed.ec != std::errc())
            x = 0;
    }
    setRatio(x);
}
