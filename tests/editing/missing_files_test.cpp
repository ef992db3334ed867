#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "editing/missing_files.h"
#include "model/definition_kind.h"

namespace {

// A folder of the names given, matched exactly, that notes every name it is asked about.
class FakeFolder : public FileLookup {
public:
    explicit FakeFolder(std::vector<std::string> names)
        : names_(std::move(names))
    {
    }
    std::optional<FoundFile> find(const std::string& name) override
    {
        asked.push_back(name);
        for (const std::string& file : names_) {
            if (file == name)
                return FoundFile { file, file };
        }
        return std::nullopt;
    }
    std::vector<FoundFile> files() const
    {
        std::vector<FoundFile> listed;
        for (const std::string& name : names_) {
            if (name.find('/') == std::string::npos)
                listed.push_back({ name, name });
        }
        return listed;
    }

    std::vector<std::string> asked;

private:
    std::vector<std::string> names_;
};

TEST(MissingFiles, AListedFolderAnswersItsOwnFilesWhateverTheCaseAndAsksAboutSubfolders)
{
    FakeFolder folder({ "Kick.WAV", "sub/tom.wav" });
    ListedFolderLookup lookup(folder, folder.files());
    EXPECT_EQ(lookup.find("kick.wav")->name, "Kick.WAV");
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

} // namespace
