#pragma once

// One measure length in ticks; 384 ticks are the standard length 1.0.

class BmsBar {
public:
    static constexpr int kStandardTicks = 384;

    BmsBar() = default;
    explicit BmsBar(int ticks)
        : ticks_(ticks)
    {
    }

    int ticks() const { return ticks_; }
    void setTicks(int ticks) { ticks_ = ticks; }
    long double ratio() const { return static_cast<long double>(ticks_) / kStandardTicks; }
    // ticks = x * 384, truncated toward zero; values outside int (and NaN) are
    // clamped so that no conversion is ever undefined.
    void setRatio(long double x);
    // ticks = the decimal value of text * 384, truncated toward zero and clamped like
    // setRatio. The value is the longest prefix that strtod would read as a decimal
    // number; text that is not one gives 0. The ticks are worked out exactly from the
    // digits, so neither the C locale nor the platform's floating point can change them.
    void setText(const char* text);

private:
    int ticks_ = kStandardTicks;
};
