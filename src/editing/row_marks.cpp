#include "editing/row_marks.h"

#include <algorithm>
#include <set>
#include <vector>

RowMarks markRows(BmsBms& document, DefinitionKind kind, FileLookup* lookup)
{
    RowMarks rows;
    rows.references = countReferences(document, kind);
    const BmsRegistArray& table = *document.table(kind);
    for (int row = 0; row < BmsWord::kValueCount; ++row) {
        const bool registered = table.has(BmsWord(row));
        const bool used = rows.references[row] > 0;
        if (row != 0 && registered && !used)
            rows.marks[row] |= kMarkUnused;
        if (used && !registered)
            rows.marks[row] |= kMarkUnregistered;
    }
    if (lookup) {
        std::set<std::string> found;
        for (const AbsentFile& file : findAbsentFiles(document, kind, *lookup, found)) {
            if (!file.foundAs)
                rows.marks[file.index.value()] |= kMarkNoFile;
        }
    }
    return rows;
}

int countMarked(const RowMarks& rows, RowMark mark)
{
    return static_cast<int>(std::count_if(
        rows.marks.begin(), rows.marks.end(), [mark](unsigned char marks) { return (marks & mark) != 0; }));
}

std::string rowMarkText(unsigned char marks)
{
    static constexpr struct {
        RowMark mark;
        const char* text;
    } kTexts[] = { { kMarkUnused, "未使用" }, { kMarkUnregistered, "未登録" }, { kMarkNoFile, "ファイルなし" } };
    std::string text;
    for (const auto& entry : kTexts) {
        if (!(marks & entry.mark))
            continue;
        text += text.empty() ? "  (" : "・";
        text += entry.text;
    }
    return text.empty() ? text : text + ")";
}
