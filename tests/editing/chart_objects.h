#pragma once

// Building and reading the channel data of small charts in the editing tests.

#include <string>

#include "model/bms_bms.h"

// Puts the object on the top-level line of the channel, creating the line if needed.
void placeObject(BmsBms& document, const char* channel, int position, const char* object);
// Adds a line of channel 01 holding one object: the top-level line when there is none,
// else a new lane at the end of its chain.
void addWavLane(BmsBms& document, int position, const char* object);
// The object's text at a position of the channel's line, or of its lane-th lane below it
// (0 = the top-level line); "--" when that line does not exist.
std::string objectAt(const BmsBms& document, const char* channel, int position, int lane = 0);
