#include "tickets/TicketJson.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/JsonText.h"
#include "tickets/TicketMoney.h"

namespace {

template <typename F>
void PerTier(std::ostream& out, F&& figure) {
    out << '{';
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        out << (t > 1 ? ", " : "") << JsonString(TierName(t)) << ": " << figure(t);
    }
    out << '}';
}

std::string RateJson(const TicketSummary& s) {
    const auto tenths = ReturnRateTenths(s.won, s.spent);
    return tenths ? TenthsText(*tenths) : "null";
}

std::string TierJson(int tier) { return tier > 0 ? std::to_string(tier) : "null"; }

void WriteBalanceJson(std::ostream& out, std::span<const PurchasedTicket> tickets,
                      const TicketMoneyData& money, std::optional<int> draw) {
    const auto keep = [&](int n) { return !draw || *draw == n; };
    const TicketSummary s = SummariseTickets(tickets, money.draws, keep, money.prizes);
    out << "\"balance\": {\"spent\": " << s.spent << ", \"won\": " << s.won
        << ", \"estimated\": " << s.estimated << ", \"wonWithEstimates\": " << s.WonWithEstimates()
        << ", \"balance\": " << s.Balance() << ", \"returnRate\": " << RateJson(s)
        << ", \"unknownUnits\": " << s.unknownUnits << ", \"bestTier\": " << TierJson(s.bestTier)
        << ", \"years\": [";
    bool first = true;
    for (const YearBalance& y :
         BalanceByYear(tickets, money.draws, money.prizes, money.yearOfDraw, draw)) {
        out << (first ? "\n   " : ",\n   ") << "{\"year\": " << TierJson(y.year)
            << ", \"tickets\": " << y.sum.tickets << ", \"units\": " << y.sum.units
            << ", \"spent\": " << y.sum.spent << ", \"won\": " << y.sum.won
            << ", \"wonWithEstimates\": " << y.sum.WonWithEstimates()
            << ", \"balance\": " << y.sum.Balance() << ", \"returnRate\": " << RateJson(y.sum)
            << ", \"bestTier\": " << TierJson(y.sum.bestTier) << '}';
        first = false;
    }
    out << "]}";
}

}  // namespace

void WriteTicketListJson(std::ostream& out, std::span<const PurchasedTicket> tickets,
                         const TicketMoneyData& money) {
    out << "{\"tickets\": [";
    bool first = true;
    for (const PurchasedTicket& t : tickets) {
        out << (first ? "\n  " : ",\n  ") << "{\"id\": " << t.id << ", \"from\": " << t.firstDraw
            << ", \"to\": " << t.lastDraw << ", \"numbers\": ";
        out << JsonIntegers(t.numbers);
        TicketSummary own;
        for (const TicketOutcome& o : CheckTicket(t, money.draws))
            own.Add(t, o, PriceOutcome(t, o, money.prizes));
        out << ", \"units\": " << t.units << ", \"cost\": " << t.Cost()
            << ", \"spent\": " << own.spent << ", \"prize\": " << own.won
            << ", \"prizeKnown\": " << (own.unknownUnits == 0 ? "true" : "false")
            << ", \"estimatedPrize\": " << own.estimated << ", \"memo\": " << JsonString(t.memo)
            << ", \"added\": " << JsonString(t.added) << '}';
        first = false;
    }
    out << (first ? "" : "\n") << "],\n ";
    WriteBalanceJson(out, tickets, money, std::nullopt);
    out << "}\n";
}

void WriteTicketCheckJson(std::ostream& out, std::span<const PurchasedTicket> tickets,
                          const TicketMoneyData& money, std::optional<int> draw) {
    const DrawMasks& draws = money.draws;
    const auto keep = [&](int n) { return !draw || *draw == n; };
    out << "{\"draw\": " << (draw ? std::to_string(*draw) : "null") << ", \"checks\": [";
    bool first = true;
    for (const PurchasedTicket& t : tickets) {
        for (const TicketOutcome& o : CheckTicket(t, draws)) {
            if (!keep(o.drawNumber)) continue;
            out << (first ? "\n  " : ",\n  ") << "{\"id\": " << t.id
                << ", \"draw\": " << o.drawNumber << ", \"numbers\": ";
            out << JsonIntegers(t.numbers);
            out << ", \"units\": " << t.units << ", \"drawn\": " << (o.drawn ? "true" : "false");
            if (o.drawn) {
                out << ", \"mainMatches\": " << o.score.mainMatches
                    << ", \"bonusMatches\": " << o.score.bonusMatches
                    << ", \"tier\": " << o.score.tier;
            } else {
                out << ", \"mainMatches\": null, \"bonusMatches\": null, \"tier\": null";
            }
            out << ", \"result\": " << JsonString(o.drawn ? TierName(o.score.tier) : kPendingName);
            const TicketYen yen = PriceOutcome(t, o, money.prizes);
            const bool known = o.drawn && yen.prizeKnown;
            out << ", \"cost\": " << yen.cost
                << ", \"prize\": " << (known ? std::to_string(yen.prize) : "null")
                << ", \"prizeKnown\": " << (known ? "true" : "false") << ", \"estimatedPrize\": "
                << (o.drawn && !known ? std::to_string(yen.estimate) : "null") << '}';
            first = false;
        }
    }
    const TicketSummary s = SummariseTickets(tickets, draws, keep);
    out << (first ? "" : "\n") << "],\n \"totals\": {\"tickets\": " << s.tickets
        << ", \"units\": " << s.units << ", \"cost\": " << s.cost << ", \"tiers\": ";
    PerTier(out, [&](int t) { return s.unitsByTier[static_cast<std::size_t>(t)]; });
    out << ", \"losingUnits\": " << s.unitsByTier[0] << ", \"pendingUnits\": " << s.pendingUnits
        << "},\n ";
    WriteBalanceJson(out, tickets, money, draw);
    out << "}\n";
}

void WriteQuickCheckJson(std::ostream& out, const std::array<int, kTicketNumberCount>& numbers,
                         const QuickCheckResult& r) {
    out << "{\"numbers\": ";
    out << JsonIntegers(numbers);
    out << ", \"draws\": " << r.draws << ", \"tiers\": ";
    PerTier(out, [&](int t) { return r.tierCounts[static_cast<std::size_t>(t)]; });
    out << ", \"losing\": " << r.tierCounts[0] << ", \"expectedTiers\": ";
    PerTier(out, [&](int t) { return JsonNumber(r.expectedCounts[static_cast<std::size_t>(t)]); });
    out << ", \"bigWins\": [";
    for (std::size_t i = 0; i < r.bigWins.size(); ++i) {
        const auto& w = r.bigWins[i];
        out << (i > 0 ? ", " : "") << "{\"draw\": " << w.drawNumber
            << ", \"mainMatches\": " << w.score.mainMatches
            << ", \"bonusMatches\": " << w.score.bonusMatches << ", \"tier\": " << w.score.tier
            << '}';
    }
    out << "]}\n";
}
