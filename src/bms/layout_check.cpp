#include "bms/layout_check.h"

#include <map>
#include <set>
#include <string>

#include "model/ascii_chars.h"
#include "model/helpers.h"

namespace {

// The words of #RANDOM, #SWITCH and their branches. The reader keeps a control line
// only when it carries a value (the openers always do, "#ENDIF" alone is dropped), so
// the closing words are evidence only when written with a trailing text; they are
// looked for all the same. Order: the most telling word first.
constexpr const char* kControlFlowKeys[] = { "RANDOM", "SETRANDOM", "IF", "ELSEIF", "ELSE", "ENDIF", "ENDRANDOM",
    "SWITCH", "SETSWITCH", "CASE", "DEF", "SKIP", "ENDSW" };

constexpr std::string_view kDefaultBase = "36";
constexpr std::string_view kCaseSensitiveBase = "62";

std::string_view withoutBlanks(std::string_view text)
{
    while (!text.empty() && isAsciiBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isAsciiBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

bool isControlFlowKey(std::string_view upperKey)
{
    for (const char* word : kControlFlowKeys) {
        if (upperKey == word) {
            return true;
        }
    }
    return false;
}

std::optional<SourceFinding> findingOfHeader(std::string_view key, std::string_view value, int line)
{
    const std::string upperKey = upperCased(key);
    if (isControlFlowKey(upperKey)) {
        return SourceFinding { SourceFinding::Kind::ControlFlow, line, "#" + upperKey };
    }
    // Any value but 36 and 62 is read as base 36, which other programs may not do;
    // "036" and "062" included.
    const std::string_view base = withoutBlanks(value);
    if (upperKey == "BASE" && base != kDefaultBase && base != kCaseSensitiveBase) {
        return SourceFinding { SourceFinding::Kind::UnkeptBase, line, "#BASE " + std::string(base) };
    }
    return std::nullopt;
}

IndexBase indexBaseOfValue(std::string_view value)
{
    return IndexBase::ofRadix(
        withoutBlanks(value) == kCaseSensitiveBase ? IndexBase::kCaseSensitiveRadix : IndexBase::kDefaultRadix);
}

std::string_view baseValueText(std::string_view value)
{
    return withoutBlanks(value);
}

std::vector<SourceFinding> findUnkeepableConstructs(const BmsBms& document)
{
    if (const ChartSource* source = document.editState().source()) {
        return source->findings;
    }
    std::vector<SourceFinding> findings;
    const BmsHeaderHash& headers = *document.headerTable();
    for (const char* key : kControlFlowKeys) {
        if (const BmsHeaderOne* entry = headers.find(key)) {
            findings.push_back(*findingOfHeader(key, entry->value(), 0));
            break;
        }
    }
    if (const BmsHeaderOne* base = headers.find("BASE")) {
        if (std::optional<SourceFinding> finding = findingOfHeader("BASE", base->value(), 0)) {
            findings.push_back(std::move(*finding));
        }
    }
    return findings;
}

std::vector<SourceFinding> findingsLostBy(const BmsBms& document, SaveLayout layout)
{
    if (layout == SaveLayout::KeepText)
        return {};
    std::vector<SourceFinding> findings = findUnkeepableConstructs(document);
    std::erase_if(
        findings, [](const SourceFinding& finding) { return finding.kind == SourceFinding::Kind::ConflictingBase; });
    return findings;
}

namespace {

// "#KEY" with nothing but blanks after it; channel lines ("#001...") always hold data.
bool isKeyWithoutValue(std::string_view line)
{
    if (line.size() < 2 || line[0] != '#' || isAsciiDigit(line[1]))
        return false;
    std::size_t end = 1;
    while (end < line.size() && !isAsciiBlank(line[end]))
        ++end;
    return withoutBlanks(line.substr(end)).empty();
}

} // namespace

std::vector<UnwrittenLine> findUnwrittenLines(std::string_view chartBytes)
{
    std::vector<UnwrittenLine> unwritten;
    int number = 1;
    std::size_t lineStart = 0;
    while (lineStart < chartBytes.size()) {
        std::size_t lineEnd = chartBytes.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = chartBytes.size();
        std::string_view line = chartBytes.substr(lineStart, lineEnd - lineStart);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string_view content = withoutBlanks(line);
        if (!content.empty() && (content[0] != '#' || isKeyWithoutValue(content)))
            unwritten.push_back({ number, std::string(line) });
        lineStart = lineEnd + 1;
        ++number;
    }
    return unwritten;
}

int countCaseSharedDefinitions(std::string_view chartBytes)
{
    // "#WAVxx" or "#BMPxx" as the chart spells it, by the same text upper-cased.
    std::map<std::string, std::set<std::string>> spellings;
    size_t lineStart = 0;
    while (lineStart < chartBytes.size()) {
        size_t lineEnd = chartBytes.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = chartBytes.size();
        std::string_view line = withoutBlanks(chartBytes.substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
        constexpr size_t kDefinitionLength = 6;
        if (line.size() < kDefinitionLength || line[0] != '#')
            continue;
        const std::string spelt(line.substr(0, kDefinitionLength));
        const std::string folded = upperCased(spelt);
        if (folded.compare(0, 4, "#WAV") == 0 || folded.compare(0, 4, "#BMP") == 0)
            spellings[folded].insert(spelt.substr(4));
    }
    int shared = 0;
    for (const auto& [folded, spelt] : spellings) {
        if (spelt.size() > 1)
            shared += static_cast<int>(spelt.size());
    }
    return shared;
}
