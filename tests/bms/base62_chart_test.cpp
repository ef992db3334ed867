#include <cctype>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "bms/layout_keeping_writer.h"
#include "bms/reader_test_support.h"
#include "editing/definition_operations.h"
#include "editing/play_content.h"
#include "editing/recording_page.h"

using reader_test::objectAt;
using reader_test::readChart;
using testing::ElementsAre;
using testing::UnorderedElementsAreArray;

namespace {

std::string nameAt(const BmsBms& document, const char* index)
{
    return document.wavTable()->get(document.indexBase().word(index[0], index[1]));
}

int rowOf(const BmsBms& document, const char* index)
{
    return document.wavTable()->rowOf(BmsWord::keepingCase(index[0], index[1]));
}

} // namespace

TEST(Base62Chart, TheBaseAnywhereInTheTextMakesEveryIndexCaseSensitive)
{
    const char* const definitions = "#WAVAa a.wav\n#WAVAA b.wav\n#wavaA c.wav\n#00011:AaAAaA00\n#LNOBJ aA\n";
    for (const std::string& text : { std::string("#BASE 62\n") + definitions, std::string(definitions) + "#base  62 \n",
             std::string("#TITLE t\n#Base 62\n") + definitions }) {
        SCOPED_TRACE(text);
        const std::unique_ptr<BmsBms> document = readChart(text);
        ASSERT_TRUE(document->indexBase().isCaseSensitive());
        EXPECT_EQ(document->wavTable()->rowCount(), 3844);
        EXPECT_EQ(nameAt(*document, "Aa"), "a.wav");
        EXPECT_EQ(nameAt(*document, "AA"), "b.wav");
        EXPECT_EQ(nameAt(*document, "aA"), "c.wav");
        EXPECT_EQ(objectAt(*document, "11", 0), "Aa");
        EXPECT_EQ(objectAt(*document, "11", 96), "AA");
        EXPECT_EQ(objectAt(*document, "11", 192), "aA");
        const ChartSource& source = *document->editState().source();
        for (const char* index : { "Aa", "AA" })
            EXPECT_EQ(source.references[kKindWav][BmsWord::keepingCase(index[0], index[1]).value()], 1) << index;
        EXPECT_EQ(source.references[kKindWav][BmsWord::keepingCase('a', 'A').value()], 2);
        EXPECT_THAT(findUnkeepableConstructs(*document), testing::IsEmpty());
    }
}

TEST(Base62Chart, OtherBasesKeepTheUpperCaseReadingAndTheLastBaseLineWins)
{
    const struct {
        const char* text;
        bool caseSensitive;
        std::vector<std::string> findings;
    } cases[] = {
        { "#WAVaa a.wav\n", false, {} },
        { "#BASE 36\n#WAVaa a.wav\n", false, {} },
        { "#BASE 16\n#WAVaa a.wav\n", false, { "#BASE 16" } },
        { "#BASE 62\n#WAVaa a.wav\n#BASE 36\n", false, { "#BASE 36" } },
        { "#BASE 36\n#WAVaa a.wav\n#BASE 62\n#BASE 62\n", true, { "#BASE 62" } },
        { "#BASEX 62\n#WAVaa a.wav\n", false, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::unique_ptr<BmsBms> document = readChart(c.text);
        EXPECT_EQ(document->indexBase().isCaseSensitive(), c.caseSensitive);
        EXPECT_EQ(nameAt(*document, c.caseSensitive ? "aa" : "AA"), "a.wav");
        std::vector<std::string> spelled;
        for (const SourceFinding& finding : findUnkeepableConstructs(*document))
            spelled.push_back(finding.spelled);
        EXPECT_EQ(spelled, c.findings);
        // Disagreeing lines are no loss: the save writes the one base that counts.
        EXPECT_THAT(findingsLostBy(*document, SaveLayout::KeepText), testing::IsEmpty());
    }
    // Channel numbers and measure numbers never take case.
    const std::unique_ptr<BmsBms> document = readChart("#BASE 62\n#0001a:0a\n");
    EXPECT_EQ(objectAt(*document, "1A", 0), "0a");
}

TEST(Base62Chart, TheNormalisedSaveWritesTheBaseBeforeEveryDefinitionAndKeepsCase)
{
    const std::unique_ptr<BmsBms> document
        = readChart("#WAVaA c.wav\n#WAVAa a.wav\n#TITLE t\n#00011:aAAa\n#BASE 62\n#BMPzz z.bmp\n");
    const std::string text = chartText(*document);
    EXPECT_EQ(text,
        "#TITLE t\r\n#BASE 62\r\n\r\n#WAVAa a.wav\r\n#WAVaA c.wav\r\n\r\n#BMPzz z.bmp\r\n\r\n#00011:aAAa\r\n\r\n");
    // A base-36 chart never gets a lower-case index or a base line that would make one.
    document->setIndexBase(IndexBase());
    document->wavTable()->clear();
    document->bmpTable()->clear();
    document->clearLines();
    EXPECT_EQ(chartText(*document), "#TITLE t\r\n\r\n\r\n\r\n\r\n");
}

namespace {

// The lines of a saved text that start with prefix.
std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix)
{
    const std::string lines = "\n" + text;
    std::vector<std::string> found;
    for (std::size_t at = 0; (at = lines.find("\n" + prefix, at)) != std::string::npos; ++at)
        found.push_back(lines.substr(at + 1, lines.find('\r', at) - at - 1));
    return found;
}

} // namespace

