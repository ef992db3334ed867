#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

using testing::HasSubstr;

TEST(RegisterCommand, FillsFreeSlotsFromTheGivenIndexWithBareFileNames)
{
    const CliRun run
        = runTool({ "register", "wav", cliData("basic.bms"), "--at", "03", "samples/new.wav", "C:\\kit\\other.wav" });
    EXPECT_EQ(run.status, 0) << run.err;
    // After the last WAV definition, in the chart's own layout.
    EXPECT_THAT(run.out, HasSubstr("#WAV05 unused.wav\r\n#WAV04 new.wav\r\n#WAV06 other.wav\r\n#BMP01"));
}

TEST(RegisterCommand, StartsAt01WhenNoIndexIsGiven)
{
    const CliRun run = runTool({ "register", "bmp", cliData("basic.bms"), "/pictures/front.png" });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("#BMP01 back.bmp\r\n#BMP03 pic.bmp\r\n#BMP02 front.png\r\n"));
}

TEST(RegisterCommand, RegistersADoubleByteNameAsCodePage932)
{
#ifdef _WIN32
    const std::string path = "sounds\\ピアノ_ソ.wav"; // the arguments arrive in the ANSI code page
#else
    const std::string path = "sounds/\xe3\x83\x94\xe3\x82\xa2\xe3\x83\x8e_\xe3\x82\xbd.wav";
#endif
    const CliRun run = runTool({ "register", "wav", cliData("basic.bms"), path });
    EXPECT_EQ(run.status, 0) << run.err;
    // The second byte of "ソ" is 0x5C and must not be taken for a separator.
    EXPECT_THAT(run.out, HasSubstr("#WAV04 ピアノ_ソ.wav\r\n"));
}

TEST(RegisterCommand, WarnsAboutNamesThatFindNoFreeSlot)
{
    const CliRun run = runTool({ "register", "wav", cliData("basic.bms"), "--at", "ZZ", "a.wav", "b.wav" });
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, HasSubstr("#WAVZZ a.wav\r\n"));
    EXPECT_THAT(run.err, HasSubstr("for the last 1 of the names"));
}

TEST(RegisterCommand, PassesOverSlotsThatTheDataUsesWithoutADefinition)
{
    // Channel 11 uses 07, which nothing defines: a name there would give its objects a sound.
    const CliRun run = runTool({ "register", "wav", cliData("basic.bms"), "--at", "06", "a.wav", "b.wav" });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("#WAV06 a.wav\r\n#WAV08 b.wav\r\n"));
    EXPECT_THAT(run.err, HasSubstr("passed over 1 slots that the channel data uses without a definition"));
}

TEST(RegisterCommand, RefusesPathsThatGiveNoNameAndWritesNothing)
{
    std::vector<std::string> refused = { "samples/", std::string(300, 'a') + ".wav" };
#ifndef _WIN32
    refused.push_back("\xf0\x9f\x8e\xb5.wav"); // a character that code page 932 lacks
    refused.push_back("\xff.wav"); // not UTF-8
#endif
    for (const std::string& path : refused) {
        const CliRun run = runTool({ "register", "wav", cliData("basic.bms"), "ok.wav", path });
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_EQ(run.out, "") << path;
        EXPECT_THAT(run.err, HasSubstr(path + ": cannot register: ")) << path;
    }
}
