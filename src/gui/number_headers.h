#pragma once

// The headers that a player reads as numbers (BPM, TOTAL), checked as the user types them:
// the chart keeps whatever was typed, but the field and the save say when it is no number.

#include <string>
#include <vector>

#include "gui/header_set.h"
#include "model/bms_header_hash.h"

// Whether the header key is one that must hold a number.
bool isNumberHeader(const char* key);

// Whether the value reads as a decimal number, blanks around it allowed; an empty value
// counts as one (the header is simply not set).
bool readsAsNumber(const std::string& value);

// The number headers of the table whose values are no numbers, in the order BPM, TOTAL.
std::vector<std::string> headersNotNumbers(const BmsHeaderHash& headers);

// The question before saving such a chart, naming each header and its value.
std::string notNumbersQuestion(const BmsHeaderHash& headers, const std::vector<std::string>& keys);

// Marks the label of a number field whose value is no number ("BPM ×"); other fields
// keep their label.
void markNumberField(HeaderSet& field, const BmsHeaderHash& headers);
