#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "bms/bms_reader.h"
#include "bms/bms_writer.h"
#include "bms/layout_check.h"
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
    if (isWavChannel(channel)) {
        const BmsWord end(document.headerTable()->get("LNOBJ"));
        return std::string("wav ") + document.wavTable()->get(object) + (object == end ? " (end)" : "");
    }
    if (!isBmpChannel(channel))
        return text;
    for (const char* prefix : { "BGA", "@BGA" }) {
        const std::string value = document.headerTable()->get((prefix + std::string(text)).c_str());
        if (headerIndexReferences(prefix + std::string(text), value).valueNamesIndex.bmp)
            return std::string(prefix) + ' ' + document.bmpTable()->get(BmsWord(value[0], value[1])) + value.substr(2);
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

} // namespace
