#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/DrawRecord.h"

// The tests of whether the stored draws look like fair draws of seven main
// and two bonus numbers from 1 … 37.  Each test reduces a history to one
// statistic that grows as the history departs from fairness; its p-value
// is found by simulating fair histories of the same length.

enum RandomnessTest {
    kMainFrequencyTest,   // counts of each main number
    kBonusFrequencyTest,  // counts of each bonus number
    kGapTest,             // gaps between a number's appearances
    kSumTest,             // sums of the seven main numbers
    kOddTest,             // odd numbers per draw
    kLowTest,             // numbers 1 … 18 per draw
    kRepeatTest,          // main numbers repeated from the previous draw
    kPairTest,            // draws holding each of the 666 pairs
    kRunTest,             // runs of sums above and below the median over time
    kRandomnessTestCount
};

// The test's name as the window and the CLI show it.
const char* RandomnessTestName(int test);
// What the statistic is, in one line.
const char* RandomnessTestMethod(int test);

// One draw as number sets: bits 1 … 37.
struct DrawSets {
    std::uint64_t main = 0;
    std::uint64_t bonus = 0;
};

DrawSets SetsOf(const DrawRecord& draw);

// Gap lengths 1 … kGapBins − 1 and kGapBins or longer.
inline constexpr int kGapBins = 16;
// Sums in ten bins of about equal chance.
inline constexpr int kSumBins = 10;
// Odd numbers and numbers 1 … 18 per draw: ≤ 1, 2, 3, 4, 5, ≥ 6.
inline constexpr int kCountBins = 6;
// Repeats from the previous draw: 0, 1, 2, 3, ≥ 4.
inline constexpr int kRepeatBins = 5;
// The median of the sum of seven fair main numbers (the law is symmetric).
inline constexpr int kMedianSum = 133;

// What a history leaves for the statistics, added draw by draw in order.
struct RandomnessTally {
    int draws = 0;
    std::array<int, kHighestNumber + 1> mainCount{};
    std::array<int, kHighestNumber + 1> bonusCount{};
    std::array<int, kHighestNumber + 1> lastSeen{};  // 1-based draw of the last appearance
    std::array<int, kGapBins> gapCount{};
    std::array<int, kSumBins> sumCount{};
    std::array<int, kCountBins> oddCount{};
    std::array<int, kCountBins> lowCount{};
    std::array<int, kRepeatBins> repeatCount{};
    std::array<int, (kHighestNumber + 1) * (kHighestNumber + 1)>
        pairCount{};  // [a · 38 + b], a < b
    int above = 0;    // draws whose sum is above the median
    int below = 0;
    int runs = 0;
    int lastSide = 0;
    std::uint64_t previous = 0;

    void Add(const DrawSets& draw);
};

// The nine statistics of a tally, in RandomnessTest order.
std::array<double, kRandomnessTestCount> RandomnessStatistics(const RandomnessTally& tally);

// One bar of a test's chart: what the history shows against what a fair
// draw gives on average.
struct ChartBar {
    std::string label;
    double observed = 0;
    double expected = 0;
};

// The bars of one test for a tally.
std::vector<ChartBar> RandomnessBars(const RandomnessTally& tally, int test);

// The chance of each sum 28 … 238 of seven fair main numbers, computed by
// counting the 7-subsets of 1 … 37 with each sum; indexed by the sum.
const std::array<double, 239>& SumLaw();
// The bin of a sum: kSumBins bins cut where the cumulative chance passes
// each tenth.
int SumBin(int sum);
