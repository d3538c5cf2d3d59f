#include "analysis/RandomnessAnalysis.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "core/FairDraws.h"
#include "core/FigureText.h"
#include "core/MonteCarloError.h"
#include "core/ParallelFor.h"

namespace {

constexpr int kBlock = 50;  // histories per block: small, so a stop answers at once
constexpr double kTieTolerance = 1e-9;

void SimulateBlock(int draws, std::uint64_t seed, int block, int count, std::atomic<bool>& stop,
                   std::array<std::vector<double>, kRandomnessTestCount>& out, int first) {
    FairDraws fair(FairDraws::StreamSeed(seed, block));
    for (int h = 0; h < count && !stop; ++h) {
        RandomnessTally tally;
        for (int d = 0; d < draws; ++d) {
            DrawSets sets;
            sets.main = fair.NextDraw(sets.bonus);
            tally.Add(sets);
        }
        const auto statistics = RandomnessStatistics(tally);
        for (int t = 0; t < kRandomnessTestCount; ++t) out[t][first + h] = statistics[t];
    }
}

}  // namespace

std::optional<RandomnessRange> WholeRandomnessRange(const DrawStore& draws) {
    std::optional<RandomnessRange> range;
    int count = 0;
    for (const DrawRecord& draw : draws.Rows()) {
        if (!draw.IsComplete()) continue;
        if (!range) range = RandomnessRange{draw.drawNumber, draw.drawNumber};
        range->to = draw.drawNumber;
        ++count;
    }
    if (count < 2) return std::nullopt;
    return range;
}

std::vector<DrawSets> RandomnessHistory(const DrawStore& draws, const RandomnessRange& range) {
    std::vector<DrawSets> history;
    for (const DrawRecord& draw : draws.Rows()) {
        if (draw.IsComplete() && draw.drawNumber >= range.from && draw.drawNumber <= range.to) {
            history.push_back(SetsOf(draw));
        }
    }
    return history;
}

double RandomnessReference::PValue(int test, double statistic) const {
    const std::vector<double>& s = sorted[test];
    const auto atLeast = std::lower_bound(s.begin(), s.end(), statistic * (1 - kTieTolerance));
    return static_cast<double>(1 + (s.end() - atLeast)) / (1 + simulations);
}

namespace {

// Simulates histories [from, upTo) of a run of `simulations` into `values`,
// in the blocks a full run makes; false when the progress callback stopped it.
bool SimulateHistories(int draws, int simulations, std::uint64_t seed, int from, int upTo,
                       std::array<std::vector<double>, kRandomnessTestCount>& values,
                       const RandomnessProgress& progress) {
    const int firstBlock = from / kBlock;
    const int blocks = (upTo + kBlock - 1) / kBlock - firstBlock;
    std::atomic<int> done{from};
    std::atomic<bool> stop{false};  // also read inside a block, to stop at once
    return ParallelFor(
        blocks,
        [&](int i) {
            const int b = firstBlock + i;
            const int first = b * kBlock;
            const int count = std::min(kBlock, simulations - first);
            SimulateBlock(draws, seed, b, count, stop, values, first);
            done += count;
        },
        [&] {
            if (progress && !progress(done, simulations)) stop = true;
            return !stop;
        });
}

}  // namespace

std::optional<RandomnessReference> SimulateRandomness(int draws, int simulations,
                                                      std::uint64_t seed,
                                                      const RandomnessProgress& progress) {
    RandomnessReference reference;
    reference.draws = draws;
    reference.simulations = simulations;
    reference.seed = seed;
    for (auto& s : reference.sorted) s.assign(static_cast<std::size_t>(simulations), 0.0);
    if (!SimulateHistories(draws, simulations, seed, 0, simulations, reference.sorted, progress)) {
        return std::nullopt;
    }
    for (auto& s : reference.sorted) std::sort(s.begin(), s.end());
    return reference;
}

std::array<double, kRandomnessTestCount> HolmAdjust(
    const std::array<double, kRandomnessTestCount>& p) {
    std::array<int, kRandomnessTestCount> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return p[a] < p[b]; });
    std::array<double, kRandomnessTestCount> adjusted{};
    double running = 0;
    for (int i = 0; i < kRandomnessTestCount; ++i) {
        running = std::max(running, std::min(1.0, (kRandomnessTestCount - i) * p[order[i]]));
        adjusted[order[i]] = running;
    }
    return adjusted;
}

