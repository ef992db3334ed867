#include "editing/chart_objects.h"

#include <memory>

namespace {
BmsChannel& lineOf(BmsBms& document, const char* channel)
{
    if (BmsChannel* line = document.findLine(BmsWord(channel)))
        return *line;
    auto line = std::make_unique<BmsChannel>(BmsWord(channel));
    BmsChannel& inserted = *line;
    document.insertLine(std::move(line));
    return inserted;
}
} // namespace

void placeObject(BmsBms& document, const char* channel, int position, const char* object)
{
    lineOf(document, channel).setObject(position, BmsWord(object));
}

void addWavLane(BmsBms& document, int position, const char* object)
{
    auto lane = std::make_unique<BmsChannel>(BmsWord("01"));
    lane->setObject(position, BmsWord(object));
    BmsChannel* last = document.findLine(BmsWord("01"));
    if (!last) {
        document.insertLine(std::move(lane));
        return;
    }
    while (last->child())
        last = last->child();
    last->setChild(lane);
}

std::string objectAt(const BmsBms& document, const char* channel, int position, int lane)
{
    const BmsChannel* line = document.findLine(BmsWord(channel));
    for (int i = 0; line && i < lane; ++i)
        line = line->child();
    if (!line)
        return "--";
    char text[3];
    return line->objectAt(position).toText(text);
}
