#pragma once

// Which rows of a definition list are shown: all of them, or only those of one state as
// the rows' marks and reference counts tell it. Narrowing the list never changes the chart.

#include "editing/row_marks.h"

enum class RowFilter {
    All,
    // Referred to by the chart, whether registered or not.
    Used,
    // Registered, never used.
    Unused,
    // Registered with a file that is not in the chart's folder.
    NoFile,
};

// Whether the filter shows the row of the index.
bool showsRow(RowFilter filter, const RowMarks& marks, BmsWord index);
