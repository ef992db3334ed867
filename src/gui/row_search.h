#pragma once

// Finding a row of a definition list by a part of its file name, or by its index.

#include <string>

#include "model/bms_regist_array.h"

// The first row after the given one, round the end and back to it, whose file name holds
// part with ASCII case ignored; -1 when none does or part is empty.
int findRowWithName(const BmsRegistArray& table, const std::string& part, int after);

// The row of an index typed as two base-36 characters (either case), surrounding blanks
// ignored; -1 for any other text.
int rowOfIndex(const std::string& text, const BmsRegistArray& table);
