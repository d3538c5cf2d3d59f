// The wheel search's quality table and the time of its parts.
//
// `bench_wheel` prints, for the coverings "t if t" of 8 ≤ v ≤ 20 chosen
// numbers and t = 3, 4, 5: the Schönheim lower bound, the best known size
// where it is known for certain here, the plain greedy, the search's size
// within 2 s (seed 1) and the seconds it took.  Best known sizes: v = 8 is
// C(8, 7, t) = t + 1 (a block leaves out one number; a t-set is missed only
// when it holds every number left out, so t + 1 blocks are needed and
// enough); v = 9 follows from Turán's theorem (blocks leave out pairs, the
// pairs form a graph, and every (9 − t)-set must hold one of its edges).
// For t = 6, C(v, 7, 6) up to v = 11 is known exactly and 176 is the best
// known for v = 12 (the table of covering numbers C(v, k, k − 1), OEIS
// A066010).  C(12, 7, 4) ≤ 24 and C(13, 7, 4) ≤ 30 are the La Jolla Covering
// Repository's records as quoted by others (the repository itself could not
// be reached from here).  Other sizes are left blank rather than quoted from
// memory.
// `bench_wheel S v/t …` gives S seconds to each search and prints only the
// rows named (t up to 6 there).
// `bench_wheel --benchmark` runs Google Benchmark cases for the verifier and
// the exact odds instead.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "wheel/WheelBounds.h"
#include "wheel/WheelOdds.h"
#include "wheel/WheelSearch.h"
#include "wheel/WheelVerify.h"

namespace {

std::vector<int> FirstNumbers(int v) {
    std::vector<int> numbers;
    for (int n = 1; n <= v; ++n) numbers.push_back(n);
    return numbers;
}

const std::map<std::pair<int, int>, int> kBestKnown = {
    {{8, 3}, 4},    {{8, 4}, 5},   {{8, 5}, 6},   {{9, 3}, 4},   {{9, 4}, 6},
    {{9, 5}, 9},    {{8, 6}, 7},   {{9, 6}, 16},  {{10, 6}, 45}, {{11, 6}, 84},
    {{12, 6}, 176}, {{12, 4}, 24}, {{13, 4}, 30},
};

// Whether the row v/t is asked for: by name in `only`, or, with no names,
// the table's own rows (t = 3, 4, 5).
bool Wanted(const std::vector<std::string>& only, int v, int t) {
    if (only.empty()) return t <= 5;
    return std::find(only.begin(), only.end(), std::to_string(v) + "/" + std::to_string(t)) !=
           only.end();
}

void PrintQualityTable(double seconds, const std::vector<std::string>& only) {
    std::printf("v\tt\tlower\tbest\tgreedy\t(s)\tours\tseconds\n");
    for (int v = 8; v <= 20; ++v) {
        for (int t = 3; t <= 6; ++t) {
            if (!Wanted(only, v, t)) continue;
            const WheelRequest request{FirstNumbers(v), {}, t, t};
            const auto greedyStart = std::chrono::steady_clock::now();
            const std::optional<WheelResult> greedy = GreedyWheel(request, 1);
            const double greedySeconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - greedyStart)
                    .count();
            const std::optional<WheelResult> ours =
                SearchWheel(request, {.seconds = seconds, .seed = 1, .enough = 0, .reserve = {}});
            const auto best = kBestKnown.find({v, t});
            std::printf("%d\t%d\t%llu\t%s\t%zu\t%.2f\t%zu\t%.2f\n", v, t,
                        static_cast<unsigned long long>(ours->bound.tickets),
                        best == kBestKnown.end() ? "-" : std::to_string(best->second).c_str(),
                        greedy->tickets.size(), greedySeconds, ours->tickets.size(), ours->seconds);
            std::fflush(stdout);
        }
    }
}

void BM_VerifyCovering(benchmark::State& state) {
    const WheelRequest request{FirstNumbers(static_cast<int>(state.range(0))), {}, 5, 5};
    const std::vector<NumberMask> tickets = GreedyWheel(request, 1)->tickets;
    for (auto _ : state) benchmark::DoNotOptimize(CheckGuarantee(tickets, request).holds);
}
BENCHMARK(BM_VerifyCovering)->Arg(12)->Arg(16)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_VerifyAllDraws(benchmark::State& state) {
    // Every 7-set of 1 … 37 against 20 tickets: the largest case set there is.
    const WheelRequest request{FirstNumbers(37), {}, 1, 7};
    std::vector<NumberMask> tickets;
    for (int i = 0; i < 20; ++i)
        tickets.push_back(MaskOf({1 + i, 2 + i, 3 + i, 4 + i, 5 + i, 6 + i, 7 + i}));
    for (auto _ : state) benchmark::DoNotOptimize(CheckGuarantee(tickets, request).holds);
}
BENCHMARK(BM_VerifyAllDraws)->Unit(benchmark::kMillisecond);

void BM_ExactOdds(benchmark::State& state) {
    const WheelRequest request{FirstNumbers(static_cast<int>(state.range(0))), {}, 4, 4};
    const std::vector<NumberMask> tickets = GreedyWheel(request, 1)->tickets;
    for (auto _ : state) benchmark::DoNotOptimize(ExactOdds(tickets)->anyOutcomes);
}
BENCHMARK(BM_ExactOdds)->Arg(12)->Arg(16)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--benchmark") == 0) {
        argv[1] = argv[0];
        --argc;
        ++argv;
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        return 0;
    }
    const double seconds = argc > 1 ? std::atof(argv[1]) : kDefaultWheelSeconds;
    PrintQualityTable(seconds, std::vector<std::string>(argv + std::min(argc, 2), argv + argc));
    return 0;
}
