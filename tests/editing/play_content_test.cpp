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
#include "model/header_references.h"
#include "model/reference_channels.h"

namespace {

// What an object plays: the file its index names (an image part: the image and its
// rectangle), marked when it ends a long note; the bare index in other channels.
std::string playedBy(const BmsBms& document, BmsWord channel, BmsWord object)
{
    char text[3];
    object.toText(text);
    const IndexBase base = document.indexBase();
    if (isWavChannel(channel)) {
        const char* const lnobj = document.headerTable()->get("LNOBJ");
        const BmsWord end = lnobj[0] ? base.word(lnobj[0], lnobj[1]) : BmsWord();
        return std::string("wav ") + document.wavTable()->get(object) + (object == end ? " (end)" : "");
    }
    if (!isBmpChannel(channel))
        return text;
    for (const char* prefix : { "BGA", "@BGA" }) {
        const std::string value = document.headerTable()->get((prefix + std::string(text)).c_str());
        if (headerIndexReferences(prefix + std::string(text), value).valueNamesIndex.bmp)
            return std::string(prefix) + ' ' + document.bmpTable()->get(base.word(value[0], value[1]))
                + value.substr(2);
    }
    return std::string("bmp ") + document.bmpTable()->get(object);
}

// Every object at its tick, with its channel and what it plays, in a fixed order.
std::vector<std::string> playContent(const BmsBms& document)
{
    std::vector<std::string> content;
    for (const BmsChannel* line = document.firstLine(); line; line = line->next()) {
        for (const BmsChannel* lane = line; lane; lane = lane->child()) {
            for (int tick = 0; tick < lane->capacity(); ++tick) {
                const BmsWord object = lane->objectAt(tick);
                if (!object.isEmptyObject()) {
                    char channel[3];
                    content.push_back(std::to_string(tick) + ' ' + lane->channel().toText(channel) + ' '
                        + playedBy(document, lane->channel(), object));
                }
            }
        }
    }
    std::sort(content.begin(), content.end());
    return content;
}

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
// 64 measures, some of them lower-case indices that only case tells from others.
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
