#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

#include "bms/bms_writer.h"
#include "bms/layout_keeping_writer.h"
#include "bms/reader_test_support.h"
#include "editing/definition_counts.h"
#include "editing/definition_operations.h"
#include "editing/edit_history.h"
#include "editing/file_registration.h"
#include "editing/index_base_switch.h"
#include "editing/play_content.h"
#include "editing/recording_page.h"

using reader_test::objectAt;
using testing::ElementsAre;

namespace {

// Three indices that only case tells apart, each used once, and 0a used without a name.
constexpr const char* kChart = "#BASE 62\n#WAV01 one.wav\n#WAVAa a.wav\n#WAVAA b.wav\n#WAVaA c.wav\n"
                               "#00011:AaAAaA0a\n#LNOBJ aA\n";

class Base62OperationsTest : public testing::Test {
protected:
    std::unique_ptr<BmsBms> document = reader_test::readChart(kChart);
    RecordingPage page { *document, kKindWav };
    ListExchanger plan;

    int row(const char* index) const { return document->wavTable()->rowOf(word(index)); }
    static BmsWord word(const char* index) { return BmsWord::keepingCase(index[0], index[1]); }
    std::string nameOf(const char* index) const { return document->wavTable()->get(word(index)); }
    // The objects of channel 11 in order, and the #LNOBJ index.
    std::string plays() const
    {
        std::string objects;
        for (int tick : { 0, 96, 192, 288 })
            objects += objectAt(*document, "11", tick) + ' ';
        return objects + document->headerTable()->get("LNOBJ");
    }
};

} // namespace

TEST_F(Base62OperationsTest, SwapMoveAndRemoveKeepIndicesThatDifferInCaseApart)
{
    page.selection = { row("Aa"), row("aA") };
    ASSERT_TRUE(swapTopTwoSelected(page, plan));
    EXPECT_EQ(nameOf("Aa"), "c.wav");
    EXPECT_EQ(nameOf("aA"), "a.wav");
    EXPECT_EQ(nameOf("AA"), "b.wav");
    EXPECT_EQ(plays(), "aA AA Aa 0a Aa");

    // Aa and its neighbour Ab, a row below in base 62.
    page.selection = { row("Aa") };
    ASSERT_TRUE(moveSelection(page, plan, false));
    EXPECT_EQ(nameOf("Ab"), "c.wav");
    EXPECT_EQ(plays(), "aA AA Ab 0a Ab");
    EXPECT_THAT(page.selection, ElementsAre(row("Ab")));

    page.selection = { row("AA") };
    removeSelected(page);
    EXPECT_FALSE(document->wavTable()->has(word("AA")));
    EXPECT_EQ(nameOf("aA"), "a.wav");
    EXPECT_EQ(nameOf("Ab"), "c.wav");
}

TEST_F(Base62OperationsTest, CompactRunsInBase62OrderAndUnregisterKeepsWhatIsUsed)
{
    document->wavTable()->set(word("zz"), "unused.wav");
    unregisterUnreferenced(page);
    EXPECT_FALSE(document->wavTable()->has(word("zz")));
    EXPECT_FALSE(document->wavTable()->has(word("01")));
    EXPECT_EQ(nameOf("aA"), "c.wav");

    compactIndices(page, plan);
    // 0a (used without a name), AA, Aa, aA in base-62 order: 01, 02, 03, 04.
    EXPECT_EQ(nameOf("02"), "b.wav");
    EXPECT_EQ(nameOf("03"), "a.wav");
    EXPECT_EQ(nameOf("04"), "c.wav");
    EXPECT_EQ(plays(), "03 02 04 01 04");

    const DefinitionCounts counts = countDefinitions(*document, kKindWav);
    EXPECT_EQ(counts.registered, 3);
    EXPECT_EQ(counts.usedUnregistered, 1);
}

TEST_F(Base62OperationsTest, RegisteringFillsTheRowsOfBase62AndUndoRestoresTheCase)
{
    EditHistory history;
    history.beginTableChange(*document, kKindWav, plan);
    page.caret = row("0Z");
    const FileRegistration result = registerFileNames(page, { "x.wav", "y.wav" });
    ASSERT_TRUE(history.endTableChange(*document, plan));
    // 0a is used without a name: passed over.
    EXPECT_EQ(nameOf("0Z"), "x.wav");
    EXPECT_EQ(nameOf("0b"), "y.wav");
    EXPECT_EQ(result.passedOverUsed, 1);

    history.beginTableChange(*document, kKindWav, plan);
    page.selection = { row("Aa"), row("aA") };
    swapTopTwoSelected(page, plan);
    ASSERT_TRUE(history.endTableChange(*document, plan));
    const EditStep* undone = history.undo(*document, plan);
    ASSERT_NE(undone, nullptr);
    EXPECT_EQ(undone->touchedRows(*document->wavTable()), (std::vector<int> { row("Aa"), row("aA") }));
    EXPECT_EQ(plays(), "Aa AA aA 0a aA");
    history.undo(*document, plan);
    EXPECT_FALSE(document->wavTable()->has(word("0b")));
    history.redo(*document, plan);
    history.redo(*document, plan);
    EXPECT_EQ(nameOf("0b"), "y.wav");
    EXPECT_EQ(plays(), "aA AA Aa 0a Aa");
    EXPECT_EQ(layoutKeepingText(*document),
        "#BASE 62\n#WAV01 one.wav\n#WAVaA a.wav\n#WAVAA b.wav\n#WAVAa c.wav\n"
        "#WAV0Z x.wav\n#WAV0b y.wav\n#00011:aAAAAa0a\n#LNOBJ Aa\n");
}

