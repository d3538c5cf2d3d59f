#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/DrawRecord.h"

// Valid Loto 7 draws for benchmarks and fuzzing: draw numbers 1 … count,
// each with nine different numbers from 1 to 37 (seven main numbers in
// ascending order, two bonus numbers).  The same seed gives the same draws.
std::vector<DrawRecord> SyntheticDraws(int count, std::uint32_t seed = 20130405);

// The same draws as CSV in the bundled history's format.
std::string SyntheticHistoryCsv(int count, std::uint32_t seed = 20130405);
