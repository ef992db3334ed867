#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "model/bms_word.h"
#include "model/helpers.h"

namespace {

std::string textOf(BmsWord id)
{
    char buffer[3];
    return id.toText(buffer);
}

} // namespace

TEST(BmsWordTest, NormalisesEveryWayOfSetting)
{
    EXPECT_EQ(textOf(BmsWord("a1")), "A1");
    EXPECT_EQ(BmsWord("a1").value(), 361);
    EXPECT_EQ(textOf(BmsWord("$x")), "0X");
    EXPECT_EQ(BmsWord("$x").value(), 33);
    EXPECT_EQ(BmsWord("zz").value(), 1295);
    EXPECT_EQ(textOf(BmsWord("A")), "A0");
    EXPECT_EQ(textOf(BmsWord("")), "00");
    EXPECT_EQ(textOf(BmsWord('\x82', '\xa0')), "00"); // double-byte characters are never digits
    EXPECT_EQ(textOf(BmsWord(-1)), "00");
    EXPECT_EQ(textOf(BmsWord(1296)), "00");
    EXPECT_EQ(textOf(BmsWord(36)), "10");
    EXPECT_EQ(textOf(BmsWord(1295)), "ZZ");
}

TEST(BmsWordTest, EveryValueRoundTrips)
{
    for (int n = 0; n < BmsWord::kValueCount; ++n) {
        BmsWord id(n);
        ASSERT_EQ(id.value(), n);
        ASSERT_EQ(base36PairValue(id.high(), id.low()), n);
        ASSERT_TRUE(id.equalsValue(n));
    }
}

TEST(BmsWordTest, ComparisonsWithTextsAndValues)
{
    BmsWord id("A1");
    EXPECT_FALSE(id.equalsText("a1"));
    EXPECT_TRUE(id.equalsText("A1"));
    EXPECT_TRUE(id.differsFromText("A"));
    EXPECT_FALSE(BmsWord().equalsText(""));
    EXPECT_EQ(id.compareChars('a', '1'), 0);
    EXPECT_FALSE(BmsWord().equalsValue(-1));
    EXPECT_FALSE(BmsWord().equalsValue(1296));
    EXPECT_TRUE(BmsWord().equalsValue(0));
}

TEST(BmsWordTest, OrdersByValueWhichIsByteOrder)
{
    EXPECT_EQ(BmsWord("0Z").compare(BmsWord("10")), -1);
    EXPECT_LT(BmsWord("09").compare(BmsWord("0A")), 0);
    EXPECT_GT(BmsWord("ZZ").compareValue(1294), 0);
}

TEST(HelpersTest, GreatestCommonDivisor)
{
    EXPECT_EQ(greatestCommonDivisor(12, 18), 6);
    EXPECT_EQ(greatestCommonDivisor(7, 7), 7);
    EXPECT_EQ(greatestCommonDivisor(0, 5), 0);
    EXPECT_EQ(greatestCommonDivisor(5, 0), 0);
    EXPECT_EQ(greatestCommonDivisor(1'000'000, 999'999), 1);
}

TEST(HelpersTest, DuplicateTextCopiesAndOptionallyUpperCases)
{
    EXPECT_EQ(duplicateText(nullptr, true), nullptr);
    const char source[] = "wav\x83\x8f";
    auto copy = duplicateText(source, true);
    EXPECT_STREQ(copy.get(), "WAV\x83\x8f");
    EXPECT_STREQ(source, "wav\x83\x8f");
}
