#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <span>

#include "core/PurchasedTicket.h"
#include "tickets/TicketCheck.h"

// {"tickets": [{"id", "from", "to", "numbers", "units", "cost", "memo", "added"}, …]}
void WriteTicketListJson(std::ostream& out, std::span<const PurchasedTicket> tickets);

// Every ticket in every draw it covers (only `draw` when given):
// {"draw": …, "checks": [{"id", "draw", "numbers", "units", "drawn",
//   "mainMatches", "bonusMatches", "tier", "result"}, …],
//  "totals": {"tickets", "units", "cost", "tiers": {"1等": units, …},
//             "losingUnits", "pendingUnits"}}
void WriteTicketCheckJson(std::ostream& out, std::span<const PurchasedTicket> tickets,
                          const DrawMasks& draws, std::optional<int> draw);

// {"numbers", "draws", "tiers": {"1等": n, …}, "losing",
//  "expectedTiers": {"1等": x, …}, "bigWins": [{"draw", "mainMatches", "bonusMatches", "tier"}]}
void WriteQuickCheckJson(std::ostream& out, const std::array<int, kTicketNumberCount>& numbers,
                         const QuickCheckResult& result);