TEST(Base62Chart, AnIndexedHeaderKeyKeepsTheCaseOfItsIndexInBase62Only)
{
    const struct {
        const char* word;
        const char* channel;
        const char* lowerValue;
        const char* upperValue;
        const char* lowerPlays;
        const char* upperPlays;
    } keys[] = {
        { "BGA", "04", "01 0 0 8 8 0 0", "02 0 0 8 8 0 0", "BGA a.bmp 0 0 8 8 0 0", "BGA b.bmp 0 0 8 8 0 0" },
        { "@BGA", "04", "01 0 0 4 4 0 0", "02 0 0 4 4 0 0", "@BGA a.bmp 0 0 4 4 0 0", "@BGA b.bmp 0 0 4 4 0 0" },
        { "BPM", "08", "120", "150", "BPM 120", "BPM 150" },
        { "STOP", "09", "48", "96", "STOP 48", "STOP 96" },
    };
    for (const bool base62 : { false, true }) {
        for (const auto& key : keys) {
            const std::string lower = std::string(key.word) + "aa";
            const std::string upper = std::string(key.word) + "AA";
            // The first key's command word is in lower case: command words never take case.
            std::string text = std::string(base62 ? "#BASE 62\n" : "") + "#BMP01 a.bmp\n#BMP02 b.bmp\n#";
            for (const char* c = key.word; *c; ++c)
                text += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
            text += std::string("aa ") + key.lowerValue + "\n#" + upper + ' ' + key.upperValue + "\n#000" + key.channel
                + ":aaAA\n";
            SCOPED_TRACE(text);
            const std::unique_ptr<BmsBms> document = readChart(text);
            EXPECT_STREQ(document->headerTable()->get(lower.c_str()), base62 ? key.lowerValue : key.upperValue);
            EXPECT_STREQ(document->headerTable()->get(upper.c_str()), key.upperValue);
            const std::vector<std::string> plays = playContent(*document);
            EXPECT_THAT(plays,
                ElementsAre(std::string("0 ") + key.channel + ' ' + (base62 ? key.lowerPlays : key.upperPlays),
                    std::string("192 ") + key.channel + ' ' + key.upperPlays));

            const std::string saved = chartText(*document);
            std::vector<std::string> written { "#" + upper + ' ' + key.upperValue };
            if (base62)
                written.push_back("#" + lower + ' ' + key.lowerValue);
            EXPECT_THAT(linesStartingWith(saved, std::string("#") + key.word), UnorderedElementsAreArray(written));
            for (const std::string& savedText : { saved, layoutKeepingText(*document) })
                EXPECT_EQ(playContent(*readChart(savedText)), plays);
        }
    }
}

// Headers that define something for an index which no operation here renumbers: two
// spellings that differ in case are two keys in base 62, one in base 36; #SWBGA is no
// image part, so a compaction of the images leaves it.
TEST(Base62Chart, OtherIndexedKeysKeepTheCaseOfTheirIndexAndStayOutOfRenumbering)
{
    for (const bool base62 : { false, true }) {
        for (const std::string word : { "EXBPM", "TEXT", "SWBGA" }) {
            const std::string text = std::string(base62 ? "#BASE 62\n" : "") + "#BMP05 a.bmp\n#" + word + "aa lower\n#"
                + word + "AA upper\n#00004:05\n";
            SCOPED_TRACE(text);
            const std::unique_ptr<BmsBms> document = readChart(text);
            RecordingPage page(*document, kKindBmp);
            ListExchanger plan;
            compactIndices(page, plan);
            std::vector<std::string> written { "#" + word + "AA upper" };
            if (base62)
                written.push_back("#" + word + "aa lower");
            EXPECT_THAT(linesStartingWith(chartText(*document), "#" + word), UnorderedElementsAreArray(written));
        }
    }
}

TEST(Base62Chart, TheLayoutKeepingSaveChangesOnlyTheIndices)
{
    const std::string text = "#WAVAa a.wav\r\n#WAVAA b.wav\r\n#WAVaA c.wav\r\n; note\r\n#BASE 62\r\n"
                             "#00011:AaAAaA\r\n#LNOBJ aA\r\n";
    const std::unique_ptr<BmsBms> document = readChart(text);
    EXPECT_EQ(layoutKeepingText(*document), text);
    RecordingPage page(*document, kKindWav);
    ListExchanger plan;
    page.selection = { rowOf(*document, "Aa"), rowOf(*document, "aA") };
    ASSERT_TRUE(swapTopTwoSelected(page, plan));
    EXPECT_EQ(layoutKeepingText(*document),
        "#WAVaA a.wav\r\n#WAVAA b.wav\r\n#WAVAa c.wav\r\n; note\r\n#BASE 62\r\n#00011:aAAAAa\r\n#LNOBJ Aa\r\n");
}
