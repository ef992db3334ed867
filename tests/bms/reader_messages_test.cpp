#include <gtest/gtest.h>

#include "reader_test_support.h"

namespace {

using namespace reader_test;

// The messages are code page 932 bytes.
TEST(ReaderMessages, MessagesAreTheFixedCodePage932Texts)
{
    EXPECT_STREQ(
        messageFor(kResultOk), "\x90\xb3\x8f\xed\x82\xc9\x8f\x49\x97\xb9\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42");
    EXPECT_STREQ(messageFor(kResultMeasureLengthTwice),
        "\x8f\xac\x90\xdf\x92\xb7\x95\xcf\x8d\x58\x82\xaa\x32\x89\xf1\x8e\x77\x92\xe8\x82\xb3\x82\xea\x82\xdc\x82\xb5"
        "\x82\xbd\x81\x42");
    EXPECT_STREQ(messageFor(kResultCannotOpen),
        "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8a\x4a\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
        "\x42");
    EXPECT_STREQ(messageFor(kResultUnexpectedEof),
        "\x97\x5c\x8a\xfa\x82\xb9\x82\xca\x45\x4f\x46\x82\xf0\x8c\x9f\x8f\x6f\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42");
    EXPECT_STREQ(messageFor(kResultChartTooLarge),
        "\x95\x88\x96\xca\x83\x66\x81\x5b\x83\x5e\x82\xaa\x91\xe5\x82\xab\x82\xb7\x82\xac\x82\xdc\x82\xb7\x81\x42");
}

TEST(ReaderMessages, EveryCodeOutsideTheTableHasTheCatchAllMessage)
{
    const char* catchAll
        = "\x82\xc8\x82\xf1\x82\xa9\x82\xe6\x82\xad\x82\xed\x82\xa9\x82\xf1\x82\xc8\x82\xa2\x82\xaf"
          "\x82\xc7\x83\x47\x83\x89\x81\x5b\x82\xaa\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
    for (int code : { -1, 1, 16, 1000 })
        EXPECT_STREQ(messageFor(code), catchAll) << code;
    for (int code = kResultMeasureLengthTwice; code <= kResultChartTooLarge; ++code)
        EXPECT_STRNE(messageFor(code), catchAll) << code;
}

TEST(ReaderMessages, ErrorMessageAndLineFollowTheLastRead)
{
    readChartText("#TITLE a\n#00111:0\n");
    EXPECT_EQ(errorLine(), 2);
    EXPECT_STREQ(errorMessage(), messageFor(kResultBadObjectData));
    readChartText("#00111:01\n");
    EXPECT_STREQ(errorMessage(), messageFor(kResultOk));
}

} // namespace
