#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

#include "bms/bms_writer.h"
#include "bms/parse_result.h"
#include "support/chart_building.h"
#include "support/test_support.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

class WriterSave : public ::testing::Test {
protected:
    WriterSave()
    {
        document.headerTable()->set("TITLE", "Song");
        document.wavTable()->set(BmsWord("01"), "a.wav");
        placeObject(document, "11", 0, "01");
        lastParseResult() = {};
    }

    // The names in the scratch directory, so that a left-over temporary file shows.
    Names directoryNames() const
    {
        Names names;
        for (const auto& entry : fs::directory_iterator(scratch.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    BmsBms document;
    ScratchDirectory scratch;
    const std::string path = scratch.file("song.bms");
};

// Into a new file or over an old one, and without a temporary file left behind.
TEST_F(WriterSave, WritesTheChartTextAndSetsCode0)
{
    for (const bool existing : { false, true }) {
        if (existing)
            writeFileBytes(path, std::string(100'000, 'x'));
        lastParseResult().code = kResultBadObjectData;

        ASSERT_TRUE(writeChart(path.c_str(), document)) << existing;
        EXPECT_EQ(lastParseResult().code, kResultOk) << existing;
        EXPECT_EQ(readFileBytes(path), chartText(document)) << existing;
        EXPECT_EQ(directoryNames(), Names { "song.bms" }) << existing;
    }
}

TEST_F(WriterSave, SavesUnderADoubleByteFileName)
{
    // The name is code page 932 bytes, the system's narrow encoding on Windows.
    const std::string named = scratch.file("譜面ソ.bms");

    ASSERT_TRUE(writeChart(named.c_str(), document));
    EXPECT_EQ(readFileBytes(named), chartText(document));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1);
}

TEST_F(WriterSave, FailsWithCode4WhenTheDirectoryIsMissing)
{
    errno = 0;

    EXPECT_FALSE(writeChart(scratch.file("missing/song.bms").c_str(), document));
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(directoryNames(), Names {});
}

TEST_F(WriterSave, FailsWithCode4AndLeavesADirectoryTargetAlone)
{
    fs::create_directory(path);
    writeFileBytes(scratch.file("song.bms/inside"), "kept");
    errno = 0;

    EXPECT_FALSE(writeChart(path.c_str(), document));
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
    EXPECT_NE(errno, 0) << "the reason of the failed replacement";
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(readFileBytes(scratch.file("song.bms/inside")), "kept");
    EXPECT_EQ(directoryNames(), Names { "song.bms" });
}

TEST_F(WriterSave, RefusesAChartTheUserMayNotWrite)
{
    writeFileBytes(path, "old");
    fs::permissions(
        path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
#ifndef _WIN32
    // On Windows the read-only attribute counts; here a privileged user writes anyway.
    if (FILE* probe = std::fopen(path.c_str(), "ab")) {
        std::fclose(probe);
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
        GTEST_SKIP() << "this user may write any file";
    }
#endif

    EXPECT_FALSE(writeChart(path.c_str(), document));
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(directoryNames(), Names { "song.bms" });
}

#ifndef _WIN32
TEST_F(WriterSave, KeepsThePermissionBitsOfTheChart)
{
    writeFileBytes(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_TRUE(writeChart(path.c_str(), document));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(WriterSave, ReplacesTheFileALinkNamesAndKeepsTheLink)
{
    const std::string target = scratch.file("real.bms");
    const std::string link = scratch.file("link.bms");
    writeFileBytes(target, "old");
    fs::create_symlink(target, link);

    ASSERT_TRUE(writeChart(link.c_str(), document));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFileBytes(target), chartText(document));
    EXPECT_EQ(directoryNames(), (Names { "link.bms", "real.bms" }));
}

// A file size limit makes the writes fail part way, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_ {};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(WriterSave, KeepsTheOldChartWhenAWriteFails)
{
    writeFileBytes(path, "old");
    document.headerTable()->set("COMMENT", std::string(100'000, 'c').c_str());

    bool saved = true;
    {
        const FileSizeLimit limit(4096);
        saved = writeChart(path.c_str(), document);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(directoryNames(), Names { "song.bms" });
}
#endif

} // namespace
