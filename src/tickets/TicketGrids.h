#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/PurchasedTicket.h"
#include "core/ResultGrid.h"
#include "tickets/TicketCheck.h"

inline constexpr const char* kTicketGridName = "購入番号";
inline constexpr const char* kTicketSummaryGridName = "集計";
inline constexpr const char* kQuickTierGridName = "等級別の回数";
inline constexpr const char* kQuickWinGridName = "4等以上の回";

// Columns of the ticket grid.
inline constexpr int kTicketIdColumn = 1;
inline constexpr int kTicketDrawsColumn = 2;  // the draws bought: "690～694"
inline constexpr int kTicketDrawColumn = 3;   // the draw of the row
inline constexpr int kTicketFirstNumberColumn = 4;
inline constexpr int kTicketUnitsColumn = kTicketFirstNumberColumn + kTicketNumberCount;
inline constexpr int kTicketResultColumn = kTicketUnitsColumn + 1;
inline constexpr int kTicketMemoColumn = kTicketResultColumn + 1;
inline constexpr int kTicketColumns = kTicketMemoColumn;

// The colour of a selected ticket's rows where no match colours them.
inline constexpr Rgb kSelectedTicketBack = MakeRgb(255, 255, 150);

// One row a ticket and draw under a heading row: the ticket's number, its
// draws, the draw, the seven numbers (main matches in the main mark colour,
// bonus matches in the bonus colour), units, result (1等 … 6等 in red,
// はずれ, 未抽選 in grey) and memo.  Rows of the ticket `selected` are
// highlighted; with onlyDraw, each ticket has only that draw's row.
// Returns the ticket id of every grid row (index 0 and the heading row: 0).
std::vector<std::int64_t> WriteTicketGrid(std::span<const PurchasedTicket> tickets,
                                          const DrawMasks& draws, std::int64_t selected,
                                          ResultGrid& grid,
                                          std::optional<int> onlyDraw = std::nullopt);

// The summary band: what it sums (scope), tickets, units, cost, and the
// units of each tier, はずれ and 未抽選.
void WriteTicketSummaryGrid(const TicketSummary& summary, const std::string& scope,
                            ResultGrid& grid);

// The quick check: per tier the times won over the history beside a random
// ticket's expected times; and the draws won 4等 or better.
void WriteQuickTierGrid(const QuickCheckResult& result, ResultGrid& grid);
void WriteQuickWinGrid(const QuickCheckResult& result, ResultGrid& grid);

// "1, 5, 12, …": numbers for messages and texts.
std::string NumbersText(std::span<const int> numbers);
