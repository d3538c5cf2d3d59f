#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/DrawStore.h"
#include "core/Errors.h"

// The state shared by every window for the whole run: the connection text,
// the start-up snapshot and the statistics derived from it once.
struct GlobalBas {
    static constexpr int kNumberSlots = kHighestNumber + 1;  // index 0 unused

    std::string ConnectionText;
    std::string DatabaseFile;  // the path the snapshot was read from, as given
    DrawStore Draws;
    // Appearances of each number 1 … 37 in complete draws, main and bonus alike.
    std::array<std::int16_t, kNumberSlots> NumberCount{};
    std::int16_t MaxCount = 0;
    // Entry c: the numbers whose count is c, ascending, joined by ",".
    std::vector<std::string> CountClassList;
    std::int16_t CountClassRowCount = 0;
    std::int16_t LatestDrawNumber = 0;
    // The carry-over into the draw after the latest, when its prize lines
    // are stored with one.
    std::optional<std::int64_t> LatestCarryOver;
};

// Derives NumberCount, MaxCount, CountClassList, CountClassRowCount and
// LatestDrawNumber from g.Draws.  Numbers outside 1 … 37 are not counted.
// Throws UserError naming the draw when a count would pass 32767.
void DeriveStatistics(GlobalBas& g);
