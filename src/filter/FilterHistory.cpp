#include "filter/FilterHistory.h"

#include <algorithm>
#include <bit>

std::optional<NumberMask> MainNumberSet(const DrawRecord& draw) {
    if (!draw.IsComplete()) return std::nullopt;
    const NumberMask mask = MainNumbersInRange(draw);
    if (std::popcount(mask) != kMainCount) return std::nullopt;
    return mask;
}

NumberMask MainNumbersInRange(const DrawRecord& draw) {
    NumberMask mask = 0;
    for (int k = 0; k < kMainCount; ++k) {
        const int n = draw.Main(k);
        if (n >= kLowestNumber && n <= kHighestNumber) mask |= Bit(n);
    }
    return mask;
}

FilterHistory ReadFilterHistory(const DrawStore& draws) {
    FilterHistory history;
    for (const DrawRecord& draw : draws.Rows()) {
        if (!draw.IsComplete()) continue;
        history.latestDraw = draw.drawNumber;
        history.latest = MainNumbersInRange(draw);
        if (const std::optional<NumberMask> set = MainNumberSet(draw)) history.won.push_back(*set);
    }
    std::sort(history.won.begin(), history.won.end());
    history.won.erase(std::unique(history.won.begin(), history.won.end()), history.won.end());
    return history;
}

PastPassCounts RatePastDraws(const DrawStore& draws, const FilterConditions& conditions) {
    PastPassCounts counts;
    std::vector<NumberMask> earlier;  // sorted
    NumberMask previous = 0;
    for (const DrawRecord& draw : draws.Rows()) {
        if (!draw.IsComplete()) continue;
        if (const std::optional<NumberMask> set = MainNumberSet(draw)) {
            const Measures m = MeasureNumbers(NumbersOf(*set));
            const FilterContext context{previous, &earlier};
            bool all = true;
            for (const FilterInfo& info : FilterCatalog()) {
                const bool pass = Passes(info.kind, m, conditions, context);
                counts.alone[static_cast<int>(info.kind)] += pass;
                all = all && pass;
            }
            counts.passing += all;
            ++counts.draws;
            earlier.insert(std::upper_bound(earlier.begin(), earlier.end(), *set), *set);
        }
        previous = MainNumbersInRange(draw);
    }
    return counts;
}
