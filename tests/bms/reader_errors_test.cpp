#include <gtest/gtest.h>
#include <string>

#include "reader_test_support.h"
#include "support/test_support.h"

namespace {

using namespace reader_test;

ReadFailure failure(int code, int line)
{
    return { code, line };
}

TEST(ReaderErrors, MeasureLengthGivenTwiceFailsAtTheSecondLine)
{
    EXPECT_EQ(readFailure("#00102:0.75\n#00102:0.75\n"), failure(kResultMeasureLengthTwice, 2));
    // The repeat is found before the value is checked.
    EXPECT_EQ(readFailure("#00102:0.5\n\n#00102:9999\n"), failure(kResultMeasureLengthTwice, 3));
}

TEST(ReaderErrors, CharacterAfterHashMustBeALetterOrDigit)
{
    EXPECT_EQ(readFailure("# comment\n"), failure(kResultBadCharAfterHash, 1));
    EXPECT_EQ(readFailure("#TITLE a\n#*x\n"), failure(kResultBadCharAfterHash, 2));
    EXPECT_EQ(readFailure("\n\n#\n"), failure(kResultBadCharAfterHash, 3));
}

TEST(ReaderErrors, HeaderKeyMustBeAlphanumeric)
{
    EXPECT_EQ(readFailure("#PLAY-LEVEL 3\n"), failure(kResultBadHeaderKey, 1));
    EXPECT_EQ(readFailure("#TITLE:x\n"), failure(kResultBadHeaderKey, 1));
}

TEST(ReaderErrors, ObjectDataMustBeWholeAlphanumericPairs)
{
    EXPECT_EQ(readFailure("#00111:010\n"), failure(kResultBadObjectData, 1));
    EXPECT_EQ(readFailure("#00111:\n"), failure(kResultBadObjectData, 1));
    EXPECT_EQ(readFailure("#00111: 01\n"), failure(kResultBadObjectData, 1));
    EXPECT_EQ(readFailure("#00111:0*\n"), failure(kResultBadObjectData, 1));
    EXPECT_EQ(readFailure("#00111:01*1\n"), failure(kResultBadObjectData, 1));
    EXPECT_EQ(readFailure("#00111:01\n#00211:01;\n"), failure(kResultBadObjectData, 2));
}

TEST(ReaderErrors, OnlyBlanksMayFollowTheObjects)
{
    EXPECT_EQ(readFailure("#00111:01 02\n"), failure(kResultBadObjectEnd, 1));
    EXPECT_EQ(readFailure("#00111:01\t;\n"), failure(kResultBadObjectEnd, 1));
}

TEST(ReaderErrors, MeasureLengthTextIsDigitsWithOneOptionalPoint)
{
    EXPECT_EQ(readFailure("#00102:1.5 \n"), failure(kResultBadMeasureLengthText, 1));
    EXPECT_EQ(readFailure("#00102:1.2.3\n"), failure(kResultBadMeasureLengthText, 1));
    EXPECT_EQ(readFailure("#00102:..5\n"), failure(kResultBadMeasureLengthText, 1));
    EXPECT_EQ(readFailure("#00102:1x\n"), failure(kResultBadMeasureLengthText, 1));
    EXPECT_EQ(readFailure("\n#00102:1"), failure(kResultBadMeasureLengthText, 2));
}

TEST(ReaderErrors, MeasureLengthMustStartWithADigitOrPoint)
{
    EXPECT_EQ(readFailure("#00102: 1\n"), failure(kResultBadMeasureLengthValue, 1));
    EXPECT_EQ(readFailure("#00102:-1\n"), failure(kResultBadMeasureLengthValue, 1));
    EXPECT_EQ(readFailure("#00102:\n"), failure(kResultBadMeasureLengthValue, 1));
}

TEST(ReaderErrors, ChannelMustBeTwoAlphanumerics)
{
    // The colon is taken as the second channel character.
    EXPECT_EQ(readFailure("#0011:01\n"), failure(kResultBadChannel, 1));
    EXPECT_EQ(readFailure("#001*1:01\n"), failure(kResultBadChannel, 1));
}

TEST(ReaderErrors, ColonMustFollowTheChannel)
{
    EXPECT_EQ(readFailure("#00111;01\n"), failure(kResultMissingColon, 1));
    EXPECT_EQ(readFailure("#TITLE a\n#00102 1\n"), failure(kResultMissingColon, 2));
}

TEST(ReaderErrors, MeasureNumberMustBeThreeDigits)
{
    EXPECT_EQ(readFailure("#01A11:01\n"), failure(kResultBadMeasureNumber, 1));
    EXPECT_EQ(readFailure("#00\n"), failure(kResultBadMeasureNumber, 1));
}

TEST(ReaderErrors, HashLineWithoutLineEndAtTheEndFails)
{
    EXPECT_EQ(readFailure("#00111:01"), failure(kResultUnexpectedEof, 1));
    EXPECT_EQ(readFailure("\n\n#TITLE no line end"), failure(kResultUnexpectedEof, 3));
    EXPECT_EQ(readFailure("#"), failure(kResultUnexpectedEof, 1));
}

TEST(ReaderErrors, DroppedKeysCountTheirLineOnce)
{
    EXPECT_EQ(readFailure("#TITLE\n#GENRE  \n#ARTIST\t\n#00111:0\n"), failure(kResultBadObjectData, 4));
}

TEST(ReaderErrors, FirstPassErrorsComeBeforeEarlierSecondPassErrors)
{
    EXPECT_EQ(readFailure("#PLAY-LEVEL 3\n#00111:01 x\n#0011:01\n"), failure(kResultBadChannel, 3));
    EXPECT_EQ(readFailure("#00111:01 x\n#00102:1.5 \n"), failure(kResultBadMeasureLengthText, 2));
    EXPECT_EQ(readFailure("#*x\n#00111:01"), failure(kResultUnexpectedEof, 2));
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
    EXPECT_EQ(readFailure("\n\n#*\n"), failure(kResultBadCharAfterHash, 3));
    ScratchDirectory scratch;
    BmsReader reader;
    std::unique_ptr<BmsBms> document;
    EXPECT_FALSE(reader.read(scratch.file("missing.bms").c_str(), document));
    EXPECT_EQ(document, nullptr);
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
    EXPECT_EQ(errorLine(), 3);
    EXPECT_FALSE(reader.read(nullptr, document));
    EXPECT_EQ(lastParseResult().code, kResultCannotOpen);
}

} // namespace
