#include "tickets/TicketJson.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/JsonText.h"

namespace {

template <typename F>
void PerTier(std::ostream& out, F&& figure) {
    out << '{';
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        out << (t > 1 ? ", " : "") << JsonString(TierName(t)) << ": " << figure(t);
    }
    out << '}';
}

}  // namespace

void WriteTicketListJson(std::ostream& out, std::span<const PurchasedTicket> tickets) {
    out << "{\"tickets\": [";
    bool first = true;
    for (const PurchasedTicket& t : tickets) {
        out << (first ? "\n  " : ",\n  ") << "{\"id\": " << t.id << ", \"from\": " << t.firstDraw
            << ", \"to\": " << t.lastDraw << ", \"numbers\": ";
        out << JsonIntegers(t.numbers);
        out << ", \"units\": " << t.units << ", \"cost\": " << t.Cost()
            << ", \"memo\": " << JsonString(t.memo) << ", \"added\": " << JsonString(t.added)
            << '}';
        first = false;
    }
    out << (first ? "" : "\n") << "]}\n";
}

void WriteTicketCheckJson(std::ostream& out, std::span<const PurchasedTicket> tickets,
                          const DrawMasks& draws, std::optional<int> draw) {
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
            out << ", \"result\": " << JsonString(o.drawn ? TierName(o.score.tier) : kPendingName)
                << '}';
            first = false;
        }
    }
    const TicketSummary s = SummariseTickets(tickets, draws, keep);
    out << (first ? "" : "\n") << "],\n \"totals\": {\"tickets\": " << s.tickets
        << ", \"units\": " << s.units << ", \"cost\": " << s.cost << ", \"tiers\": ";
    PerTier(out, [&](int t) { return s.unitsByTier[static_cast<std::size_t>(t)]; });
    out << ", \"losingUnits\": " << s.unitsByTier[0] << ", \"pendingUnits\": " << s.pendingUnits
        << "}}\n";
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
