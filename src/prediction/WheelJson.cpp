#include "prediction/WheelJson.h"

#include <charconv>
#include <cmath>

#include "core/GridDump.h"
#include "prediction/LotoChance.h"
#include "prediction/PrizeTier.h"

namespace {

std::string Number(double value) {
    if (!std::isfinite(value)) return "null";
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : "null";
}

std::string List(const std::vector<int>& numbers) { return "[" + JoinNumbers(numbers, ", ") + "]"; }

void WriteGuarantee(std::ostream& out, const WheelReport& r) {
    if (!r.asked) {
        out << "null";
        return;
    }
    out << "{\"t\": " << r.asked->t << ", \"m\": " << r.asked->m
        << ", \"holds\": " << (r.check.holds ? "true" : "false") << ", \"cases\": " << r.check.cases
        << ", \"missedCase\": " << (r.check.holds ? "null" : List(r.check.missedCase)) << '}';
}

void WriteTable(std::ostream& out, const WheelReport& r) {
    out << '[';
    for (std::size_t i = 0; i < r.table.size(); ++i) {
        const GuaranteeLine& line = r.table[i];
        out << (i > 0 ? ", " : "") << "{\"m\": " << line.m << ", \"t\": " << line.guaranteed
            << ", \"worstCase\": " << List(line.worstCase) << '}';
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
            << ": {\"wheel\": " << Number(static_cast<double>(wheel)) << ", \"random\": "
            << Number(static_cast<double>(RandomTicketsChance(any ? 0 : tier, count)))
            << ", \"expectedWins\": " << Number(static_cast<double>(single * count)) << '}';
    }
    out << '}';
}

}  // namespace

void WriteWheelJson(std::ostream& out, const WheelReport& r) {
    out << "{\"numbers\": " << List(r.numbers) << ", \"keys\": " << List(r.keys)
        << ", \"ticketCount\": " << r.tickets.size() << ", \"cost\": " << r.Cost()
        << ",\n \"guarantee\": ";
    WriteGuarantee(out, r);
    out << ",\n \"guaranteeTable\": ";
    WriteTable(out, r);
    if (r.searched) {
        out << ",\n \"lowerBound\": " << r.bound.tickets
            << ", \"lowerBoundName\": " << JsonString(r.bound.name)
            << ", \"greedyTickets\": " << r.greedyTickets << ", \"seconds\": " << Number(r.seconds)
            << ", \"seed\": " << r.seed << ", \"stopped\": " << (r.stopped ? "true" : "false");
    }
    out << ",\n \"odds\": ";
    if (r.odds) {
        WriteOdds(out, r);
    } else {
        out << "null";
    }
    out << ",\n \"tickets\": [";
    for (std::size_t i = 0; i < r.tickets.size(); ++i) {
        out << (i > 0 ? ",\n  " : "\n  ") << List(NumbersOf(r.tickets[i]));
    }
    out << "\n]}\n";
}
