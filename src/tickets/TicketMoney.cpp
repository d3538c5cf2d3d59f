#include "tickets/TicketMoney.h"

#include <algorithm>

#include "lotto/PrizeShares.h"

PrizeIndex::PrizeIndex(const std::map<int, DrawPrizes>& prizes) {
    const int highest = prizes.empty() ? 0 : std::max(0, prizes.rbegin()->first);
    std::array<std::int64_t, kPrizeTierCount> unknown;
    unknown.fill(kUnknown);
    paid_.assign(static_cast<std::size_t>(highest) + 1, unknown);
    carryOver_.assign(static_cast<std::size_t>(highest) + 1, kUnknown);
    for (const auto& [draw, lines] : prizes) {
        if (draw < 0) continue;
        const auto at = static_cast<std::size_t>(draw);
        for (int t = 0; t < kPrizeTierCount; ++t) {
            if (!lines.tiers[t]) continue;
            // A tier nobody won pays nothing, whatever amount came with it.
            const PrizeLine& line = *lines.tiers[t];
            paid_[at][t] = line.winners > 0 ? std::max<std::int64_t>(0, line.amount) : 0;
        }
        if (lines.carryOver) carryOver_[at] = std::max<std::int64_t>(0, *lines.carryOver);
    }
}

std::optional<std::int64_t> PrizeIndex::Paid(int drawNumber, int tier) const {
    if (tier < 1 || tier > kPrizeTierCount || drawNumber < 0 ||
        drawNumber >= static_cast<int>(paid_.size())) {
        return std::nullopt;
    }
    const std::int64_t yen = paid_[static_cast<std::size_t>(drawNumber)][tier - 1];
    return yen == kUnknown ? std::nullopt : std::optional(yen);
}

std::optional<std::int64_t> PrizeIndex::CarryOver(int drawNumber) const {
    if (drawNumber < 0 || drawNumber >= static_cast<int>(carryOver_.size())) return std::nullopt;
    const std::int64_t yen = carryOver_[static_cast<std::size_t>(drawNumber)];
    return yen == kUnknown ? std::nullopt : std::optional(yen);
}

TicketYen PriceOutcome(const PurchasedTicket& ticket, const TicketOutcome& o,
                       const PrizeIndex& prizes) {
    TicketYen yen;
    if (!o.drawn) return yen;
    const std::int64_t units = ticket.units;
    yen.cost = units * kTicketUnitPrice;
    if (o.score.tier < 1) return yen;
    if (const auto paid = prizes.Paid(o.drawNumber, o.score.tier)) {
        yen.prize = *paid * units;
    } else {
        yen.prizeKnown = false;
        yen.estimate = TheoreticalPrize(o.score.tier, o.drawNumber) * units;
    }
    return yen;
}

std::optional<std::int64_t> ReturnRateTenths(std::int64_t won, std::int64_t spent) {
    if (spent <= 0) return std::nullopt;
    // In whole numbers, the quotient taken first so that nothing overflows.
    const std::int64_t whole = won / spent;
    const std::int64_t rest = won % spent;
    return whole * 1000 + (rest * 1000 + spent / 2) / spent;
}

std::string TenthsText(std::int64_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string ReturnRateText(std::int64_t won, std::int64_t spent) {
    const auto tenths = ReturnRateTenths(won, spent);
    return tenths ? TenthsText(*tenths) + "%" : "—";
}

std::vector<YearBalance> BalanceByYear(std::span<const PurchasedTicket> tickets,
                                       const DrawMasks& draws, const PrizeIndex& prizes,
                                       std::span<const int> yearOfDraw,
                                       std::optional<int> onlyDraw) {
    std::map<int, YearBalance> years;
    for (const PurchasedTicket& ticket : tickets) {
        int lastYear = -1;
        for (const TicketOutcome& o : CheckTicket(ticket, draws)) {
            if (!o.drawn || (onlyDraw && *onlyDraw != o.drawNumber)) continue;
            const int year = o.drawNumber >= 0 && o.drawNumber < static_cast<int>(yearOfDraw.size())
                                 ? yearOfDraw[static_cast<std::size_t>(o.drawNumber)]
                                 : 0;
            YearBalance& row = years[year];
            row.year = year;
            row.sum.Add(ticket, o, PriceOutcome(ticket, o, prizes));
            // A ticket counts once in each year its draws fall in.
            if (year != lastYear) ++row.sum.tickets;
            lastYear = year;
        }
    }
    std::vector<YearBalance> rows;
    for (auto& [year, row] : years) rows.push_back(row);
    return rows;
}

std::vector<BalancePoint> RunningBalance(std::span<const PurchasedTicket> tickets,
                                         const DrawMasks& draws, const PrizeIndex& prizes) {
    // Each drawn draw's own sums first, by draw number, then added up.
    std::vector<BalancePoint> perDraw;
    for (const PurchasedTicket& ticket : tickets) {
        for (const TicketOutcome& o : CheckTicket(ticket, draws)) {
            if (!o.drawn) continue;
            const auto at = static_cast<std::size_t>(o.drawNumber);
            if (perDraw.size() <= at) perDraw.resize(at + 1);
            const TicketYen yen = PriceOutcome(ticket, o, prizes);
            BalancePoint& p = perDraw[at];
            p.drawNumber = o.drawNumber;
            p.spent += yen.cost;
            p.won += yen.prize;
            p.estimated += yen.estimate;
        }
    }
    std::vector<BalancePoint> running;
    BalancePoint total;
    for (const BalancePoint& p : perDraw) {
        if (p.drawNumber == 0) continue;
        total.drawNumber = p.drawNumber;
        total.spent += p.spent;
        total.won += p.won;
        total.estimated += p.estimated;
        running.push_back(total);
    }
    return running;
}
