#pragma once

// The search for objects among a line's positions, shared by the writers and the scans
// of the editing operations: most positions of a line hold "00", so they are looked at
// four at a time.

#include "model/bms_word.h"

// Index of the first object other than "00" in objects[from..to), or to when there is
// none. Out of line on purpose: inlined into the writer's grid search, it made the
// normalised text of a heavy chart about 15% slower to build, and the scans lose
// nothing by the call.
int firstObjectFrom(const BmsWord* objects, int from, int to);
