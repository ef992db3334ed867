#include "gui/row_search.h"

#include <cctype>

#include "editing/file_name_rules.h"

int findRowWithName(
    const BmsRegistArray& table, const std::string& part, int after, const std::function<bool(int row)>& searched)
{
    if (part.empty())
        return -1;
    // Names are Shift-JIS: a trail byte that looks like a letter is no letter.
    const std::string folded = foldAsciiCase(part, true);
    const int rows = table.rowCount();
    for (int step = 1; step <= rows; ++step) {
        const int row = (after + step) % rows;
        if ((!searched || searched(row))
            && foldAsciiCase(table.get(table.wordAt(row)), true).find(folded) != std::string::npos)
            return row;
    }
    return -1;
}

int rowOfIndex(const std::string& text, const BmsRegistArray& table)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos || last - first != 1)
        return -1;
    const auto high = static_cast<unsigned char>(text[first]);
    const auto low = static_cast<unsigned char>(text[last]);
    if (!std::isalnum(high) || !std::isalnum(low))
        return -1;
    return table.rowOf(table.base().word(static_cast<char>(high), static_cast<char>(low)));
}

std::string hiddenRowMessage(BmsWord index)
{
    return std::string { index.high(), index.low() } + " は絞り込みで表示されていません";
}
