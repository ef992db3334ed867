#include "bms/layout_comparison.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/ascii_chars.h"

namespace {

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end == std::string_view::npos ? text.size() : end + 1));
        text.remove_prefix(lines.back().size());
    }
    return lines;
}

// Where a definition line's two index characters stand (#WAVxx, #BMPxx, blanks before
// allowed), read as the reader reads a line: its carriage returns count nowhere.
struct IndexPlace {
    std::size_t first = std::string_view::npos;
    std::size_t second = std::string_view::npos;
    bool found() const { return first != std::string_view::npos; }
};

IndexPlace definitionIndexAt(std::string_view line)
{
    std::vector<std::size_t> at; // the offsets of the characters other than carriage returns
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\r')
            at.push_back(i);
    }
    std::size_t hash = 0;
    while (hash < at.size() && (line[at[hash]] == ' ' || line[at[hash]] == '\t'))
        ++hash;
    if (at.size() < hash + 7 || line[at[hash]] != '#')
        return {};
    const auto character = [&](std::size_t k) { return line[at[hash + k]]; };
    std::string kind { asciiUpperCase(character(1)), asciiUpperCase(character(2)), asciiUpperCase(character(3)) };
    const bool definition = (kind == "WAV" || kind == "BMP") && isAsciiAlphanumeric(character(4))
        && isAsciiAlphanumeric(character(5)) && (character(6) == ' ' || character(6) == '\t');
    return definition ? IndexPlace { at[hash + 4], at[hash + 5] } : IndexPlace {};
}

bool isDefinitionLine(std::string_view line)
{
    return definitionIndexAt(line).found();
}

// The lines differ at most in index characters: alphanumerics in both, and in a
// definition line only at its index.
bool sameButIndices(std::string_view before, std::string_view after)
{
    if (before.size() != after.size())
        return false;
    const IndexPlace index = definitionIndexAt(before);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i])
            continue;
        const bool indexPlace = !index.found() || i == index.first || i == index.second;
        const bool indexCharacter = indexPlace && isAsciiAlphanumeric(before[i]) && isAsciiAlphanumeric(after[i]);
        if (!indexCharacter)
            return false;
    }
    return true;
}

// A line without its line break. The last line of a text that ends without a break
// gains one when definition lines are added after it, and a kept line that became the
// last one loses its break when the definition lines after it went, so that the text
// still ends as it did. The carriage returns that end a line go too: the reader takes
// them as part of its break, and a last line that ends with one without a line feed
// keeps it in front of the break that it gains.
std::string_view withoutBreak(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Whether before[i] is a blank line that ends the kept text: with the definition lines
// after it gone and the text ending without a break, it loses its break and so itself.
// The kept text may still end with a break then: the one of the line before it.
bool blankLastKeptLine(const std::vector<std::string_view>& before, std::size_t i)
{
    if (!withoutBreak(before[i]).empty() || before.back().back() == '\n')
        return false;
    for (std::size_t k = i + 1; k < before.size(); ++k) {
        if (!isDefinitionLine(before[k]))
            return false;
    }
    return true;
}

// Whatever follows the first 0x1A is not part of the chart, and a save keeps it as it is
// behind the chart's own lines (added definitions come before it).
std::pair<std::string_view, std::string_view> splitAtEndOfText(std::string_view text)
{
    const std::size_t end = std::min(text.find('\x1a'), text.size());
    return { text.substr(0, end), text.substr(end) };
}

} // namespace

std::string layoutChangeOutsideIndices(std::string_view inputText, std::string_view keptText)
{
    const auto [input, inputTail] = splitAtEndOfText(inputText);
    const auto [kept, keptTail] = splitAtEndOfText(keptText);
    if (inputTail != keptTail)
        return "the text after the end-of-text byte changed";
    const std::vector<std::string_view> before = linesOf(input);
    const std::vector<std::string_view> after = linesOf(kept);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < before.size() || j < after.size()) {
        if (i < before.size() && j < after.size()
            && (sameButIndices(before[i], after[j])
                || ((i + 1 == before.size() || j + 1 == after.size())
                    && sameButIndices(withoutBreak(before[i]), withoutBreak(after[j]))))) {
            ++i;
            ++j;
        } else if (i < before.size() && isDefinitionLine(before[i])) {
            ++i;
        } else if (j < after.size() && isDefinitionLine(after[j])) {
            ++j;
        } else if (j == after.size() && blankLastKeptLine(before, i)) {
            ++i;
        } else {
            std::string change = "line " + std::to_string(i + 1) + " \"";
            change += i < before.size() ? before[i] : "";
            change += "\" became \"";
            change += j < after.size() ? after[j] : "";
            return change + "\"";
        }
    }
    return "";
}
