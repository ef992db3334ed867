#pragma once

// How file names are taken apart. Names in charts are code page 932 bytes, where
// the second byte of a double-byte character may equal "\" or an ASCII letter; with
// doubleByte set, such a byte is never taken for a separator or folded.

#include <string>
#include <string_view>
#include <vector>

// The non-empty parts of a name between "/" and "\" separators.
std::vector<std::string> nameComponents(std::string_view name, bool doubleByte);

// The name with ASCII letters in lower case.
std::string foldAsciiCase(std::string_view name, bool doubleByte);

// Where the extension of a name starts (its last dot after the last separator), or
// std::string_view::npos when it has none.
size_t extensionStart(std::string_view name, bool doubleByte);

// The drive and directory of a path, up to and including its last separator; empty
// for a bare file name. Only Windows names (doubleByte) have drives such as "C:".
std::string directoryPart(std::string_view path, bool doubleByte);

// True for a name whose extension, in any case, is one of a chart's: .bms, .bme, .bml
// or .pms.
bool isChartFileName(std::string_view name, bool doubleByte = true);
