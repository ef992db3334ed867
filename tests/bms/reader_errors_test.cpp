#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "reader_test_support.h"
#include "support/test_support.h"

namespace {

using namespace reader_test;

struct FailureCase {
    const char* text;
    ReadFailure expected;
};

TEST(ReaderErrors, MalformedLineFailsWithItsCodeAndLine)
{
    const FailureCase cases[] = {
        // The repeat is found before the value is checked.
        { "#00102:0.75\n#00102:0.75\n", { kResultMeasureLengthTwice, 2 } },
        { "#00102:0.5\n\n#00102:9999\n", { kResultMeasureLengthTwice, 3 } },
        // The character after "#" must be a letter or digit.
        { "# comment\n", { kResultBadCharAfterHash, 1 } },
        { "#TITLE a\n#*x\n", { kResultBadCharAfterHash, 2 } },
        { "\n\n#\n", { kResultBadCharAfterHash, 3 } },
        // Header keys are alphanumeric.
        { "#PLAY-LEVEL 3\n", { kResultBadHeaderKey, 1 } },
        { "#TITLE:x\n", { kResultBadHeaderKey, 1 } },
        // Object data is alphanumeric pairs (a stray last character is ignored), and only
        // blanks may follow them.
        { "#00111:010 x\n", { kResultBadObjectData, 1 } },
        { "#00111:\n", { kResultBadObjectData, 1 } },
        { "#00111: 01\n", { kResultBadObjectData, 1 } },
        { "#00111:0*\n", { kResultBadObjectData, 1 } },
        { "#00111:01*1\n", { kResultBadObjectData, 1 } },
        { "#00111:01\n#00211:01;\n", { kResultBadObjectData, 2 } },
        { "#00111:01 02\n", { kResultBadObjectEnd, 1 } },
        { "#00111:01\t;\n", { kResultBadObjectEnd, 1 } },
        // A measure length is digits with one optional point, starting with a digit or point.
        { "#00102:1.5 \n", { kResultBadMeasureLengthText, 1 } },
        { "#00102:1.2.3\n", { kResultBadMeasureLengthText, 1 } },
        { "#00102:..5\n", { kResultBadMeasureLengthText, 1 } },
        { "#00102:1x\n", { kResultBadMeasureLengthText, 1 } },
        { "#00102: 1\n", { kResultBadMeasureLengthValue, 1 } },
        { "#00102:-1\n", { kResultBadMeasureLengthValue, 1 } },
        { "#00102:\n", { kResultBadMeasureLengthValue, 1 } },
        // The channel is two alphanumerics (a colon is taken as its second character), then a colon.
        { "#0011:01\n", { kResultBadChannel, 1 } },
        { "#001*1:01\n", { kResultBadChannel, 1 } },
        { "#00111;01\n", { kResultMissingColon, 1 } },
        { "#TITLE a\n#00102 1\n", { kResultMissingColon, 2 } },
        // The measure number is three digits.
        { "#01A11:01\n", { kResultBadMeasureNumber, 1 } },
        { "#00\n", { kResultBadMeasureNumber, 1 } },
        // The end of the input ends the last line like a line end, in errors too.
        { "#", { kResultBadCharAfterHash, 1 } },
        { "\n#00111:0", { kResultBadObjectData, 2 } },
        { "#00111:01 x", { kResultBadObjectEnd, 1 } },
        { "#00102:", { kResultBadMeasureLengthValue, 1 } },
        { "#00111", { kResultMissingColon, 1 } },
        // Dropped keys count their line once.
        { "#TITLE\n#GENRE  \n#ARTIST\t\n#00111:0\n", { kResultBadObjectData, 4 } },
        // First-pass errors come before earlier second-pass errors.
        { "#PLAY-LEVEL 3\n#00111:01 x\n#0011:01\n", { kResultBadChannel, 3 } },
        { "#00111:01 x\n#00102:1.5 \n", { kResultBadMeasureLengthText, 2 } },
        { "#*x\n#0011:01", { kResultBadChannel, 2 } },
    };
    for (const FailureCase& c : cases)
        EXPECT_EQ(readFailure(c.text), c.expected) << testing::PrintToString(c.text);
}

TEST(ReaderErrors, FailedReadLeavesTheCallersDocumentAlone)
{
    BmsReader reader;
    auto document = std::make_unique<BmsBms>();
    document->headerTable()->set("TITLE", "current");
    const BmsBms* current = document.get();

    EXPECT_FALSE(reader.readBytes("#TITLE new\n#00111:0\n", document));
    EXPECT_EQ(document.get(), current);
    EXPECT_STREQ(document->headerTable()->get("TITLE"), "current");

    EXPECT_TRUE(reader.readBytes("#TITLE new\n", document));
    EXPECT_NE(document.get(), nullptr);
    EXPECT_STREQ(document->headerTable()->get("TITLE"), "new");
}

TEST(ReaderErrors, UnopenableFileFailsWithoutTouchingTheLine)
{
    EXPECT_EQ(readFailure("\n\n#*\n"), (ReadFailure { kResultBadCharAfterHash, 3 }));
    ScratchDirectory scratch;
    BmsReader reader;
    std::unique_ptr<BmsBms> document;
    EXPECT_FALSE(reader.read(scratch.file("missing.bms").c_str(), document));
    EXPECT_EQ(document, nullptr);
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
    EXPECT_EQ(errorLine(), 3);
    EXPECT_FALSE(reader.read(nullptr, document));
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
    // A folder is no file to open, however large the system says it is.
    EXPECT_FALSE(reader.read(scratch.path().string().c_str(), document));
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
}

TEST(ReaderErrors, EachThreadKeepsItsOwnResult)
{
    EXPECT_EQ(readFailure("\n\n#*\n"), (ReadFailure { kResultBadCharAfterHash, 3 }));
    std::thread([] {
        BmsReader reader;
        std::unique_ptr<BmsBms> document;
        EXPECT_TRUE(reader.readBytes("#TITLE other\n", document));
        EXPECT_EQ(lastParseResult().code, kResultOk);
    }).join();
    EXPECT_EQ(lastParseResult().code, kResultBadCharAfterHash);
    EXPECT_EQ(errorLine(), 3);
}

} // namespace
