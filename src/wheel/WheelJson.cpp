#include "wheel/WheelJson.h"

#include <charconv>
#include <cmath>

#include "core/JsonText.h"
#include "lotto/LotoChance.h"
#include "lotto/PrizeShares.h"
#include "lotto/PrizeTier.h"
#include "lotto/TicketWorth.h"
#include "wheel/WheelText.h"

namespace {

void WriteGuarantee(std::ostream& out, const WheelReport& r) {
    if (!r.asked) {
        out << "null";
        return;
    }
    out << "{\"t\": " << r.asked->t << ", \"m\": " << r.asked->m
        << ", \"holds\": " << (r.check.holds ? "true" : "false") << ", \"cases\": " << r.check.cases
        << ", \"missedCase\": " << (r.check.holds ? "null" : JsonIntegers(r.check.missedCase))
        << '}';
}

void WriteTable(std::ostream& out, const WheelReport& r) {
    out << '[';
    for (std::size_t i = 0; i < r.table.size(); ++i) {
        const GuaranteeLine& line = r.table[i];
        out << (i > 0 ? ", " : "") << "{\"m\": " << line.m << ", \"t\": " << line.guaranteed
            << ", \"worstCase\": " << JsonIntegers(line.worstCase) << '}';
    }
    out << ']';
}

void WriteOdds(std::ostream& out, const WheelReport& r) {
    const std::uint64_t count = r.tickets.size();
    out << '{';
    for (int tier = 1; tier <= kPrizeTierCount + 1; ++tier) {
        const bool any = tier > kPrizeTierCount;
        long double single = 0;
        for (int t = 1; t <= kPrizeTierCount; ++t) {
            if (any || t == tier) single += TierProbability(t);
        }
        const long double wheel = !r.odds ? NAN : any ? r.odds->Any() : r.odds->Tier(tier);
        out << (tier > 1 ? ", " : "")
            << JsonString(any ? std::string("any") : std::to_string(tier) + "等")
            << ": {\"wheel\": " << JsonNumber(static_cast<double>(wheel)) << ", \"random\": "
            << JsonNumber(static_cast<double>(RandomTicketsChance(any ? 0 : tier, count)))
            << ", \"expectedWins\": " << JsonNumber(static_cast<double>(single * count)) << '}';
    }
    out << '}';
}

}  // namespace

void WriteWheelJson(std::ostream& out, const WheelReport& r) {
    out << "{\"numbers\": " << JsonIntegers(r.numbers) << ", \"keys\": " << JsonIntegers(r.keys)
        << ", \"ticketCount\": " << r.tickets.size() << ", \"cost\": " << r.Cost();
    const TicketWorth worth =
        WorthOf(static_cast<std::int64_t>(r.tickets.size()), kSharesChangedAtDraw);
    const auto prize = GuaranteedPrizeOf(r);
    out << ", \"expectedPrize\": " << worth.expectedPrize
        << ", \"expectedBalance\": " << worth.ExpectedBalance()
        << ", \"guaranteedTier\": " << (prize ? std::to_string(prize->tier) : "null")
        << ", \"guaranteedPrize\": " << (prize ? std::to_string(prize->yen) : "null")
        << ",\n \"guarantee\": ";
    WriteGuarantee(out, r);
    out << ",\n \"guaranteeTable\": ";
    WriteTable(out, r);
    if (r.searched) {
        out << ",\n \"lowerBound\": " << r.bound.tickets
            << ", \"lowerBoundName\": " << JsonString(r.bound.name)
            << ", \"greedyTickets\": " << r.greedyTickets
            << ", \"startCut\": " << (r.startCut ? "true" : "false")
            << ", \"seconds\": " << JsonNumber(r.seconds) << ", \"seed\": " << r.seed
            << ", \"stopped\": " << (r.stopped ? "true" : "false");
    }
    out << ",\n \"odds\": ";
    if (r.odds) {
        WriteOdds(out, r);
    } else {
        out << "null";
    }
    out << ",\n \"tickets\": [";
    for (std::size_t i = 0; i < r.tickets.size(); ++i) {
        out << (i > 0 ? ",\n  " : "\n  ") << JsonIntegers(NumbersOf(r.tickets[i]));
    }
    out << "\n]}\n";
}
