#include <gtest/gtest.h>
#include <string>

#include "editing/definition_counts.h"
#include "editing/row_marks.h"
#include "support/chart_building.h"
#include "support/fake_folder.h"

namespace {

// The status bar counts from the rows' marks; they must agree with the counts made from
// the chart itself.
TEST(RowMarksTest, CountsFromTheMarksAgreeWithTheCountsOfTheChart)
{
    BmsBms document;
    document.wavTable()->set(BmsWord("00"), "silence.wav");
    document.wavTable()->set(BmsWord("01"), "kick.wav");
    document.wavTable()->set(BmsWord("02"), "spare.wav");
    document.wavTable()->set(BmsWord("03"), "gone.wav");
    placeObject(document, "01", 0, "01");
    placeObject(document, "01", 48, "03");
    placeObject(document, "01", 96, "0Z");
    FakeFolder folder({ "kick.wav", "spare.ogg" });

    const RowMarks marks = markRows(document, kKindWav, &folder);
    EXPECT_EQ(marks.marks[BmsWord("02").value()], kMarkUnused);
    EXPECT_EQ(marks.marks[BmsWord("03").value()], kMarkNoFile);
    EXPECT_EQ(marks.marks[BmsWord("0Z").value()], kMarkUnregistered);

    const DefinitionCounts fromMarks = countDefinitions(*document.wavTable(), marks.references);
    const DefinitionCounts fromChart = countDefinitions(document, kKindWav);
    EXPECT_EQ(fromMarks.registered, 4);
    EXPECT_EQ(fromMarks.used, 3);
    EXPECT_EQ(fromMarks.unused, 1);
    EXPECT_EQ(fromMarks.usedUnregistered, 1);
    EXPECT_EQ(fromMarks.registered, fromChart.registered);
    EXPECT_EQ(fromMarks.used, fromChart.used);
    EXPECT_EQ(fromMarks.unused, fromChart.unused);
    EXPECT_EQ(fromMarks.usedUnregistered, fromChart.usedUnregistered);
    // silence.wav of row 00 and gone.wav are missing.
    EXPECT_EQ(countMarked(marks, kMarkNoFile), 2);
    EXPECT_EQ(countMarked(marks, kMarkNoFile), countMissingFiles(document, kKindWav, folder));
}

} // namespace
