#include <gtest/gtest.h>
#include <set>
#include <string>

#include "editing/definition_counts.h"
#include "editing/row_marks.h"
#include "support/chart_building.h"

namespace {

// A folder that holds exactly the names given.
class NamedFiles : public FileLookup {
public:
    explicit NamedFiles(std::set<std::string> names)
        : names_(std::move(names))
    {
    }
    std::optional<FoundFile> find(const std::string& name) override
    {
        if (names_.count(name) == 0)
            return std::nullopt;
        return FoundFile { name, name };
    }

private:
    std::set<std::string> names_;
};

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
    NamedFiles folder({ "kick.wav", "spare.ogg" });

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
