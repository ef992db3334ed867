#include <gtest/gtest.h>

#include "editing/row_filter.h"

namespace {

TEST(RowFilterTest, EachFilterShowsTheRowsOfItsStateAndAllShowsEveryRow)
{
    // Row 1 used and registered with its file, 2 used without a definition, 3 unused
    // with its file, 4 unused and missing, 5 used and missing, 6 empty.
    RowMarks marks;
    marks.references[1] = 2;
    marks.references[2] = 1;
    marks.marks[2] = kMarkUnregistered;
    marks.marks[3] = kMarkUnused;
    marks.marks[4] = kMarkUnused | kMarkNoFile;
    marks.references[5] = 1;
    marks.marks[5] = kMarkNoFile;
    const struct {
        RowFilter filter;
        const char* shown; // rows 1 to 6
    } cases[] = {
        { RowFilter::All, "111111" },
        { RowFilter::Used, "110010" },
        { RowFilter::Unused, "001100" },
        { RowFilter::NoFile, "000110" },
    };
    for (const auto& c : cases) {
        std::string shown;
        for (int row = 1; row <= 6; ++row)
            shown += showsRow(c.filter, marks, BmsWord(row)) ? '1' : '0';
        EXPECT_EQ(c.shown, shown) << static_cast<int>(c.filter);
    }
}

} // namespace