TEST(IndexBaseSwitch, Base62WritesEveryLowerCaseIndexInUpperCaseWithTheBaseBeforeTheDefinitions)
{
    const std::unique_ptr<BmsBms> document
        = reader_test::readChart("#TITLE t\n#wav0a a.wav\n#BMP01 b.bmp\n#00011:0a\n#lnobj 0a\n#BASE 36\n");
    const BaseSwitch result = switchIndexBase(*document, 62);
    ASSERT_TRUE(result.switched);
    EXPECT_EQ(document->wavTable()->rowCount(), 3844);
    EXPECT_EQ(layoutKeepingText(*document), "#TITLE t\n#BASE 62\n#wav0A a.wav\n#BMP01 b.bmp\n#00011:0A\n#lnobj 0A\n");

    // Back again: allowed while no lower-case index is in use; the text's own spelling
    // reads as before in base 36.
    ASSERT_TRUE(switchIndexBase(*document, 36).switched);
    EXPECT_EQ(layoutKeepingText(*document), "#TITLE t\n#wav0a a.wav\n#BMP01 b.bmp\n#00011:0a\n#lnobj 0A\n#BASE 36\n");
}

TEST(IndexBaseSwitch, IndexedHeaderKeysKeepTheirBase36MeaningInBase62)
{
    const std::unique_ptr<BmsBms> document = reader_test::readChart(
        "#BMP01 a.bmp\n#bgaaa 01 0 0 8 8 0 0\n#bpmaa 120\n#STOPaA 48\n#00004:aa\n#00008:AA\n#00009:aa\n");
    const std::vector<std::string> plays = playContent(*document);
    ASSERT_TRUE(switchIndexBase(*document, 62).switched);
    for (const char* key : { "BGAAA", "BPMAA", "STOPAA" })
        EXPECT_NE(document->headerTable()->find(key), nullptr) << key;
    EXPECT_EQ(playContent(*document), plays);
    for (const std::string& saved : { chartText(*document), layoutKeepingText(*document) })
        EXPECT_EQ(playContent(*reader_test::readChart(saved)), plays) << saved;
    EXPECT_EQ(layoutKeepingText(*document),
        "#BASE 62\n#BMP01 a.bmp\n#bgaAA 01 0 0 8 8 0 0\n#bpmAA 120\n#STOPAA 48\n#00004:AA\n#00008:AA\n#00009:AA\n");
}

TEST(IndexBaseSwitch, RefusesWhatTheOtherBaseCannotWrite)
{
    // A lower-case index in use: defined, used by an object of either kind, or named by a header.
    for (const char* text :
        { "#BASE 62\n#WAV0a a.wav\n", "#BASE 62\n#00011:0a\n", "#BASE 62\n#LNOBJ 0a\n", "#BASE 62\n#00104:0a\n",
            "#BASE 62\n#BGA0a 01 0 0 8 8 0 0\n", "#BASE 62\n#bpm0a 120\n", "#BASE 62\n#STOP0a 48\n" }) {
        SCOPED_TRACE(text);
        const std::unique_ptr<BmsBms> document = reader_test::readChart(text);
        const BaseSwitch result = switchIndexBase(*document, 36);
        EXPECT_FALSE(result.switched);
        ASSERT_EQ(result.refusals.size(), 1u);
        EXPECT_NE(result.refusals[0].find("0a has a lower-case letter"), std::string::npos) << result.refusals[0];
        EXPECT_TRUE(document->indexBase().isCaseSensitive());
    }
    // One index defined in two spellings would become two definitions.
    const std::unique_ptr<BmsBms> document = reader_test::readChart("#WAV0a a.wav\n#WAV0A b.wav\n");
    const BaseSwitch result = switchIndexBase(*document, 62);
    EXPECT_FALSE(result.switched);
    EXPECT_THAT(result.refusals,
        ElementsAre("2 definition lines spell one index in different letter cases, which "
                    "base 62 would tell apart"));
    EXPECT_FALSE(document->indexBase().isCaseSensitive());
}
