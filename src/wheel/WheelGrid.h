#pragma once

#include <string>
#include <vector>

#include "core/GridDump.h"
#include "core/ResultGrid.h"
#include "wheel/WheelReport.h"

// The grids of a wheel: its tickets, each number on the colour of its
// chosen number so the pattern shows (keys in red); the figures (count,
// cost, bound, verified guarantee, search); the verified "t if m" table;
// and the tier chances beside those of as many random tickets.
struct WheelGrids {
    ResultGrid tickets;
    ResultGrid figures;
    ResultGrid guarantees;
    ResultGrid odds;

    std::vector<NamedGrid> Named() const;
};

inline constexpr const char* kWheelTicketsLabel = "●購入番号";
inline constexpr const char* kWheelFiguresLabel = "●枚数と保証";
inline constexpr const char* kWheelGuaranteesLabel = "●確かめた保証（選んだ数字からm個出たとき）";
inline constexpr const char* kWheelOddsLabel =
    "●等級ごとの当選確率（1回の抽せんで1枚以上当たる確率）";

// The background of the i-th of `count` chosen numbers: pale hues around
// the colour wheel, neighbours apart.
Rgb ChosenNumberColour(int index, int count);

void WriteWheelGrids(const WheelReport& report, WheelGrids& grids);
