#include <gtest/gtest.h>

#include "editing/file_name_rules.h"
#include "platform/text_encoding.h"

namespace {

const std::string kPianoCp932 = "\x83\x73\x83\x41\x83\x6d";
const std::string kPianoUtf8 = "\xe3\x83\x94\xe3\x82\xa2\xe3\x83\x8e";

} // namespace

TEST(TextEncoding, ConvertsBetweenCodePage932AndUtf8)
{
    EXPECT_EQ(cp932ToUtf8(kPianoCp932 + ".wav"), kPianoUtf8 + ".wav");
    EXPECT_EQ(utf8ToCp932(kPianoUtf8 + ".wav"), kPianoCp932 + ".wav");
    EXPECT_EQ(cp932ToUtf8("\\~"), "\\~");
}

TEST(TextEncoding, BytesThatAreNoCodePage932TextStillGiveValidUtf8)
{
    for (const std::string& text : { std::string("a\x80z"), std::string("a\xffz"), std::string("ab\x83") }) {
        const std::string converted = cp932ToUtf8(text);
        EXPECT_TRUE(isValidUtf8(converted)) << converted;
        EXPECT_EQ(converted.front(), 'a');
    }
#ifndef _WIN32
    EXPECT_EQ(cp932ToUtf8("a\x80z"), "a\xef\xbf\xbdz");
#endif
}

TEST(TextEncoding, RefusesUtf8ThatCodePage932CannotHold)
{
    EXPECT_EQ(utf8ToCp932("\xf0\x9f\x8e\xb5"), std::nullopt); // a musical note emoji
    EXPECT_EQ(utf8ToCp932("a\xffz"), std::nullopt);
}

TEST(TextEncoding, ValidUtf8ExcludesOverlongFormsSurrogatesAndCutSequences)
{
    EXPECT_TRUE(isValidUtf8(kPianoUtf8));
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));
    EXPECT_FALSE(isValidUtf8("\xe3\x83"));
    EXPECT_FALSE(isValidUtf8(kPianoCp932));
}

TEST(FileNameRules, DoubleByteCharactersAreNeverSeparatorsOrFolded)
{
    // "ソ" is 0x83 0x5C in code page 932.
    const std::vector<std::string> components = nameComponents("a/\x83\x5C\\b.WAV", true);
    EXPECT_EQ(components, (std::vector<std::string> { "a", "\x83\x5C", "b.WAV" }));
    EXPECT_EQ(nameComponents("a/\x83\x5C", false), (std::vector<std::string> { "a", "\x83" }));
    EXPECT_EQ(foldAsciiCase(kPianoCp932 + ".WAV", true), kPianoCp932 + ".wav");
}

TEST(FileNameRules, ExtensionsAndDirectories)
{
    EXPECT_EQ(extensionStart("sub.d/a.b.wav", false), 9u);
    EXPECT_EQ(extensionStart("sub.d/readme", false), std::string_view::npos);
    EXPECT_EQ(directoryPart("songs/x/a.bms", false), "songs/x/");
    EXPECT_EQ(directoryPart("a.bms", false), "");
}
