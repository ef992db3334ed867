#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include "model/bms_bar.h"
#include "support/test_support.h"

namespace {

int ticksOf(const char* text)
{
    BmsBar bar;
    bar.setText(text);
    return bar.ticks();
}

} // namespace

TEST(BmsBarTest, SetTextReadsTheLongestDecimalPrefix)
{
    EXPECT_EQ(ticksOf("1"), 384);
    EXPECT_EQ(ticksOf("1.5"), 576);
    EXPECT_EQ(ticksOf(".5"), 192);
    EXPECT_EQ(ticksOf("5."), 1920);
    EXPECT_EQ(ticksOf("  +0.75"), 288);
    EXPECT_EQ(ticksOf("0.75abc"), 288);
    EXPECT_EQ(ticksOf("1,5"), 384);
    EXPECT_EQ(ticksOf("2.5e-1"), 96);
    EXPECT_EQ(ticksOf("-0.5"), -192);
}

TEST(BmsBarTest, SetTextOfSomethingElseGivesZero)
{
    for (const char* text : { "", "abc", ".", "+-1", "-", " ", "e5", "nan" })
        EXPECT_EQ(ticksOf(text), 0) << text;
    EXPECT_EQ(ticksOf(nullptr), 0);
}

TEST(BmsBarTest, SetTextIsExactAtTickBoundaries)
{
    // 1/384 written with more digits than a double holds: just above and just below.
    EXPECT_EQ(ticksOf("0.0026041666666666666667"), 1);
    EXPECT_EQ(ticksOf("0.0026041666666666666666"), 0);
    EXPECT_EQ(ticksOf("26041666666666666667e-22"), 1);
    EXPECT_EQ(ticksOf("0.999999999999999999999999"), 383);
    EXPECT_EQ(ticksOf("5592405.3333"), 2147483647);
    EXPECT_EQ(ticksOf("5592405.3334"), INT_MAX);
}

TEST(BmsBarTest, SetTextIgnoresTheLocaleDecimalSeparator)
{
    DecimalCommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no locale with a decimal comma on this system";
    EXPECT_EQ(ticksOf("1.5"), 576);
    EXPECT_EQ(ticksOf("1,5"), 384);
}

TEST(BmsBarTest, OutOfRangeValuesAreClamped)
{
    BmsBar bar;
    bar.setRatio(std::numeric_limits<long double>::quiet_NaN());
    EXPECT_EQ(bar.ticks(), 0);
    bar.setRatio(std::numeric_limits<long double>::infinity());
    EXPECT_EQ(bar.ticks(), INT_MAX);
    bar.setRatio(-1e30L);
    EXPECT_EQ(bar.ticks(), INT_MIN);
    EXPECT_EQ(ticksOf("1e99999"), INT_MAX);
    EXPECT_EQ(ticksOf("-0.001e99999"), INT_MIN);
    EXPECT_EQ(ticksOf("1e-99999"), 0);
    EXPECT_EQ(ticksOf("0e999999999999"), 0);
}
