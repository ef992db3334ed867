#include "editing/row_marks.h"

#include <algorithm>
#include <vector>

RowMarks markRows(BmsBms& document, DefinitionKind kind, FileLookup* lookup)
{
    RowMarks rows;
    rows.references = countReferences(document, kind);
    const BmsRegistArray& table = *document.table(kind);
    for (int value = 0; value < BmsWord::kValueCount; ++value) {
        const bool registered = table.has(BmsWord(value));
        const bool used = rows.references[value] > 0;
        if (value != 0 && registered && !used)
            rows.marks[value] |= kMarkUnused;
        if (used && !registered)
            rows.marks[value] |= kMarkUnregistered;
    }
    if (lookup) {
        for (const AbsentFile& file : findAbsentFiles(document, kind, *lookup)) {
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
