#pragma once

// Finding a row of a definition list by a part of its file name, or by its index.

#include <functional>
#include <string>

#include "model/bms_regist_array.h"

// The first row after the given one, round the end and back to it, whose file name holds
// part with ASCII case ignored, among the rows that searched accepts (all without it);
// -1 when none does or part is empty.
int findRowWithName(
    const BmsRegistArray& table, const std::string& part, int after, const std::function<bool(int row)>& searched = {});

// The row of an index typed as two characters, read in the table's base (either case in
// base 36), surrounding blanks ignored; -1 for any other text.
int rowOfIndex(const std::string& text, const BmsRegistArray& table);

// What the status bar says when the list's filter hides a row asked for by its index.
std::string hiddenRowMessage(BmsWord index);
