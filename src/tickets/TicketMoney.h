#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/DrawPrizes.h"
#include "core/PurchasedTicket.h"
#include "tickets/TicketCheck.h"

// What each stored draw paid one winning unit of each tier, by draw number,
// as the prize table holds it.  A tier nobody won pays 0; a tier whose
// line is not stored is unknown.
class PrizeIndex {
  public:
    PrizeIndex() = default;
    explicit PrizeIndex(const std::map<int, DrawPrizes>& prizes);

    std::optional<std::int64_t> Paid(int drawNumber, int tier) const;
    // The carry-over into the draw after this one, when stored.
    std::optional<std::int64_t> CarryOver(int drawNumber) const;

  private:
    static constexpr std::int64_t kUnknown = -1;
    std::vector<std::array<std::int64_t, kPrizeTierCount>> paid_;  // by draw number
    std::vector<std::int64_t> carryOver_;
};

// What a prize not entered yet is called.
inline constexpr const char* kUnenteredName = "未入力";

// The yen of one ticket in one draw it covers.
struct TicketYen {
    std::int64_t cost = 0;      // 300 円 × units once drawn; nothing yet while 未抽選
    std::int64_t prize = 0;     // what the draw paid the tier × units, as far as known
    bool prizeKnown = true;     // false: a tier won whose amount is not stored (未入力)
    std::int64_t estimate = 0;  // the tier's theoretical amount × units, where not known
};

TicketYen PriceOutcome(const PurchasedTicket& ticket, const TicketOutcome& outcome,
                       const PrizeIndex& prizes);

// 回収率, won ÷ spent in tenths of a percent rounded half up (450: 45.0 %);
// nothing when nothing was spent.  As text "45.0%", or "—".
std::optional<std::int64_t> ReturnRateTenths(std::int64_t won, std::int64_t spent);
std::string ReturnRateText(std::int64_t won, std::int64_t spent);
// "45.0": the tenths as a decimal number.
std::string TenthsText(std::int64_t tenths);

// The summary of the draws of one year (0: a draw whose year is unknown).
struct YearBalance {
    int year = 0;
    TicketSummary sum;
};

// One summary a year of the drawn draws (only `onlyDraw` when given), in
// year order; yearOfDraw gives the year of a draw number (0 or beyond its
// end: unknown).
std::vector<YearBalance> BalanceByYear(std::span<const PurchasedTicket> tickets,
                                       const DrawMasks& draws, const PrizeIndex& prizes,
                                       std::span<const int> yearOfDraw,
                                       std::optional<int> onlyDraw = std::nullopt);

// Spending and winnings summed up to each drawn draw that any ticket covers.
struct BalancePoint {
    int drawNumber = 0;
    std::int64_t spent = 0;
    std::int64_t won = 0;        // known prizes
    std::int64_t estimated = 0;  // estimates of the prizes not entered

    std::int64_t Balance() const { return won - spent; }
    std::int64_t BalanceWithEstimates() const { return won + estimated - spent; }
};
std::vector<BalancePoint> RunningBalance(std::span<const PurchasedTicket> tickets,
                                         const DrawMasks& draws, const PrizeIndex& prizes);

// Sums the outcomes of the tickets; only draws `keep` accepts count (a
// ticket counts when any of its draws does).  Without a prize index no
// amount is known.
template <typename Keep>
TicketSummary SummariseTickets(std::span<const PurchasedTicket> tickets, const DrawMasks& draws,
                               Keep keep, const PrizeIndex& prizes) {
    TicketSummary sum;
    for (const PurchasedTicket& ticket : tickets) {
        bool counted = false;
        for (const TicketOutcome& o : CheckTicket(ticket, draws)) {
            if (!keep(o.drawNumber)) continue;
            counted = true;
            sum.Add(ticket, o, PriceOutcome(ticket, o, prizes));
        }
        if (counted) ++sum.tickets;
    }
    return sum;
}

template <typename Keep>
TicketSummary SummariseTickets(std::span<const PurchasedTicket> tickets, const DrawMasks& draws,
                               Keep keep) {
    return SummariseTickets(tickets, draws, keep, PrizeIndex());
}
