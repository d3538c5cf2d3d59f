#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/FigureText.h"
#include "core/ResultGrid.h"
#include "filter/CombinationSearch.h"
#include "filter/FilterHistory.h"

// What 絞り込み shows and prints: the counts of the filters that are on, the
// share of past draws each keeps, and the tickets made.

inline constexpr const char* kFilterGridName = "絞り込みの条件";
inline constexpr const char* kFilterTicketGridName = "作成した組合せ";

// "30.1"; the share of part in whole in percent, one decimal ("0.0" for an empty whole).
std::string PercentText(std::uint64_t part, std::uint64_t whole);
// "1,234,567 通り（12.0 %）"
std::string CombinationShareText(std::uint64_t part, std::uint64_t whole);
// 「過去の当選番号のうち n 回(x %)が残ります」, or that there are none.
std::string PastShareSentence(int part, int draws);

// Everything one count gives.
struct FilterOutcome {
    FilterConditions conditions;
    CombinationCounts combinations;
    PastPassCounts past;
    int latestDraw = 0;
};

// Row 2 all filters together, then a row per filter that is on: its label,
// the condition, the window whose measure it uses, the combinations and past
// draws it keeps alone.  Replaces whatever the grid held.
void WriteFilterGrid(const FilterOutcome& outcome, ResultGrid& grid);
// One row per ticket: its place and its seven numbers.
void WriteTicketGrid(const std::vector<Combination>& tickets, ResultGrid& grid);

// The outcome as one JSON object: total, passing, share, latestDraw,
// pastDraws, pastPassing, pastShare, filters (key, label, window, note,
// condition, passing, share, pastPassing, pastShare per filter that is on)
// and, when tickets were asked for, tickets (method, seed, requested, numbers).
void WriteFilterJson(std::ostream& out, const FilterOutcome& outcome,
                     const std::optional<TicketRequest>& request,
                     const std::vector<Combination>& tickets);
