#include "editing/chart_objects.h"

#include <memory>

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
