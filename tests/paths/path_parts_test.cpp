#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "paths/path_parts.h"

namespace {

std::string kept(const std::string& path, bool drive, bool directory, bool name, bool extension)
{
    char buffer[kPathBufferSize] = {};
    std::strncpy(buffer, path.c_str(), sizeof buffer - 1);
    keepPathParts(buffer, drive, directory, name, extension);
    return buffer;
}

std::string chartDirectory(const std::string& path)
{
    return kept(path, true, true, false, false);
}
std::string bareName(const std::string& path)
{
    return kept(path, false, false, true, true);
}
std::string withoutExtension(const std::string& path)
{
    return kept(path, true, true, true, false);
}

TEST(KeepPathParts, SplitsDriveDirectoryNameAndExtension)
{
    EXPECT_EQ(chartDirectory("C:\\songs\\a.bms"), "C:\\songs\\");
    EXPECT_EQ(bareName("C:\\songs\\a.bms"), "a.bms");
    EXPECT_EQ(withoutExtension("C:\\songs\\a.bms"), "C:\\songs\\a");
    EXPECT_EQ(kept("C:\\songs\\a.bms", true, false, false, true), "C:.bms");
    EXPECT_EQ(kept("C:\\songs\\a.bms", false, false, false, false), "");
}

TEST(KeepPathParts, MissingPartsAreEmpty)
{
    EXPECT_EQ(chartDirectory("a.bms"), "");
    EXPECT_EQ(withoutExtension("C:\\x\\readme"), "C:\\x\\readme");
    EXPECT_EQ(bareName("C:\\x\\"), "");
    EXPECT_EQ(chartDirectory("C:a.bms"), "C:");
    EXPECT_EQ(kept("", true, true, true, true), "");
}

TEST(KeepPathParts, ExtensionStartsAtTheLastDotOfTheName)
{
    EXPECT_EQ(bareName("C:\\songs\\a.b.bms"), "a.b.bms");
    EXPECT_EQ(withoutExtension("C:\\songs\\a.b.bms"), "C:\\songs\\a.b");
    EXPECT_EQ(withoutExtension("C:\\v1.2\\readme"), "C:\\v1.2\\readme");
}

TEST(KeepPathParts, AcceptsBothSeparators)
{
    EXPECT_EQ(chartDirectory("C:/songs\\set/a.bms"), "C:/songs\\set/");
    EXPECT_EQ(bareName("/home/songs/a.bms"), "a.bms");
}

TEST(KeepPathParts, SecondByteOfADoubleByteCharacterIsNeverASeparatorDotOrColon)
{
    // "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: their second bytes equal a backslash.
    EXPECT_EQ(bareName("C:\\songs\\\x95\x5C.wav"), "\x95\x5C.wav");
    EXPECT_EQ(chartDirectory("C:\\\x83\x5C\\\x95\x5C.wav"), "C:\\\x83\x5C\\");
    // 0x81 0x2E and 0x81 0x3A: second bytes equal to a dot and a colon.
    EXPECT_EQ(withoutExtension("\x81\x2E\x81\x3Aname"), "\x81\x2E\x81\x3Aname");
    EXPECT_EQ(chartDirectory("\xE0\x3A\\a.wav"), "\xE0\x3A\\");
}

TEST(KeepPathParts, LooksAtTheFirst260CharactersOnly)
{
    char buffer[400];
    std::memset(buffer, 'a', sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    keepPathParts(buffer, true, true, true, true);
    EXPECT_EQ(std::strlen(buffer), 255u);

    // A directory of 256 characters keeps its first 255.
    const std::string longDirectory = "C:\\" + std::string(254, 'd') + "\\a";
    EXPECT_EQ(bareName(longDirectory), "a");
    EXPECT_EQ(chartDirectory(longDirectory), longDirectory.substr(0, 2 + 255));
}

TEST(KeepPathParts, NeverSplitsADoubleByteCharacterWhenCutting)
{
    std::string doubleBytes;
    for (int i = 0; i < 128; ++i)
        doubleBytes += "\x95\x5C";
    // 257 bytes cut to 255 end on a character; 256 bytes of double-byte characters keep 254.
    EXPECT_EQ(bareName("x" + doubleBytes), ("x" + doubleBytes).substr(0, 255));
    EXPECT_EQ(bareName(doubleBytes), doubleBytes.substr(0, 254));
}

} // namespace
