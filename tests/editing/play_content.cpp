#include "editing/play_content.h"

#include <algorithm>

#include "model/header_references.h"
#include "model/reference_channels.h"

namespace {

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
    for (const auto& [number, word] : { std::pair { "08", "BPM" }, std::pair { "09", "STOP" } }) {
        if (channel.equalsText(number))
            return std::string(word) + ' ' + document.headerTable()->get((word + std::string(text)).c_str());
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

} // namespace

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
