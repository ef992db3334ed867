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
    // setRatio of the decimal value of text, read independently of the C locale;
    // text that is not a number gives 0.
    void setText(const char* text);

private:
    int ticks_ = kStandardTicks;
};
