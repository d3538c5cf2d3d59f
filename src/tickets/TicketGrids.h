#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/PurchasedTicket.h"
#include "core/ResultGrid.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketMoney.h"

inline constexpr const char* kTicketGridName = "購入番号";
inline constexpr const char* kTicketSummaryGridName = "集計";
inline constexpr const char* kTicketBalanceGridName = "収支";
inline constexpr const char* kTicketYearGridName = "年別";
inline constexpr const char* kQuickTierGridName = "等級別の回数";
inline constexpr const char* kQuickWinGridName = "4等以上の回";

// Columns of the ticket grid.
inline constexpr int kTicketIdColumn = 1;
inline constexpr int kTicketDrawsColumn = 2;  // the draws bought: "690～694"
inline constexpr int kTicketDrawColumn = 3;   // the draw of the row
inline constexpr int kTicketFirstNumberColumn = 4;
inline constexpr int kTicketUnitsColumn = kTicketFirstNumberColumn + kTicketNumberCount;
inline constexpr int kTicketResultColumn = kTicketUnitsColumn + 1;
inline constexpr int kTicketCostColumn = kTicketResultColumn + 1;     // 購入額
inline constexpr int kTicketPrizeColumn = kTicketCostColumn + 1;      // 当選額, or 未入力
inline constexpr int kTicketEstimateColumn = kTicketPrizeColumn + 1;  // 概算, where 未入力
inline constexpr int kTicketMemoColumn = kTicketEstimateColumn + 1;
inline constexpr int kTicketColumns = kTicketMemoColumn;

// The colour of a selected ticket's rows where no match colours them.
inline constexpr Rgb kSelectedTicketBack = MakeRgb(255, 255, 150);

// One row a ticket and draw under a heading row: the ticket's number, its
// draws, the draw, the seven numbers (main matches in the main mark colour,
// bonus matches in the bonus colour), units, result (1等 … 6等 in red,
// はずれ, 未抽選 in grey), what the draw cost, what it won (from the prize
// table; 未入力 with the theoretical amount under 概算 where the draw's line
// is not entered; both empty while 未抽選) and memo.  Rows of the ticket `selected` are
// highlighted; with onlyDraw, each ticket has only that draw's row.
// Returns the ticket id of every grid row (index 0 and the heading row: 0).
std::vector<std::int64_t> WriteTicketGrid(std::span<const PurchasedTicket> tickets,
                                          const DrawMasks& draws, const PrizeIndex& prizes,
                                          std::int64_t selected, ResultGrid& grid,
                                          std::optional<int> onlyDraw = std::nullopt);

// The summary band: what it sums (scope), tickets, units, the price of
// every draw covered (未抽選 too), and the units of each tier, はずれ and 未抽選.
void WriteTicketSummaryGrid(const TicketSummary& summary, const std::string& scope,
                            ResultGrid& grid);

// The 収支 band: a row a scope (its name and summary) with tickets, 購入額
// (drawn draws), 当選額 (entered amounts), 当選額（概算を含む）, 収支 (a loss
// in red), 回収率 and the winning units whose amount is 未入力.
using NamedSummary = std::pair<std::string, TicketSummary>;
void WriteTicketBalanceGrid(std::span<const NamedSummary> rows, ResultGrid& grid);

// The 年別 table: a row a year of the drawn draws (年不明 for draws whose
// year cannot be told), with tickets, units, 購入額, 当選額, 当選額（概算を含む）, 収支, 回収率
// and the best tier won.
void WriteTicketYearGrid(std::span<const YearBalance> years, ResultGrid& grid);

// The quick check: per tier the times won over the history beside a random
// ticket's expected times; and the draws won 4等 or better.
void WriteQuickTierGrid(const QuickCheckResult& result, ResultGrid& grid);
void WriteQuickWinGrid(const QuickCheckResult& result, ResultGrid& grid);

// "1, 5, 12, …": numbers for messages and texts.
std::string NumbersText(std::span<const int> numbers);
