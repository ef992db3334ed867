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

// The offset of a definition line's index (#WAVxx, #BMPxx, blanks before allowed), or npos.
std::size_t definitionIndexAt(std::string_view line)
{
    const std::size_t hash = line.find_first_not_of(" \t");
    if (hash == std::string_view::npos || line[hash] != '#' || line.size() < hash + 7)
        return std::string_view::npos;
    std::string kind(line.substr(hash + 1, 3));
    for (char& c : kind)
        c = asciiUpperCase(c);
    const bool definition = (kind == "WAV" || kind == "BMP") && isAsciiAlphanumeric(line[hash + 4])
        && isAsciiAlphanumeric(line[hash + 5]) && (line[hash + 6] == ' ' || line[hash + 6] == '\t');
    return definition ? hash + 4 : std::string_view::npos;
}

// The lines differ at most in index characters: alphanumerics in both; in a definition
// line only its index.
bool sameButIndices(std::string_view before, std::string_view after)
{
    if (before.size() != after.size())
        return false;
    const std::size_t index = definitionIndexAt(before);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i])
            continue;
        const bool indexCharacter = index == std::string_view::npos
            ? isAsciiAlphanumeric(before[i]) && isAsciiAlphanumeric(after[i])
            : i == index || i == index + 1;
        if (!indexCharacter)
            return false;
    }
    return true;
}

// A line without its line break. The last line of a text that ends without a break
// gains one when definition lines are added after it, and a kept line that became the
// last one loses its break when the definition lines after it went, so that the text
// still ends as it did.
std::string_view withoutBreak(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Whether before[i] is a blank line that ends the kept text: with the definition lines
// after it gone and the text ending without a break, it loses its break and so itself.
bool blankLastKeptLine(const std::vector<std::string_view>& before, std::size_t i, std::string_view kept)
{
    if (!withoutBreak(before[i]).empty() || (!kept.empty() && kept.back() == '\n'))
        return false;
    for (std::size_t k = i + 1; k < before.size(); ++k) {
        if (definitionIndexAt(before[k]) == std::string_view::npos)
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
        } else if (i < before.size() && definitionIndexAt(before[i]) != std::string_view::npos) {
            ++i;
        } else if (j < after.size() && definitionIndexAt(after[j]) != std::string_view::npos) {
            ++j;
        } else if (j == after.size() && blankLastKeptLine(before, i, kept)) {
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
