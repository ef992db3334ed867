#include <gtest/gtest.h>
#include <string>

#include "model/definition_kind.h"
#include "model/reference_channels.h"

namespace {
std::string channelsPassing(bool (*test)(BmsWord))
{
    std::string channels;
    for (int value = 0; value < BmsWord::kValueCount; ++value) {
        char text[3];
        if (test(BmsWord(value)))
            channels += std::string(BmsWord(value).toText(text)) + " ";
    }
    return channels;
}
} // namespace

TEST(ReferenceChannels, WavChannelsAre01AndTheLaneChannelsWithoutTheTens)
{
    EXPECT_TRUE(isWavChannel(BmsWord("01")));
    for (const char* channel : { "11", "1Z", "21", "2Z", "31", "3Z", "41", "4Z", "51", "5Z", "61", "6Z" })
        EXPECT_TRUE(isWavChannel(BmsWord(channel))) << channel;
    for (const char* channel : { "00", "02", "03", "04", "09", "0Z", "10", "20", "30", "40", "50", "60", "70", "71" })
        EXPECT_FALSE(isWavChannel(BmsWord(channel))) << channel;
    int count = 0;
    for (int value = 0; value < BmsWord::kValueCount; ++value)
        count += isWavChannel(BmsWord(value));
    EXPECT_EQ(count, 1 + 6 * 35);
}

TEST(ReferenceChannels, BmpChannelsAreExactlyTheFiveImageChannels)
{
    EXPECT_EQ(channelsPassing(isBmpChannel), "04 06 07 0A A5 ");
}

TEST(ReferenceChannels, AnyKindButBmpUsesTheWavChannels)
{
    EXPECT_TRUE(isChannelOfKind(BmsWord("11"), kKindWav));
    EXPECT_FALSE(isChannelOfKind(BmsWord("04"), kKindWav));
    EXPECT_TRUE(isChannelOfKind(BmsWord("04"), kKindBmp));
    EXPECT_FALSE(isChannelOfKind(BmsWord("11"), kKindBmp));
    EXPECT_TRUE(isChannelOfKind(BmsWord("11"), static_cast<DefinitionKind>(7)));
    EXPECT_FALSE(isChannelOfKind(BmsWord("04"), static_cast<DefinitionKind>(0)));
}
