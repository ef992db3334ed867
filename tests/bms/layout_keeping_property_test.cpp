#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_keeping_writer.h"
#include "bms/round_trip_chart_generator.h"
#include "editing/chart_edits.h"
#include "model/ascii_chars.h"
#include "support/test_support.h"

namespace {

constexpr int kGeneratedCharts = 25;

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

// The kept text is the input with index characters changed and definition lines removed
// or added.
::testing::AssertionResult changesOnlyIndicesAndDefinitions(std::string_view input, std::string_view kept)
{
    const std::vector<std::string_view> before = linesOf(input);
    const std::vector<std::string_view> after = linesOf(kept);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < before.size() || j < after.size()) {
        if (i < before.size() && j < after.size() && sameButIndices(before[i], after[j])) {
            ++i;
            ++j;
        } else if (i < before.size() && definitionIndexAt(before[i]) != std::string_view::npos) {
            ++i;
        } else if (j < after.size() && definitionIndexAt(after[j]) != std::string_view::npos) {
            ++j;
        } else {
            return ::testing::AssertionFailure() << "line " << i + 1 << " \"" << (i < before.size() ? before[i] : "")
                                                 << "\" became \"" << (j < after.size() ? after[j] : "") << "\"";
        }
    }
    return ::testing::AssertionSuccess();
}

// Every edit of both kinds on the chart: the kept text changes only what the edit changed,
// and reads as the model of the edit.
void checkEveryEdit(const std::string& text, const std::string& label)
{
    BmsReader reader;
    reader.setNoticeSink({});
    for (DefinitionKind kind : kDefinitionKinds) {
        for (const ChartEdit& edit : everyChartEdit()) {
            SCOPED_TRACE(label + ": " + kindKeyword(kind) + " " + edit.name);
            std::unique_ptr<BmsBms> document;
            ASSERT_TRUE(reader.readBytes(text, document));
            RecordingPage page(*document, kind);
            ListExchanger plan;
            edit.run(page, plan);
            const std::string kept = layoutKeepingText(*document);
            ASSERT_TRUE(changesOnlyIndicesAndDefinitions(text, kept));
            std::unique_ptr<BmsBms> reread;
            ASSERT_TRUE(reader.readBytes(kept, reread));
            ASSERT_EQ(chartText(*reread), chartText(*document));
        }
    }
}

TEST(LayoutKeepingProperty, EveryEditOfEveryTestChartChangesOnlyWhatItChanged)
{
    for (const std::filesystem::path& path : everyTestChart()) {
        if (readChartFile(path))
            checkEveryEdit(readFileBytes(path.string()), path.string());
    }
}

TEST(LayoutKeepingProperty, EveryEditOfGeneratedChartsChangesOnlyWhatItChanged)
{
    BmsReader reader;
    reader.setNoticeSink({});
    for (int seed = 1; seed <= kGeneratedCharts; ++seed) {
        const std::string text = randomChartText(static_cast<std::uint64_t>(seed));
        std::unique_ptr<BmsBms> document;
        // Appended, which GCC 12 does not take for an overlapping copy as it does "..." + text.
        std::string label = "chart seed ";
        label += std::to_string(seed);
        if (reader.readBytes(text, document))
            checkEveryEdit(text, label);
    }
}

} // namespace
