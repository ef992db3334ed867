#pragma once

// Building and reading the channel data of small charts straight through the model.

#include <string>

#include "model/bms_bms.h"

// The top-level line of the channel, made when there is none.
BmsChannel& lineOf(BmsBms& document, const char* channel);
// Lane number lane of channel 01 (0 is the top-level line), made with the lanes above it
// when missing.
BmsChannel& laneOf(BmsBms& document, int lane);
// Puts the object at an absolute tick of the channel's top-level line.
void placeObject(BmsBms& document, const char* channel, int tick, const char* object);
// The object's text at a tick of the channel's line, or of its lane-th lane below it
// (0 = the top-level line); "--" when that line does not exist.
std::string objectAt(const BmsBms& document, const char* channel, int tick, int lane = 0);
