#pragma once

// Writes a chart as the text it was read from, with only the edits applied:
// - the objects of the WAV and BMP channels, the definition keys (#WAVxx, #BMPxx) and the
//   header references (#LNOBJ xx, #BGAxx yy, #@BGAxx yy) get the new index where their
//   index was renumbered, in place; every other byte of those lines stays;
// - a definition whose index stays and whose name the model holds otherwise gets the new
//   name on its last line, in place, when that line is outside #IF/#SWITCH blocks; its
//   other lines go;
// - the lines of any other definition that the model no longer holds with the same name
//   go (all of them, when the text defines the index more than once); a name the model holds
//   with no such line gets a new line after the last definition line of its kind outside
//   #IF/#SWITCH blocks (else after the WAV definitions for a BMP one, else after the last
//   header line there, else first);
// - a header whose value the model holds differently gets that value on its last line;
//   a header the text lacks gets a new line after the last header line;
// - everything else, byte for byte, #RANDOM blocks and whatever follows a 0x1A included.
// New lines end like the text's first line; a last line without a line break keeps it so.

#include <string>

#include "bms/chunked_output.h"
#include "model/bms_bms.h"

// Writes the chart's own text with its edits to out, handing on each chunk as it fills;
// the normalised text for a chart without one. out is not finished.
void writeLayoutKeepingText(const BmsBms& document, ChunkedOutput& out);
// The same text as bytes.
std::string layoutKeepingText(const BmsBms& document);
