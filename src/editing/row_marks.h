#pragma once

// What each row of a definition list is short of, for marking it in the list: the same
// tests as the counts of definition_counts and missing_files, row by row.

#include <array>
#include <string>

#include "editing/index_usage.h"
#include "editing/missing_files.h"
#include "model/bms_bms.h"
#include "model/definition_kind.h"

enum RowMark : unsigned char {
    kMarkNone = 0,
    // Registered, never used (row 00 never is).
    kMarkUnused = 1,
    // Used by the channel data or a header, not registered.
    kMarkUnregistered = 2,
    // Registered with a file that is not in the chart's folder under any extension of
    // the kind.
    kMarkNoFile = 4,
};

// Both by index value (BmsWord::value), whatever the rows of the chart's base.
struct RowMarks {
    std::array<unsigned char, BmsWord::kValueCount> marks {};
    ReferenceCounts references {};
};

// Marks every row of the kind's table; without a lookup (no chart folder) no file is
// marked missing.
RowMarks markRows(BmsBms& document, DefinitionKind kind, FileLookup* lookup);

// How many rows carry the mark.
int countMarked(const RowMarks& rows, RowMark mark);

// The marks as the list shows them after the name: "" or "  (未使用・ファイルなし)".
std::string rowMarkText(unsigned char marks);
