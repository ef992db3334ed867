#pragma once

// Chart texts made at random from a seed, for round trips: headers with double-byte
// values, definitions in either case, odd and zero measure lengths, several lines of
// channel 01 per measure, many channels, very long data lines, comments and both line
// ends, all in shuffled order; now and then a line the reader rejects.

#include <cstdint>
#include <string>

std::string randomChartText(std::uint64_t seed);
