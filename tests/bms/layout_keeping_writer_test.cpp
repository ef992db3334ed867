#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "bms/bms_writer.h"
#include "bms/chart_save.h"
#include "bms/chunked_saving.h"
#include "bms/layout_check.h"
#include "bms/layout_keeping_writer.h"
#include "bms/memory_save.h"
#include "bms/reader_test_support.h"
#include "editing/definition_operations.h"
#include "editing/file_registration.h"
#include "editing/recording_page.h"
#include "support/test_support.h"

namespace {

using Edit = std::function<void(BmsBms& document, ListExchanger& plan)>;

// The layout-kept text of the chart read from text after the edit; the same whether it
// comes whole or a byte at a time.
std::string keptAfter(std::string_view text, const Edit& edit)
{
    const std::unique_ptr<BmsBms> document = reader_test::readChart(text);
    ListExchanger plan;
    edit(*document, plan);
    const std::string kept = layoutKeepingText(*document);
    EXPECT_EQ(savedInChunks(*document, SaveLayout::KeepText, 1), kept);
    return kept;
}

Edit swap(DefinitionKind kind, int a, int b)
{
    return [=](BmsBms& document, ListExchanger& plan) {
        RecordingPage page(document, kind);
        page.selection = { a, b };
        swapTopTwoSelected(page, plan);
    };
}

Edit removeRows(DefinitionKind kind, std::set<int> rows)
{
    return [=](BmsBms& document, ListExchanger&) {
        RecordingPage page(document, kind);
        page.selection = rows;
        removeSelected(page);
    };
}

Edit registerAt(DefinitionKind kind, int row, std::string name)
{
    return [=](BmsBms& document, ListExchanger&) {
        RecordingPage page(document, kind);
        page.caret = row;
        registerFileNames(page, { name });
    };
}

Edit compact(DefinitionKind kind)
{
    return [=](BmsBms& document, ListExchanger& plan) {
        RecordingPage page(document, kind);
        compactIndices(page, plan);
    };
}

const Edit kNoEdit = [](BmsBms&, ListExchanger&) {};

TEST(LayoutKeepingWriter, AnUneditedChartIsWrittenByteForByte)
{
    const char* charts[] = {
        "; a comment\r\n*---- HEADER\r\n#GENRE g\r\n#TITLE t\r\n#TITLE t\r\n\r\n#wav01 a.wav\r\n#00111:0a00\r\n",
        "#TITLE lf only\n  #00111:01 \n#00102:0.130208333333333\n#00211:0102",
        "#TITLE x\r\n#00111:01\r\n\x1A garbage #00111:zz\r\n",
    };
    for (const char* chart : charts)
        EXPECT_EQ(keptAfter(chart, kNoEdit), chart);
}

TEST(LayoutKeepingWriter, RenumberedObjectsGetTheirNewIndexInPlaceAndNothingElseChanges)
{
    // Measure 1 is 3 ticks: the grid cannot place its line, which is renumbered all the same.
    EXPECT_EQ(keptAfter("#WAV01 a.wav\r\n#wav02 b.wav\r\n; #00111:01\r\n#00102:0.0078125\r\n"
                        "  #00011:0a01 \t\r\n#00111:02020202\r\n#00004:01\r\n",
                  swap(kKindWav, 1, 2)),
        "#WAV02 a.wav\r\n#wav01 b.wav\r\n; #00111:01\r\n#00102:0.0078125\r\n"
        "  #00011:0a02 \t\r\n#00111:01010101\r\n#00004:01\r\n");
}

// A stray last character stays where it is; the normalised layout drops it.
TEST(LayoutKeepingWriter, ALineWithAStrayLastCharacterKeepsItWithItsPairsRenumbered)
{
    const std::string chart = "#WAV01 a.wav\r\n#WAV02 b.wav\r\n#00111:01021 \r\n#00211:0102\r\n";
    EXPECT_EQ(
        keptAfter(chart, swap(kKindWav, 1, 2)), "#WAV02 a.wav\r\n#WAV01 b.wav\r\n#00111:02011 \r\n#00211:0201\r\n");
    EXPECT_EQ(chartText(*reader_test::readChart(chart)),
        chartText(*reader_test::readChart("#WAV01 a.wav\r\n#WAV02 b.wav\r\n#00111:0102\r\n#00211:0102\r\n")));
}

TEST(LayoutKeepingWriter, ARemovedDefinitionLosesEveryLineOfItsIndex)
{
    EXPECT_EQ(keptAfter("#WAV01 a.wav\n#WAV02 b.wav\n#wav01 c.wav\n#00111:01", removeRows(kKindWav, { 1 })),
        "#WAV02 b.wav\n#00111:01");
    // The last line goes with its line break, so that the text still ends without one.
    EXPECT_EQ(keptAfter("#WAV02 b.wav\r\n#WAV01 a.wav", removeRows(kKindWav, { 1 })), "#WAV02 b.wav");
    // A line added in its place gets that break back, whatever the text's usual break is.
    const Edit removeThenRegister = [](BmsBms& document, ListExchanger& plan) {
        removeRows(kKindWav, { 1 })(document, plan);
        registerAt(kKindWav, 3, "c.wav")(document, plan);
    };
    EXPECT_EQ(keptAfter("#TITLE t\n#WAV02 b.wav\r\n#WAV01 a.wav", removeThenRegister),
        "#TITLE t\n#WAV02 b.wav\r\n#WAV03 c.wav");
    EXPECT_EQ(keptAfter("#WAV01 a.wav", removeThenRegister), "#WAV03 c.wav");
}

TEST(LayoutKeepingWriter, ARegisteredNameGetsANewLineAfterTheLastDefinitionOfItsKind)
{
    const Edit removeThenRegister = [](BmsBms& document, ListExchanger& plan) {
        removeRows(kKindWav, { 2 })(document, plan);
        registerAt(kKindWav, 2, "new.wav")(document, plan);
    };
    // A row that the data still uses after its removal is passed over.
    EXPECT_EQ(keptAfter("#WAV01 a.wav\r\n#WAV02 b.wav\r\n#BMP01 x.bmp\r\n#00111:01\r\n", removeThenRegister),
        "#WAV01 a.wav\r\n#WAV02 new.wav\r\n#BMP01 x.bmp\r\n#00111:01\r\n");
    EXPECT_EQ(keptAfter("#WAV01 a.wav\r\n#WAV02 b.wav\r\n#BMP01 x.bmp\r\n#00111:02\r\n", removeThenRegister),
        "#WAV01 a.wav\r\n#WAV03 new.wav\r\n#BMP01 x.bmp\r\n#00111:02\r\n");
    // Without definitions of the kind: after the last header line, in the text's line ends.
    EXPECT_EQ(keptAfter("#TITLE t\n#WAV01 a.wav\n#00104:02", registerAt(kKindBmp, 1, "x.bmp")),
        "#TITLE t\n#WAV01 a.wav\n#BMP01 x.bmp\n#00104:02");
    EXPECT_EQ(keptAfter("#00111:01", registerAt(kKindWav, 2, "b.wav")), "#WAV02 b.wav\r\n#00111:01");
    EXPECT_EQ(keptAfter("#WAV01 a.wav", registerAt(kKindWav, 2, "b.wav")), "#WAV01 a.wav\r\n#WAV02 b.wav");
}

Edit rename(DefinitionKind kind, int row, std::string name)
{
    return [=](BmsBms& document, ListExchanger&) {
        document.table(kind)->set(document.table(kind)->wordAt(row), name.c_str());
    };
}

TEST(LayoutKeepingWriter, ARenamedDefinitionGetsItsNewNameOnItsOwnLine)
{
    // The spacing before the name, the comments and the line ends around it stay.
    EXPECT_EQ(keptAfter("; drums\r\n#wav01 \t kick.wav\r\n; after\r\n#WAV02 b.wav\r\n#00111:01\r\n",
                  rename(kKindWav, 1, "boom.wav")),
        "; drums\r\n#wav01 \t boom.wav\r\n; after\r\n#WAV02 b.wav\r\n#00111:01\r\n");
    // Of an index defined twice, the last line (the one players read) takes the name.
    EXPECT_EQ(keptAfter("#BMP01 a.bmp\n#BMP02 b.bmp\n#BMP01 c.bmp", rename(kKindBmp, 1, "d.bmp")),
        "#BMP02 b.bmp\n#BMP01 d.bmp");
    // A last line inside a block is not the place: the name goes after the definitions.
    EXPECT_EQ(keptAfter("#WAV02 b.wav\n#IF 1\n#WAV01 a.wav\n#ENDIF\n", rename(kKindWav, 1, "c.wav")),
        "#WAV02 b.wav\n#WAV01 c.wav\n#IF 1\n#ENDIF\n");
    // Moved and renamed: the old line goes and the name gets a new one.
    const Edit swapThenRename = [](BmsBms& document, ListExchanger& plan) {
        swap(kKindWav, 1, 2)(document, plan);
        rename(kKindWav, 1, "c.wav")(document, plan);
    };
    EXPECT_EQ(keptAfter("#WAV01 a.wav\n#WAV02 b.wav\n", swapThenRename), "#WAV02 a.wav\n#WAV01 c.wav\n");
}

TEST(LayoutKeepingWriter, HeaderReferencesAreRenumberedInPlace)
{
    EXPECT_EQ(keptAfter("#lnobj zz\n#LNOBJ  01 \n#WAV01 a.wav\n#WAVZZ z.wav\n", swap(kKindWav, 1, 1295)),
        "#lnobj 01\n#LNOBJ  ZZ \n#WAVZZ a.wav\n#WAV01 z.wav\n");
    EXPECT_EQ(
        keptAfter("#BMP03 s.bmp\n#bga05 03 0 0 8 8 0 0\n#@BGA07 03 1 1 2 2 0 0\n#00004:0507\n", compact(kKindBmp)),
        "#BMP01 s.bmp\n#bga02 01 0 0 8 8 0 0\n#@BGA03 01 1 1 2 2 0 0\n#00004:0203\n");
    // An index swapped away and back is spelled as the model spells it; the value's other
    // bytes stay, the carriage return in it included.
    const Edit swapTwice = [](BmsBms& document, ListExchanger& plan) {
        swap(kKindBmp, 10, 11)(document, plan);
        swap(kKindBmp, 10, 11)(document, plan);
    };
    EXPECT_EQ(keptAfter("#BMP0a s.bmp\n#BMP0B t.bmp\n#BGA05 0a 0 0\r 8 8 0 0\n", swapTwice),
        "#BMP0a s.bmp\n#BMP0B t.bmp\n#BGA05 0A 0 0\r 8 8 0 0\n");
}

TEST(LayoutKeepingWriter, EveryBranchOfAControlFlowBlockIsRenumbered)
{
    const char* chart = "#RANDOM 2\r\n#IF 1\r\n#WAV03 one.wav\r\n#00111:03\r\n#ELSE\r\n#WAV05 two.wav\r\n"
                        "#00111:05\r\n#ENDIF\r\n#WAV07 always.wav\r\n#00211:07\r\n";
    EXPECT_EQ(keptAfter(chart, compact(kKindWav)),
        "#RANDOM 2\r\n#IF 1\r\n#WAV01 one.wav\r\n#00111:01\r\n#ELSE\r\n#WAV02 two.wav\r\n"
        "#00111:02\r\n#ENDIF\r\n#WAV03 always.wav\r\n#00211:03\r\n");
    // A new definition goes after the last definition outside the blocks.
    EXPECT_EQ(keptAfter("#WAV01 a.wav\n#IF 1\n#WAV02 b.wav\n#ENDIF\n", registerAt(kKindWav, 3, "c.wav")),
        "#WAV01 a.wav\n#WAV03 c.wav\n#IF 1\n#WAV02 b.wav\n#ENDIF\n");
}

TEST(LayoutKeepingWriter, AnEditedHeaderValueReplacesItsLastLineAndANewKeyGetsALine)
{
    const Edit editHeaders = [](BmsBms& document, ListExchanger&) {
        document.headerTable()->set("TITLE", "New");
        document.headerTable()->set("ARTIST", "Someone");
    };
    EXPECT_EQ(keptAfter("#title Old\r\n#TITLE Older  \r\n#BPM 120\r\n#WAV01 a.wav\r\n#00111:01", editHeaders),
        "#title Old\r\n#TITLE New\r\n#BPM 120\r\n#ARTIST Someone\r\n#WAV01 a.wav\r\n#00111:01");
    // A NUL ends the value as the reader takes it; what follows it stays.
    using namespace std::string_literals;
    EXPECT_EQ(keptAfter("#TITLE Old\0 kept\r\n"s, editHeaders), "#TITLE New\0 kept\r\n#ARTIST Someone\r\n"s);
}

TEST(LayoutKeepingWriter, AfterASaveTheWrittenTextIsWhatTheNextSaveKeeps)
{
    const std::unique_ptr<BmsBms> document = reader_test::readChart(
        "; kept\n#WAV02 b.wav\n#WAV04 d.wav\n#00111:0204\n#00102:0.0078125\n#00111:04040404\n");
    ListExchanger plan;
    compact(kKindWav)(*document, plan);
    ASSERT_EQ(saveToMemory(*document, SaveLayout::KeepText), SaveOutcome::Written);
    const std::string saved = "; kept\n#WAV01 b.wav\n#WAV02 d.wav\n#00111:0102\n#00102:0.0078125\n#00111:02020202\n";
    EXPECT_EQ(memory_save::lastBytes(), saved);
    EXPECT_EQ(layoutKeepingText(*document), saved);

    // The same after a normalised save, which the user allowed to drop the 4-object line:
    // nothing is left that a save would lose.
    EXPECT_FALSE(findUnkeepableConstructs(*document).empty());
    ASSERT_EQ(saveToMemory(*document, SaveLayout::Normalised), SaveOutcome::Written);
    EXPECT_EQ(layoutKeepingText(*document), chartText(*document));
    EXPECT_TRUE(findUnkeepableConstructs(*document).empty());
}

TEST(LayoutKeepingWriter, AChartWithoutATextOfItsOwnIsWrittenNormalised)
{
    BmsBms document;
    document.headerTable()->set("TITLE", "New chart");
    EXPECT_EQ(layoutKeepingText(document), chartText(document));
}

} // namespace
