#pragma once

// Building chart documents for the writer's tests straight through the model.

#include "model/bms_bms.h"

namespace writer_test {

// The top-level line of the channel, made when there is none.
BmsChannel& lineOf(BmsBms& document, const char* channel);

// Lane number lane of channel 01 (0 is the top-level line), made with the lanes
// above it when missing.
BmsChannel& laneOf(BmsBms& document, int lane);

// Object at an absolute tick of the channel's top-level line.
void placeObject(BmsBms& document, const char* channel, int tick, const char* object);

} // namespace writer_test
