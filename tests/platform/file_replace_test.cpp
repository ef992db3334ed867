#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "platform/file_replace.h"
#include "support/test_support.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

class FileReplace : public ::testing::Test {
protected:
    // The names in the scratch directory, so that a left-over temporary file shows.
    Names directoryNames() const
    {
        Names names;
        for (const auto& entry : fs::directory_iterator(scratch.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string bytes = "#TITLE Song\r\n#WAV01 a.wav\r\n#00011:01\r\n";
    ScratchDirectory scratch;
    const std::string path = scratch.file("song.bms");
};

// Into a new file or over an old one, and without a temporary file left behind.
TEST_F(FileReplace, WritesTheBytes)
{
    for (const bool existing : { false, true }) {
        if (existing)
            writeFileBytes(path, std::string(100'000, 'x'));

        ASSERT_TRUE(replaceFileContent(path.c_str(), bytes)) << existing;
        EXPECT_EQ(readFileBytes(path), bytes) << existing;
        EXPECT_EQ(directoryNames(), Names { "song.bms" }) << existing;
    }
}

TEST_F(FileReplace, SavesUnderADoubleByteFileName)
{
    // The name is code page 932 bytes, the system's narrow encoding on Windows.
    const std::string named = scratch.file("譜面ソ.bms");

    ASSERT_TRUE(replaceFileContent(named.c_str(), bytes));
    EXPECT_EQ(readFileBytes(named), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1);
}

// The pieces one after the other, as they are made.
TEST_F(FileReplace, WritesTheContentInPieces)
{
    writeFileBytes(path, "old");
    const std::string longPiece(100'000, 'p');

    ASSERT_TRUE(replaceFileContentInPieces(path.c_str(), [&](const ContentPieceWriter& writePiece) {
        return writePiece("first ") && writePiece("") && writePiece(longPiece) && writePiece(" last");
    }));
    EXPECT_EQ(readFileBytes(path), "first " + longPiece + " last");
    EXPECT_EQ(directoryNames(), Names { "song.bms" });
}

// A maker that gives up or throws after some pieces leaves the target as it was (or
// absent), no temporary file, and its reason in errno.
TEST_F(FileReplace, AMakerGivingUpPartWayLeavesTheTargetAlone)
{
    struct Failure : std::exception { };
    for (const bool existing : { false, true }) {
        for (const int piecesFirst : { 0, 2 }) {
            for (const bool throws : { false, true }) {
                SCOPED_TRACE(
                    std::to_string(existing) + " " + std::to_string(piecesFirst) + " " + std::to_string(throws));
                fs::remove(path);
                if (existing)
                    writeFileBytes(path, "old");
                const auto make = [&](const ContentPieceWriter& writePiece) {
                    for (int piece = 0; piece < piecesFirst; ++piece)
                        EXPECT_TRUE(writePiece(std::string(70'000, 'n')));
                    if (throws)
                        throw Failure();
                    errno = ENOSPC;
                    return false;
                };

                if (throws) {
                    EXPECT_THROW(replaceFileContentInPieces(path.c_str(), make), Failure);
                } else {
                    EXPECT_FALSE(replaceFileContentInPieces(path.c_str(), make));
                    EXPECT_EQ(errno, ENOSPC);
                }
                EXPECT_EQ(directoryNames(), existing ? Names { "song.bms" } : Names {});
                if (existing) {
                    EXPECT_EQ(readFileBytes(path), "old");
                }
            }
        }
    }
}

TEST_F(FileReplace, FailsWhenTheDirectoryIsMissing)
{
    errno = 0;

    EXPECT_FALSE(replaceFileContent(scratch.file("missing/song.bms").c_str(), bytes));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(directoryNames(), Names {});
}

TEST_F(FileReplace, FailsAndLeavesADirectoryTargetAlone)
{
    fs::create_directory(path);
    writeFileBytes(scratch.file("song.bms/inside"), "kept");
    errno = 0;

    EXPECT_FALSE(replaceFileContent(path.c_str(), bytes));
    EXPECT_NE(errno, 0) << "the reason of the failed replacement";
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(readFileBytes(scratch.file("song.bms/inside")), "kept");
    EXPECT_EQ(directoryNames(), Names { "song.bms" });
}

TEST_F(FileReplace, RefusesAFileTheUserMayNotWrite)
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

    EXPECT_FALSE(replaceFileContent(path.c_str(), bytes));
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(directoryNames(), Names { "song.bms" });
}

#ifndef _WIN32
TEST_F(FileReplace, KeepsThePermissionBitsOfTheFile)
{
    writeFileBytes(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_TRUE(replaceFileContent(path.c_str(), bytes));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileReplace, ReplacesTheFileALinkNamesAndKeepsTheLink)
{
    const std::string target = scratch.file("real.bms");
    const std::string link = scratch.file("link.bms");
    writeFileBytes(target, "old");
    fs::create_symlink(target, link);

    ASSERT_TRUE(replaceFileContent(link.c_str(), bytes));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFileBytes(target), bytes);
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

TEST_F(FileReplace, KeepsTheOldContentWhenAWriteFails)
{
    writeFileBytes(path, "old");
    bytes = std::string(100'000, 'c');

    bool saved = true;
    {
        const FileSizeLimit limit(4096);
        saved = replaceFileContent(path.c_str(), bytes);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(directoryNames(), Names { "song.bms" });
}

// A piece that cannot be written tells the maker, which stops; the earlier pieces went to
// the temporary file, which goes too.
TEST_F(FileReplace, KeepsTheOldContentWhenAPieceFailsPartWay)
{
    writeFileBytes(path, "old");
    int writtenPieces = 0;
    bool saved = true;
    {
        const FileSizeLimit limit(200'000);
        saved = replaceFileContentInPieces(path.c_str(), [&](const ContentPieceWriter& writePiece) {
            for (int piece = 0; piece < 10; ++piece) {
                if (!writePiece(std::string(64 * 1024, 'c')))
                    return false;
                ++writtenPieces;
            }
            return true;
        });
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(errno, EFBIG);
    EXPECT_GT(writtenPieces, 0);
    EXPECT_LT(writtenPieces, 10);
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(directoryNames(), Names { "song.bms" });
}
#endif

} // namespace
