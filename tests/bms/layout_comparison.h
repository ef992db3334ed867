#pragma once

// What a layout-keeping save may change in a chart's text: index characters, and whole
// definition lines removed or added. The property test and the save path's fuzzer check
// every save against it.

#include <string>
#include <string_view>

// Empty when the kept text is the input with only index characters changed and
// definition lines removed or added, and whatever follows an end-of-text byte 0x1A kept
// as it was; else the first line that changed otherwise.
std::string layoutChangeOutsideIndices(std::string_view input, std::string_view kept);
