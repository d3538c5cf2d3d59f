#pragma once

#include <string>
#include <vector>

#include "data/Database.h"

// A run of missing draw numbers, first to last.
struct DrawGap {
    long long first = 0;
    long long last = 0;

    bool operator==(const DrawGap&) const = default;
};

// The runs of draw numbers missing between the smallest and the largest
// stored one, ascending.  The analyses count draws by their numbers, so a
// gap makes them count across it.
std::vector<DrawGap> MissingDrawNumbers(const Database& db);

// "第692回、第695回～第697回がありません。…": one warning naming every
// missing draw (a run of three or more as a range); empty when none is.
std::string MissingDrawsWarning(const std::vector<DrawGap>& gaps);
