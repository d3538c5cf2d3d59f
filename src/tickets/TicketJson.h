#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <span>

#include "core/PurchasedTicket.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketMoney.h"

// What the book's money comes to, shared by list and check:
// {"spent", "won", "estimated", "wonWithEstimates", "balance",
//  "returnRate" (percent to 0.1, null when nothing was spent), "unknownUnits",
//  "bestTier" (null for none), "years": [{"year" (null: unknown), "tickets",
//  "units", "spent", "won", "wonWithEstimates", "balance", "returnRate",
//  "bestTier"}, …]}.  Yen are whole numbers.
struct TicketMoneyData {
    const DrawMasks& draws;
    const PrizeIndex& prizes;
    std::span<const int> yearOfDraw;
};

// {"tickets": [{"id", "from", "to", "numbers", "units", "cost" (every draw
//  bought), "spent" (the drawn ones), "prize" (entered amounts), "prizeKnown"
//  (false while a win's amount is 未入力), "estimatedPrize" (of those), "memo",
//  "added"}, …], "balance": {…}}
void WriteTicketListJson(std::ostream& out, std::span<const PurchasedTicket> tickets,
                         const TicketMoneyData& money);

// Every ticket in every draw it covers (only `draw` when given):
// {"draw": …, "checks": [{"id", "draw", "numbers", "units", "drawn",
//   "mainMatches", "bonusMatches", "tier", "result", "cost" (0 while
//   未抽選), "prize" (null while 未抽選 or 未入力), "prizeKnown",
//   "estimatedPrize" (the theoretical amount where 未入力, else null)}, …],
//  "totals": {"tickets", "units", "cost", "tiers": {"1等": units, …},
//             "losingUnits", "pendingUnits"}, "balance": {…}}
void WriteTicketCheckJson(std::ostream& out, std::span<const PurchasedTicket> tickets,
                          const TicketMoneyData& money, std::optional<int> draw);

// {"numbers", "draws", "tiers": {"1等": n, …}, "losing",
//  "expectedTiers": {"1等": x, …}, "bigWins": [{"draw", "mainMatches", "bonusMatches", "tier"}]}
void WriteQuickCheckJson(std::ostream& out, const std::array<int, kTicketNumberCount>& numbers,
                         const QuickCheckResult& result);
