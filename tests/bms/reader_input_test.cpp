#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "bms/bms_input.h"
#include "bms/bms_writer.h"
#include "reader_test_support.h"
#include "support/test_support.h"

namespace {

using namespace reader_test;

constexpr int kMeasure = BmsBar::kStandardTicks;

// Reads a fixture through the file path, checking that the same bytes from memory
// give the same result.
std::unique_ptr<BmsBms> readFixture(const std::string& name)
{
    const std::string path = testDataPath("reader/" + name);
    BmsReader reader;
    reader.setNoticeSink({});
    std::unique_ptr<BmsBms> fromFile;
    const bool fileRead = reader.read(path.c_str(), fromFile);
    const ReadFailure fileResult { lastParseResult().code, errorLine() };
    EXPECT_EQ(readFailure(readFileBytes(path)), fileResult) << name;
    EXPECT_TRUE(fileRead) << name << ": " << fileResult;
    return fromFile;
}

TEST(ReaderInput, ReadsACarriageReturnLineFeedChartWithAnEndOfTextMark)
{
    const std::unique_ptr<BmsBms> document = readFixture("shift_jis_crlf.bms");
    ASSERT_NE(document, nullptr);
    EXPECT_STREQ(document->headerTable()->get("TITLE"), "\x83\x65\x83\x58\x83\x67\x8b\xc8");
    EXPECT_STREQ(document->headerTable()->get("BPM"), "150");
    EXPECT_STREQ(document->wavTable()->get(BmsWord("01")), "\x89\xb9.wav");
    EXPECT_STREQ(document->bmpTable()->get(BmsWord("01")), "bg.bmp");
    EXPECT_EQ(document->measureLength(0).ticks(), 288);
    EXPECT_EQ(objectAt(*document, "11", 0), "01");
    EXPECT_EQ(objectAt(*document, "11", 144), "02");
    EXPECT_EQ(objectAt(*document, "01", 288, 0), "01");
    EXPECT_EQ(objectAt(*document, "01", 288, 1), "02");
    EXPECT_EQ(objectAt(*document, "04", 288), "01");
    // Nothing after the 0x1A byte is read.
    EXPECT_EQ(document->lineCount(), 3);
}

TEST(ReaderInput, DropsCarriageReturnsWhereverTheyStand)
{
    const std::unique_ptr<BmsBms> document = readFixture("carriage_returns_everywhere.bms");
    ASSERT_NE(document, nullptr);
    EXPECT_STREQ(document->headerTable()->get("TITLE"), "ab");
    EXPECT_STREQ(document->headerTable()->get("GENRE"), "xy");
    EXPECT_EQ(document->measureLength(1).ticks(), 192);
    EXPECT_EQ(objectAt(*document, "11", kMeasure), "01");
    EXPECT_EQ(objectAt(*document, "11", kMeasure + 192), "02");
}

TEST(ReaderInput, CarriageReturnAloneDoesNotEndALine)
{
    const auto document = readChart("#TITLE a\r#ARTIST b\n");
    EXPECT_STREQ(document->headerTable()->get("TITLE"), "a#ARTIST b");
    EXPECT_EQ(document->headerTable()->find("ARTIST"), nullptr);

    EXPECT_EQ(readFailure("#TITLE a\r\r\n#00111:0\r\n"), (ReadFailure { kResultBadObjectData, 2 }));
}

TEST(ReaderInput, EndOfInputEndsTheLastLineAsALineBreakWould)
{
    const char* lastLines[] = { "#TITLE no line end", "#TITLE  two blanks  ", "#WAV0a a.wav", "#00102:0.5",
        "#00111:0a0B", "#00101:01  ", "#00111:01\r", "#ARTIST", "#GENRE  ", "; a comment" };
    for (const char* last : lastLines) {
        const std::string head = "#BPM 120\r\n#00202:0.75\r\n#00211:01\r\n";
        const auto withBreak = readChart(head + last + "\r\n");
        const auto withoutBreak = readChart(head + last);
        EXPECT_EQ(chartText(*withoutBreak), chartText(*withBreak)) << last;
    }
}

TEST(ReaderInput, EndOfTextByteEndsTheInputMidLine)
{
    const auto cut = readChart("#TITLE a\x1A\n#ARTIST b\n");
    EXPECT_STREQ(cut->headerTable()->get("TITLE"), "a");
    EXPECT_EQ(cut->headerTable()->find("ARTIST"), nullptr);
    const auto document = readChart("#TITLE a\n\x1A#00111:zz\n");
    EXPECT_EQ(document->lineCount(), 0);
}

// The file is read in chunks of 64 KB after its size is known: every byte arrives once,
// in order, at sizes on either side of a chunk and of several, and replaces what the
// text held before.
TEST(ReaderInput, LoadsAFileWholeAtEverySizeAroundItsChunks)
{
    const ScratchDirectory scratch;
    constexpr std::size_t kChunk = std::size_t { 1 } << 16;
    for (const std::size_t size : { std::size_t { 0 }, std::size_t { 1 }, kChunk - 1, kChunk, kChunk + 1,
             3 * kChunk + 17 }) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 251);
        const std::string path = scratch.file("chart" + std::to_string(size) + ".bms");
        writeFileBytes(path, bytes);
        std::string loaded = "left from before";
        ASSERT_TRUE(loadChartFile(path.c_str(), loaded)) << size;
        EXPECT_EQ(loaded.size(), size);
        EXPECT_TRUE(loaded == bytes) << size;
    }
    std::string untouched = "kept";
    EXPECT_FALSE(loadChartFile(scratch.file("absent.bms").c_str(), untouched));
    EXPECT_EQ(untouched, "kept");
}

// Notices go to standard output unless a sink is set; an empty sink discards them.
TEST(ReaderInput, NoticeSinkIsStandardOutputByDefaultAndMayDiscard)
{
    BmsReader reader;
    std::unique_ptr<BmsBms> document;
    testing::internal::CaptureStdout();
    const bool read = reader.readBytes("#WAV01 a\n#WAV01 b\n#BMP01 a\n#BMP01 b\n", document);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "wavs overwrite\nbmps overwrite\n");
    EXPECT_TRUE(read);

    reader.setNoticeSink({});
    testing::internal::CaptureStdout();
    EXPECT_TRUE(reader.readBytes("#WAV01 a\n#WAV01 b\n", document));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// Inputs that once made the fuzzer fail must read without fault, with a result that
// agrees with the document handed out.
TEST(ReaderInput, ReadsEveryKeptFuzzerFinding)
{
    const std::filesystem::path findings = testDataPath("fuzz-regressions");
    for (const auto& entry : std::filesystem::directory_iterator(findings)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name == "README.md" || name == ".gitkeep")
            continue;
        const ReadOutcome read = readChartText(readFileBytes(entry.path().string()));
        EXPECT_EQ(read.ok, lastParseResult().code == kResultOk) << name;
        EXPECT_EQ(read.ok, read.document != nullptr) << name;
    }
}

} // namespace
