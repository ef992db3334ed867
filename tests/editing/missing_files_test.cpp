#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "editing/missing_files.h"
#include "model/definition_kind.h"
#include "support/fake_folder.h"

namespace {

TEST(MissingFiles, AListedFolderAnswersItsOwnFilesWhateverTheCaseAndAsksAboutSubfolders)
{
    FakeFolder folder({ "Kick.WAV", "sub/tom.wav" });
    ListedFolderLookup lookup(folder, folder.files());
    EXPECT_EQ(lookup.find("kick.wav")->name, "Kick.WAV");
    EXPECT_TRUE(lookup.find("kick.wav")->caseDiffers);
    EXPECT_FALSE(lookup.find("Kick.WAV")->caseDiffers);
    EXPECT_FALSE(lookup.find("snare.wav"));
    EXPECT_EQ(lookup.find("sub/tom.wav")->name, "sub/tom.wav");
    EXPECT_EQ(folder.asked, std::vector<std::string> { "sub/tom.wav" });
}

TEST(MissingFiles, AFileUnderAnotherExtensionOfItsKindIsNotMissing)
{
    BmsBms document;
    document.wavTable()->set(BmsWord("01"), "kick.wav");
    document.wavTable()->set(BmsWord("02"), "snare.wav");
    document.wavTable()->set(BmsWord("03"), "gone.wav");
    document.bmpTable()->set(BmsWord("01"), "back.bmp");
    FakeFolder folder({ "kick.wav", "snare.ogg", "back.png", "gone.png" });
    EXPECT_EQ(countMissingFiles(document, kKindWav, folder), 1);
    EXPECT_EQ(countMissingFiles(document, kKindBmp, folder), 0);
}

TEST(MissingFiles, ADefinitionFindsItsFileInAPlayersOrderOfExtensions)
{
    struct Case {
        DefinitionKind kind;
        const char* name;
        std::vector<std::string> files;
        const char* found;
        bool otherExtension;
    };
    const std::vector<Case> cases = {
        { kKindWav, "kick.wav", { "kick.wav", "kick.ogg" }, "kick.wav", false },
        { kKindWav, "kick.wav", { "kick.mp3", "kick.flac", "kick.ogg" }, "kick.ogg", true },
        { kKindWav, "kick.wav", { "kick.mp3", "kick.flac" }, "kick.flac", true },
        { kKindWav, "kick.ogg", { "kick.mp3", "kick.wav" }, "kick.wav", true },
        { kKindWav, "kick", { "kick.mp3" }, "kick.mp3", true },
        { kKindBmp, "back.bmp", { "back.jpg", "back.png" }, "back.png", true },
        { kKindBmp, "back.bmp", { "back.jpg", "back.wav" }, "back.jpg", true },
        { kKindBmp, "back.bmp", { "back.ogg" }, nullptr, false },
    };
    for (const Case& c : cases) {
        FakeFolder folder(c.files);
        bool otherExtension = true;
        const std::optional<FoundFile> found = findDefinitionFile(folder, c.kind, c.name, otherExtension);
        const std::optional<std::string> expected = c.found ? std::optional<std::string>(c.found) : std::nullopt;
        EXPECT_EQ(found ? std::optional(found->name) : std::nullopt, expected)
            << c.name << " among " << c.files.front();
        EXPECT_EQ(otherExtension, c.otherExtension) << c.name;
    }
}

} // namespace
