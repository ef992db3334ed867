#include "support/chart_building.h"

#include <memory>

BmsChannel& lineOf(BmsBms& document, const char* channel)
{
    if (BmsChannel* line = document.findLine(BmsWord(channel)))
        return *line;
    auto line = std::make_unique<BmsChannel>(BmsWord(channel));
    BmsChannel& made = *line;
    document.insertLine(std::move(line));
    return made;
}

BmsChannel& laneOf(BmsBms& document, int lane)
{
    BmsChannel* line = &lineOf(document, "01");
    for (int depth = 0; depth < lane; ++depth) {
        if (!line->child()) {
            auto child = std::make_unique<BmsChannel>(BmsWord("01"));
            line->setChild(child);
        }
        line = line->child();
    }
    return *line;
}

void placeObject(BmsBms& document, const char* channel, int tick, const char* object)
{
    lineOf(document, channel).setObject(tick, BmsWord(object));
}

std::string objectAt(const BmsBms& document, const char* channel, int tick, int lane)
{
    const BmsChannel* line = document.findLine(BmsWord(channel));
    for (int i = 0; line && i < lane; ++i)
        line = line->child();
    if (!line)
        return "--";
    char text[3];
    return line->objectAt(tick).toText(text);
}
