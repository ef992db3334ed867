#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
#include "bms/layout_keeping_writer.h"
#include "editing/chart_edits.h"
#include "editing/play_content.h"

namespace {

TEST(PlayContent, EveryOperationAndEverySaveThatIsNotRefusedKeepsWhatTheChartPlays)
{
    int charts = 0;
    for (const std::filesystem::path& path : everyTestChart()) {
        if (!readChartFile(path))
            continue;
        ++charts;
        for (DefinitionKind kind : kDefinitionKinds) {
            for (const ChartEdit& edit : everyChartEdit()) {
                if (!edit.keepsPlay)
                    continue;
                SCOPED_TRACE(path.string() + ": " + kindKeyword(kind) + " " + edit.name);
                const std::unique_ptr<BmsBms> document = readChartFile(path);
                const std::vector<std::string> before = playContent(*document);
                RecordingPage page(*document, kind);
                ListExchanger plan;
                edit.run(page, plan);
                ASSERT_EQ(playContent(*document), before);
                if (!findUnkeepableConstructs(*document).empty())
                    continue;
                std::unique_ptr<BmsBms> saved;
                ASSERT_TRUE(BmsReader().readBytes(chartText(*document), saved));
                ASSERT_EQ(playContent(*saved), before);
            }
        }
    }
    EXPECT_GT(charts, 10);
}

// A base-62 chart with a definition at every index but those that skip passes over, the
// base line at its end, and objects of many sound channels and the image channel over
// 64 measures, some of them lower-case indices that only case tells from others; and
// image parts, tempos and stops at Aa, AA and aA.
std::string base62Chart(std::uint32_t seed, int skip)
{
    std::mt19937 random(seed);
    const IndexBase base = IndexBase::ofRadix(62);
    std::string text = "#TITLE generated\n#LNOBJ zy\n";
    std::vector<BmsWord> defined;
    for (int row = 1; row < base.rowCount(); ++row) {
        if (skip && row % skip == 0)
            continue;
        char index[3];
        base.wordAt(row).toText(index);
        defined.push_back(base.wordAt(row));
        text += std::string("#WAV") + index + " s" + std::to_string(row) + ".wav\n";
        if (row % 97 == 0)
            text += std::string("#BMP") + index + " i" + std::to_string(row) + ".bmp\n";
    }
    std::uniform_int_distribution<std::size_t> pick(0, defined.size() - 1);
    for (int measure = 0; measure < 64; ++measure) {
        for (const char* channel : { "11", "12", "13", "16", "1a", "21", "04" }) {
            char line[16];
            std::snprintf(line, sizeof line, "#%03d%s:", measure, channel);
            text += line;
            for (int object = 0; object < 16; ++object) {
                char index[3];
                text += object % 3 == 0 ? "00" : defined[pick(random)].toText(index);
            }
            text += '\n';
        }
    }
    // Image parts, tempos and stops at indices that only case tells apart, each named
    // by objects of its channel.
    const char* const caseKeys[] = { "Aa", "AA", "aA" };
    for (int i = 0; i < 3; ++i) {
        char image[3];
        base.wordAt(97 * (i + 1)).toText(image);
        const std::string index = caseKeys[i];
        text += (i == 1 ? "#@BGA" : "#BGA") + index + ' ' + image + " 0 0 16 16 " + std::to_string(i) + " 0\n";
        text += "#BPM" + index + ' ' + std::to_string(120 + 30 * i) + "\n#STOP" + index + ' '
            + std::to_string(48 * (i + 1)) + '\n';
    }
    for (const char* channel : { "04", "08", "09" })
        text += std::string("#064") + channel + ":AaAAaA00\n";
    return text + "#BASE 62\n";
}

TEST(PlayContent, EveryOperationAndBothSavesKeepWhatABase62ChartPlays)
{
    for (const int skip : { 0, 5 }) {
        const std::string text = base62Chart(static_cast<std::uint32_t>(skip + 1), skip);
        for (DefinitionKind kind : kDefinitionKinds) {
            for (const ChartEdit& edit : everyChartEdit()) {
                if (!edit.keepsPlay)
                    continue;
                SCOPED_TRACE(std::to_string(skip) + ": " + kindKeyword(kind) + " " + edit.name);
                std::unique_ptr<BmsBms> document;
                ASSERT_TRUE(BmsReader().readBytes(text, document));
                ASSERT_TRUE(document->indexBase().isCaseSensitive());
                const std::vector<std::string> before = playContent(*document);
                RecordingPage page(*document, kind);
                ListExchanger plan;
                edit.run(page, plan);
                ASSERT_EQ(playContent(*document), before);
                for (const std::string& saved : { chartText(*document), layoutKeepingText(*document) }) {
                    std::unique_ptr<BmsBms> reread;
                    ASSERT_TRUE(BmsReader().readBytes(saved, reread));
                    ASSERT_EQ(playContent(*reread), before);
                }
            }
        }
    }
}

} // namespace
