#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "model/bms_word.h"
#include "model/helpers.h"
#include "model/index_base.h"

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
    EXPECT_EQ(BmsWord("a1").value(), 10 * 62 + 1);
    EXPECT_EQ(textOf(BmsWord("$x")), "0X");
    EXPECT_EQ(textOf(BmsWord("A")), "A0");
    EXPECT_EQ(textOf(BmsWord("")), "00");
    EXPECT_EQ(textOf(BmsWord('\x82', '\xa0')), "00"); // double-byte characters are never digits
    EXPECT_EQ(textOf(BmsWord::keepingCase('\x82', 'a')), "0a");
    EXPECT_EQ(textOf(BmsWord(-1)), "00");
    EXPECT_EQ(textOf(BmsWord(3844)), "00");
}

TEST(BmsWordTest, ValuesCountInBase62WithDigitsThenUpperThenLowerCase)
{
    const struct {
        const char* text;
        int value;
    } cases[] = { { "00", 0 }, { "09", 9 }, { "0A", 10 }, { "0Z", 35 }, { "0a", 36 }, { "0z", 61 }, { "10", 62 },
        { "ZZ", 35 * 62 + 35 }, { "Aa", 10 * 62 + 36 }, { "aA", 36 * 62 + 10 }, { "zz", 3843 } };
    for (const auto& c : cases) {
        const BmsWord kept = BmsWord::keepingCase(c.text[0], c.text[1]);
        EXPECT_EQ(kept.value(), c.value) << c.text;
        EXPECT_EQ(textOf(BmsWord(c.value)), c.text);
        EXPECT_EQ(kept.hasLowerCase(), std::strpbrk(c.text, "az") != nullptr) << c.text;
    }
    EXPECT_EQ(textOf(BmsWord::keepingCase('A', 'a').upperCased()), "AA");
}

TEST(BmsWordTest, EveryValueRoundTrips)
{
    for (int n = 0; n < BmsWord::kValueCount; ++n) {
        BmsWord id(n);
        ASSERT_EQ(id.value(), n);
        ASSERT_EQ(BmsWord::keepingCase(id.high(), id.low()), id);
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
    EXPECT_FALSE(BmsWord().equalsValue(-1));
    EXPECT_FALSE(BmsWord().equalsValue(3844));
    EXPECT_TRUE(BmsWord().equalsValue(0));
}

TEST(BmsWordTest, OrdersByValueWhichIsByteOrder)
{
    EXPECT_LT(BmsWord("0Z").compare(BmsWord("10")), 0);
    EXPECT_LT(BmsWord("09").compare(BmsWord("0A")), 0);
    EXPECT_LT(BmsWord("ZZ").compare(BmsWord::keepingCase('a', '0')), 0);
    EXPECT_LT(BmsWord::keepingCase('0', 'z').compare(BmsWord("10")), 0);
}

TEST(IndexBaseTest, RowsRunInTheChartsBase)
{
    const IndexBase base36;
    const IndexBase base62 = IndexBase::ofRadix(62);
    EXPECT_EQ(base36.rowCount(), 1296);
    EXPECT_EQ(base62.rowCount(), 3844);
    EXPECT_EQ(IndexBase::ofRadix(16), base36);
    const struct {
        IndexBase base;
        int row;
        const char* text;
    } cases[] = { { base36, 35, "0Z" }, { base36, 36, "10" }, { base36, 1295, "ZZ" }, { base62, 36, "0a" },
        { base62, 62, "10" }, { base62, 3843, "zz" } };
    for (const auto& c : cases) {
        EXPECT_EQ(textOf(c.base.wordAt(c.row)), c.text);
        EXPECT_EQ(c.base.rowOf(c.base.wordAt(c.row)), c.row);
    }
    EXPECT_EQ(base36.rowOf(BmsWord::keepingCase('0', 'a')), -1);
    EXPECT_EQ(textOf(base36.word('a', 'B')), "AB");
    EXPECT_EQ(textOf(base62.word('a', 'B')), "aB");
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
