#pragma once

// The argument types the commands share: KIND (wav or bmp) and INDEX (two letters or
// digits, read in the chart's base: case-sensitive in base 62). Anything else is a usage
// error.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "model/bms_regist_array.h"
#include "model/definition_kind.h"

// Adds the positional KIND argument; kind receives kKindWav or kKindBmp.
CLI::Option* addKindArgument(CLI::App& command, DefinitionKind& kind);

// Adds the positional FILE argument of a command that takes one chart; files receives it.
CLI::Option* addChartArgument(CLI::App& command, std::vector<std::string>& files);

// Adds the positional PATH argument of a command that walks folders for charts.
CLI::Option* addPathsArgument(CLI::App& command, std::vector<std::string>& paths);

// Adds the positional INDEX argument that takes one or more indices.
CLI::Option* addIndicesArgument(CLI::App& command, std::vector<std::string>& indices, const std::string& description);

// Checks that a value is an INDEX.
const CLI::Validator& indexValidator();

// The row in the table of a text that passed indexValidator, -1 for none.
int indexRow(const std::string& text, const BmsRegistArray& table);
std::vector<int> indexRows(const std::vector<std::string>& texts, const BmsRegistArray& table);
