#include <gtest/gtest.h>

#include "bms/layout_check.h"

namespace {

// The first finding as the chart spells it, or "" when there is none.
std::string firstConstruct(const BmsBms& document)
{
    const std::vector<SourceFinding> findings = findUnkeepableConstructs(document);
    return findings.empty() ? "" : findings.front().spelled;
}

std::string constructWithHeader(const char* key, const char* value)
{
    BmsBms document;
    document.headerTable()->set("TITLE", "Song");
    document.headerTable()->set(key, value);
    return firstConstruct(document);
}

TEST(LayoutCheck, AcceptsAnOrdinaryChart)
{
    BmsBms document;
    document.headerTable()->set("TITLE", "Song");
    document.headerTable()->set("RANDOMIZE", "1");
    document.headerTable()->set("IF1", "1");
    EXPECT_EQ(firstConstruct(document), "");
}

TEST(LayoutCheck, FindsControlFlowHeaders)
{
    EXPECT_EQ(constructWithHeader("random", "2"), "#RANDOM");
    EXPECT_EQ(constructWithHeader("SETRANDOM", "1"), "#SETRANDOM");
    EXPECT_EQ(constructWithHeader("IF", "1"), "#IF");
    EXPECT_EQ(constructWithHeader("ELSEIF", "2"), "#ELSEIF");
    EXPECT_EQ(constructWithHeader("SWITCH", "3"), "#SWITCH");
    EXPECT_EQ(constructWithHeader("SETSWITCH", "1"), "#SETSWITCH");
    EXPECT_EQ(constructWithHeader("CASE", "1"), "#CASE");
    EXPECT_EQ(constructWithHeader("ENDIF", "x"), "#ENDIF");
    EXPECT_EQ(constructWithHeader("SKIP", "x"), "#SKIP");
}

TEST(LayoutCheck, NamesTheOpeningWordFirst)
{
    BmsBms document;
    document.headerTable()->set("IF", "1");
    document.headerTable()->set("RANDOM", "2");
    EXPECT_EQ(firstConstruct(document), "#RANDOM");
}

TEST(LayoutCheck, AcceptsBases36And62AndFindsAnyOtherBase)
{
    EXPECT_EQ(constructWithHeader("BASE", "36"), "");
    EXPECT_EQ(constructWithHeader("BASE", " 36\t "), "");
    EXPECT_EQ(constructWithHeader("base", "62"), "");
    EXPECT_EQ(constructWithHeader("BASE", "62  "), "");
    EXPECT_EQ(constructWithHeader("BASE", "16"), "#BASE 16");
    EXPECT_EQ(constructWithHeader("BASE", "062"), "#BASE 062");
}

TEST(LayoutCheck, CountsDefinitionsThatShareAnIndexOnceCaseIsIgnored)
{
    const struct {
        const char* chart;
        int shared;
    } cases[] = {
        { "#WAVAa a.wav\n#WAVAA b.wav\r\n#wavaA c.wav\n#WAV01 d.wav\n", 3 },
        // The same spelling twice is one definition overwritten, not two indices.
        { "#WAV0a a.wav\n#WAV0a b.wav\n#BMP0a c.bmp\n", 0 },
        { "  #BMPzz x.bmp\n#BMPZZ y.bmp\n#TITLE zz\n#WAVzz\n#WA", 2 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(countCaseSharedDefinitions(c.chart), c.shared) << c.chart;
}

} // namespace

TEST(UnwrittenLinesTest, CommentsNotesAndKeysWithoutValueAreFoundWithTheirNumbers)
{
    const std::vector<UnwrittenLine> lines = findUnwrittenLines("*---- HEADER FIELD\r\n#TITLE t\r\n\r\n   \r\n"
                                                                "  ; note\r\n#ENDIF\r\n#ENDIF  \r\n#00111:01\r\n"
                                                                "#IF 1\r\nlast without end");
    std::vector<std::string> found;
    for (const UnwrittenLine& line : lines)
        found.push_back(std::to_string(line.line) + ":" + line.text);
    EXPECT_EQ(found,
        (std::vector<std::string> {
            "1:*---- HEADER FIELD", "5:  ; note", "6:#ENDIF", "7:#ENDIF  ", "10:last without end" }));
}