RandomnessResult TestRandomness(const std::vector<DrawSets>& history,
                                const RandomnessReference& reference) {
    RandomnessTally tally;
    for (const DrawSets& draw : history) tally.Add(draw);
    const auto statistics = RandomnessStatistics(tally);
    RandomnessResult result;
    result.draws = tally.draws;
    result.simulations = reference.simulations;
    result.seed = reference.seed;
    std::array<double, kRandomnessTestCount> p{};
    for (int t = 0; t < kRandomnessTestCount; ++t) {
        RandomnessOutcome& o = result.tests[t];
        o.statistic = statistics[t];
        o.pValue = p[t] = reference.PValue(t, statistics[t]);
        o.bars = RandomnessBars(tally, t);
    }
    const auto holm = HolmAdjust(p);
    for (int t = 0; t < kRandomnessTestCount; ++t) result.tests[t].holmPValue = holm[t];
    return result;
}

namespace {

// True when a p-value and its error are clear of every level Holm's
// adjustment may compare it with.
bool IsClear(double p, double error) {
    if (error > kRandomnessTargetError) return false;
    for (int k = 1; k <= kRandomnessTestCount; ++k) {
        if (std::fabs(p - kRandomnessLevel / k) < kRandomnessClearZ * error) return false;
    }
    return true;
}

}  // namespace

std::optional<RandomnessResult> RunRandomness(const DrawStore& draws, const RandomnessRange& range,
                                              int simulations, std::uint64_t seed,
                                              const RandomnessProgress& progress,
                                              bool stopWhenClear) {
    const std::vector<DrawSets> history = RandomnessHistory(draws, range);
    const int length = static_cast<int>(history.size());
    RandomnessTally tally;
    for (const DrawSets& draw : history) tally.Add(draw);
    const auto observed = RandomnessStatistics(tally);
    simulations = std::max(0, simulations);
    RandomnessReference reference;
    reference.draws = length;
    reference.seed = seed;
    for (auto& s : reference.sorted) s.assign(static_cast<std::size_t>(simulations), 0.0);
    std::array<double, kRandomnessTestCount> errors{};
    int made = 0;
    while (made < simulations) {
        const int wanted = made == 0 ? kRandomnessFirstRound : made + made / 2;
        const int upTo = stopWhenClear ? std::min(simulations, wanted) : simulations;
        if (!SimulateHistories(length, simulations, seed, made, upTo, reference.sorted, progress)) {
            return std::nullopt;
        }
        made = std::min(simulations, (upTo + kBlock - 1) / kBlock * kBlock);
        bool clear = true;
        for (int t = 0; t < kRandomnessTestCount; ++t) {
            const std::vector<double>& s = reference.sorted[t];
            const double at = observed[t] * (1 - kTieTolerance);
            const auto beyond =
                std::count_if(s.begin(), s.begin() + made, [&](double x) { return x >= at; });
            const double p = static_cast<double>(1 + beyond) / (1 + made);
            errors[t] = SimulatedShareError(beyond, made);
            clear = clear && IsClear(p, errors[t]);
        }
        if (clear && stopWhenClear) break;
    }
    for (auto& s : reference.sorted) {
        s.resize(static_cast<std::size_t>(made));
        std::sort(s.begin(), s.end());
    }
    reference.simulations = made;
    RandomnessResult result = TestRandomness(history, reference);
    for (int t = 0; t < kRandomnessTestCount; ++t) result.tests[t].pError = errors[t];
    result.maxSimulations = simulations;
    result.range = range;
    return result;
}

namespace {

const char* Strength(double p) {
    if (p < 0.001) return "非常に強く";
    if (p < 0.01) return "強く";
    return "";
}

}  // namespace

std::string RandomnessVerdict(const RandomnessOutcome& o) {
    if (o.holmPValue >= kRandomnessLevel) return "公平な抽せんと矛盾しません。";
    return std::string("公平な抽せんと") + Strength(o.holmPValue) + "食い違っています（補正後の" +
           PValueText(o.holmPValue, kRandomnessLevel) + "）。";
}

std::string RandomnessConclusion(const RandomnessResult& result) {
    std::vector<int> disagreeing;
    for (int t = 0; t < kRandomnessTestCount; ++t) {
        if (result.tests[t].holmPValue < kRandomnessLevel) disagreeing.push_back(t);
    }
    if (disagreeing.empty()) return "抽せんは公平なものと矛盾しません。";
    std::string text;
    for (int t : disagreeing) {
        const RandomnessOutcome& o = result.tests[t];
        text += std::string(text.empty() ? "" : "、") + "「" + RandomnessTestName(t) + "」は" +
                Strength(o.holmPValue) + "食い違い（補正後の" +
                PValueText(o.holmPValue, kRandomnessLevel) + "）";
    }
    return "公平な抽せんとの食い違いがあります：" + text + "。";
}
