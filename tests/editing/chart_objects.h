#pragma once

// Channel-01 lanes for the editing tests, beside the shared chart building helpers.

#include "model/bms_bms.h"
#include "support/chart_building.h"

// Adds a line of channel 01 holding one object: the top-level line when there is none,
// else a new lane at the end of its chain.
void addWavLane(BmsBms& document, int position, const char* object);
