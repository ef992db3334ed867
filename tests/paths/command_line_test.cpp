#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

#include "paths/command_line.h"
#include "paths/path_parts.h"

namespace {

// The first argument as the editor takes it into its path buffer; "<refused>" when it
// does not fit.
std::string firstArgument(const std::string& commandLine)
{
    char path[kPathBufferSize];
    std::fill(std::begin(path), std::end(path), 'x');
    if (!copyFirstArgument(commandLine.c_str(), path, sizeof path))
        return path[0] == '\0' ? "<refused>" : "<refused, path not emptied>";
    return path;
}

TEST(CommandLineTest, UnquotedArgumentEndsAtFirstBlank)
{
    EXPECT_EQ("C:\\songs\\a.bms", firstArgument("C:\\songs\\a.bms"));
    EXPECT_EQ("C:\\my", firstArgument("C:\\my songs\\a.bms"));
    EXPECT_EQ("a.bms", firstArgument("a.bms b.bms"));
}

TEST(CommandLineTest, QuotedArgumentKeepsBlanksAndDropsQuotes)
{
    EXPECT_EQ("C:\\my songs\\a.bms", firstArgument("\"C:\\my songs\\a.bms\""));
    EXPECT_EQ("C:\\my songs\\a.bms", firstArgument("\"C:\\my songs\\a.bms\" second.bms"));
    // Quotes may enclose only part of the argument.
    EXPECT_EQ("C:\\my songs\\a.bms", firstArgument("C:\\\"my songs\"\\a.bms"));
}

TEST(CommandLineTest, BlankBeforeClosingQuoteEndsArgument)
{
    EXPECT_EQ("C:\\a", firstArgument("\"C:\\a \""));
    EXPECT_EQ("C:\\a b", firstArgument("\"C:\\a b \" c"));
}

TEST(CommandLineTest, EmptyArguments)
{
    EXPECT_EQ("", firstArgument(""));
    EXPECT_EQ("", firstArgument("\"\""));
    EXPECT_EQ("", firstArgument(" a.bms"));
}

TEST(CommandLineTest, ArgumentMustLeaveRoomForTerminator)
{
    const std::string longest(kPathBufferSize - 1, 'a');
    EXPECT_EQ(longest, firstArgument(longest));
    EXPECT_EQ(longest, firstArgument("\"" + longest + "\""));
    EXPECT_EQ("<refused>", firstArgument(std::string(kPathBufferSize, 'a')));
    EXPECT_EQ("<refused>", firstArgument("\"" + std::string(kPathBufferSize + 40, 'a') + "\" b"));
    // What follows the first argument does not count.
    EXPECT_EQ(longest, firstArgument(longest + " " + longest));
}

} // namespace
