#pragma once

// What a chart plays and shows, for the tests that edits and saves keep it.

#include <string>
#include <vector>

#include "model/bms_bms.h"

// Every object at its tick, with its channel and what it plays, in a fixed order: the
// file its index names (an image part: the image and its rectangle), marked when it ends
// a long note; the tempo or stop that an object of channel 08 or 09 names; the bare
// index in other channels.
std::vector<std::string> playContent(const BmsBms& document);
