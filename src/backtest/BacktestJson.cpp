#include "backtest/BacktestJson.h"

#include <charconv>
#include <cmath>
#include <string>

#include "backtest/BacktestFamily.h"
#include "core/JsonText.h"

namespace {

// "[a, b, …]" of the figures for 0 … 7 main matches.
template <typename F>
void PerMatchCount(std::ostream& out, F&& figure) {
    out << '[';
    for (int m = 0; m <= kTicketSize; ++m) out << (m > 0 ? ", " : "") << figure(m);
    out << ']';
}

// {"1等": a, …, "6等": f} of the figures for each prize tier.
template <typename F>
void PerTier(std::ostream& out, F&& figure) {
    out << '{';
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        out << (t > 1 ? ", " : "") << JsonString(std::to_string(t) + "等") << ": " << figure(t);
    }
    out << '}';
}

void WriteMethod(std::ostream& out, int method, const MethodScore& s) {
    out << "{\"name\": " << JsonString(BacktestMethodName(method)) << ", \"tickets\": " << s.tickets
        << ", \"meanMatches\": " << JsonNumber(s.MeanMatches())
        << ", \"expectedMeanMatches\": " << JsonNumber(s.ExpectedMeanMatches())
        << ", \"matchCounts\": ";
    PerMatchCount(out, [&](int m) { return std::to_string(s.matchCounts[m]); });
    out << ", \"expectedMatchShares\": ";
    PerMatchCount(out, [&](int m) { return JsonNumber(s.ExpectedMatchShare(m)); });
    out << ", \"tiers\": ";
    PerTier(out, [&](int t) { return std::to_string(s.tierCounts[t]); });
    out << ", \"expectedTiers\": ";
    PerTier(out, [&](int t) { return JsonNumber(s.expectedTierCounts[t]); });
    out << ", \"pValue\": " << JsonNumber(s.PValue())
        << ", \"exactPValue\": " << JsonNumber(s.ExactPValue())
        << ", \"familyPValue\": " << JsonNumber(s.familyPValue)
        << ", \"familyPError\": " << JsonNumber(s.familyPError)
        << ", \"verdict\": " << JsonString(BacktestVerdict(s)) << '}';
}

}  // namespace

void WriteBacktestJson(std::ostream& out, const BacktestResult& result) {
    out << "{\"from\": " << result.range.from << ", \"to\": " << result.range.to
        << ", \"draws\": " << result.draws;
    if (result.familySimulations > 0) {
        out << ", \"familyMethod\": " << JsonString(kFamilyMethodName)
            << ", \"simulations\": " << result.familySimulations
            << ", \"maxSimulations\": " << result.familyMaxSimulations
            << ", \"seed\": " << result.familySeed;
    }
    out << ", \"summary\": " << JsonString(BacktestSummary(result)) << ", \"methods\": [";
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        out << (m > 0 ? ",\n  " : "\n  ");
        WriteMethod(out, m, result.methods[m]);
    }
    out << "\n]}\n";
}
