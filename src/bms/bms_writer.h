#pragma once

// Writes a document as a normalised BMS chart: headers (TITLE, GENRE, ARTIST first,
// then bucket order), the WAV and BMP definitions in index order, one block per
// measure on the coarsest grid, then the trailing measure lengths. Every line ends
// in CR LF; texts are written byte for byte. The document is never changed.

#include <cstdint>
#include <string>
#include <string_view>

#include "bms/chunked_output.h"
#include "model/bms_bms.h"

// The text of a measure length of ticks >= 0 that reads back to exactly those ticks:
// D / 1000000 with D = ceil(ticks * 1000000 / 384), as "%d.%06d" in integers (288 ticks
// give "0.750000", 38 ticks "0.098959"), whatever the C locale.
std::string measureLengthText(int ticks);
// D of measureLengthText.
std::int64_t measureLengthMillionths(int ticks);

// Writes the normalised chart to out, handing on each chunk as it fills; out is not finished.
void writeChartText(const BmsBms& document, ChunkedOutput& out);
// The normalised chart as bytes.
std::string chartText(const BmsBms& document);
