#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lotto/NumberMask.h"

// The filters of 絞り込み: conditions on a combination of seven main numbers,
// each taken from the measure of an analysis window.  Every measure is
// defined here once, as one step that adds a number to the measures of the
// numbers before it (in ascending order); the search over all combinations
// and the rating of past draws both go through these steps and checks.

enum class FilterKind {
    Sum,          // 本数字合計, between two bounds
    Odd,          // odd numbers
    Low,          // low numbers 1 … 18
    Consecutive,  // sorted neighbours that differ by 1
    SkipOne,      // sorted neighbours that differ by 2
    LastDigits,   // different last digits
    SameDigit,    // most numbers sharing one last digit
    Range4,       // per range 01–09, 10–19, 20–29, 30–37
    Group6,       // per group of the six-group split
    Group7,       // per group of the seven-group split
    Group9,       // per group of the nine-group split
    Include,      // must hold all of these numbers
    Exclude,      // must hold none of these numbers
    AtLeast,      // must hold at least i of these numbers
    CarryOver,    // numbers repeated from the latest draw
    NotWon,       // not the main numbers of a draw already held
};
inline constexpr int kFilterKindCount = 16;

// What the window and the command line say of a filter.
struct FilterInfo {
    FilterKind kind;
    std::string_view key;     // camelCase, the JSON key and the command-line option's root
    std::string_view label;   // the label beside its input
    std::string_view window;  // the analysis window whose measure it uses; empty for none
    std::string_view note;    // how it counts, where that needs saying
};
const std::array<FilterInfo, kFilterKindCount>& FilterCatalog();
const FilterInfo& InfoOf(FilterKind kind);

// The four splits of the numbers into consecutive groups, as the range and
// group windows draw them.
inline constexpr int kSplitCount = 4;
// 0 … 3 for Range4 … Group9, else -1.
inline constexpr int SplitIndex(FilterKind kind) {
    const int index = static_cast<int>(kind) - static_cast<int>(FilterKind::Range4);
    return index >= 0 && index < kSplitCount ? index : -1;
}
inline constexpr std::array<int, kSplitCount> kGroupCounts = {4, 6, 7, 9};
inline constexpr int GroupCountOf(int split) { return kGroupCounts[split]; }
// The group 0 … of a number 1 … 37 in a split: the ranges 01–09, 10–19,
// 20–29, 30–37, and groups of 6, 5 and 4 numbers whose last group runs on
// to 37.
inline constexpr int GroupOfNumber(int split, int number) {
    constexpr std::array<int, kSplitCount> widths = {10, 6, 5, 4};
    const int index = split == 0 ? number / widths[0] : (number - 1) / widths[split];
    return std::min(index, kGroupCounts[split] - 1);
}
// "01～09" for the ranges, "Ａ 1～6" for the groups.
std::string GroupName(int split, int group);

// A set of allowed counts 0 … 15, as bits.
using CountSet = std::uint16_t;
inline constexpr CountSet kAnyCount = 0xffff;
inline constexpr bool Allows(CountSet set, int count) { return (set >> count) & 1u; }

// Numbers 1 … 37 as bits 1 … 37.

// "At least `count` of these numbers": one rule of the at-least filter.
struct AtLeastRule {
    int count = 0;
    NumberMask of = 0;
    bool operator==(const AtLeastRule&) const = default;
};

// The filters chosen; a filter left empty is off.
struct FilterConditions {
    std::optional<std::pair<int, int>> sum;
    std::optional<CountSet> odd, low, consecutive, skipOne, lastDigits, carryOver;
    std::optional<int> sameDigitMax;
    // Per split, the allowed counts of each group (kAnyCount for a group left free).
    std::array<std::optional<std::vector<CountSet>>, kSplitCount> splits;
    NumberMask include = 0, exclude = 0;
    // Every rule must hold; on when there is one.
    std::vector<AtLeastRule> atLeast;
    bool notWon = false;

    bool IsOn(FilterKind kind) const;
};

// The measures of some numbers, added one by one in ascending order.
struct Measures {
    int count = 0;
    int last = 0;  // the number added last
    int sum = 0, odd = 0, low = 0;
    int consecutive = 0, skipOne = 0;
    int lastDigits = 0, sameDigit = 0;
    std::uint64_t digitCounts = 0;                         // 4 bits per last digit
    std::array<std::uint64_t, kSplitCount> groupCounts{};  // 4 bits per group
    NumberMask mask = 0;

    int DigitCount(int digit) const { return (digitCounts >> (4 * digit)) & 15; }
    int GroupCount(int split, int group) const { return (groupCounts[split] >> (4 * group)) & 15; }
};

// Per split and number 1 … 37, what one number adds to the packed group counts.
inline constexpr auto kGroupSteps = [] {
    std::array<std::array<std::uint64_t, 38>, kSplitCount> steps{};
    for (int split = 0; split < kSplitCount; ++split) {
        for (int n = 1; n <= 37; ++n)
            steps[split][n] = std::uint64_t{1} << (4 * GroupOfNumber(split, n));
    }
    return steps;
}();

// Adds a number 1 … 37, larger than any added before.  This step is the
// definition of every measure.
inline void AddNumber(Measures& m, int number) {
    if (m.count > 0) {
        m.consecutive += number == m.last + 1;
        m.skipOne += number == m.last + 2;
    }
    m.sum += number;
    m.odd += number & 1;
    m.low += number <= 18;
    const int digit = number % 10;
    const int sharing = m.DigitCount(digit) + 1;
    m.lastDigits += sharing == 1;
    m.sameDigit = std::max(m.sameDigit, sharing);
    m.digitCounts += std::uint64_t{1} << (4 * digit);
    for (int split = 0; split < kSplitCount; ++split)
        m.groupCounts[split] += kGroupSteps[split][number];
    m.mask |= Bit(number);
    m.last = number;
    ++m.count;
}
// The measures of ascending numbers.
Measures MeasureNumbers(const std::vector<int>& ascending);

// What the carry-over and the already-won filters compare with.
struct FilterContext {
    NumberMask previous = 0;                       // main numbers of the draw before
    const std::vector<NumberMask>* won = nullptr;  // sorted; main numbers of earlier draws
};

// True when counts packed 4 bits per group are allowed for every group.
inline bool SplitPasses(const std::vector<CountSet>& sets, std::uint64_t counts) {
    for (std::size_t group = 0; group < sets.size(); ++group) {
        if (!Allows(sets[group], (counts >> (4 * group)) & 15)) return false;
    }
    return true;
}

// True when numbers with these measures pass the filter (a filter that is
// off passes everything).  Inline: the search asks it for every combination.
inline bool Passes(FilterKind kind, const Measures& m, const FilterConditions& conditions,
                   const FilterContext& context) {
    if (!conditions.IsOn(kind)) return true;
    switch (kind) {
        case FilterKind::Sum:
            return m.sum >= conditions.sum->first && m.sum <= conditions.sum->second;
        case FilterKind::Odd:
            return Allows(*conditions.odd, m.odd);
        case FilterKind::Low:
            return Allows(*conditions.low, m.low);
        case FilterKind::Consecutive:
            return Allows(*conditions.consecutive, m.consecutive);
        case FilterKind::SkipOne:
            return Allows(*conditions.skipOne, m.skipOne);
        case FilterKind::LastDigits:
            return Allows(*conditions.lastDigits, m.lastDigits);
        case FilterKind::SameDigit:
            return m.sameDigit <= *conditions.sameDigitMax;
        case FilterKind::Range4:
        case FilterKind::Group6:
        case FilterKind::Group7:
        case FilterKind::Group9: {
            const int split = SplitIndex(kind);
            return SplitPasses(*conditions.splits[split], m.groupCounts[split]);
        }
        case FilterKind::Include:
            return (m.mask & conditions.include) == conditions.include;
        case FilterKind::Exclude:
            return (m.mask & conditions.exclude) == 0;
        case FilterKind::AtLeast:
            return std::all_of(
                conditions.atLeast.begin(), conditions.atLeast.end(),
                [&](const AtLeastRule& r) { return std::popcount(m.mask & r.of) >= r.count; });
        case FilterKind::CarryOver:
            return Allows(*conditions.carryOver, std::popcount(m.mask & context.previous));
        case FilterKind::NotWon:
            return !context.won ||
                   !std::binary_search(context.won->begin(), context.won->end(), m.mask);
    }
    return true;
}

inline bool FilterConditions::IsOn(FilterKind kind) const {
    switch (kind) {
        case FilterKind::Sum:
            return sum.has_value();
        case FilterKind::Odd:
            return odd.has_value();
        case FilterKind::Low:
            return low.has_value();
        case FilterKind::Consecutive:
            return consecutive.has_value();
        case FilterKind::SkipOne:
            return skipOne.has_value();
        case FilterKind::LastDigits:
            return lastDigits.has_value();
        case FilterKind::SameDigit:
            return sameDigitMax.has_value();
        case FilterKind::Range4:
        case FilterKind::Group6:
        case FilterKind::Group7:
        case FilterKind::Group9:
            return splits[SplitIndex(kind)].has_value();
        case FilterKind::Include:
            return include != 0;
        case FilterKind::Exclude:
            return exclude != 0;
        case FilterKind::AtLeast:
            return !atLeast.empty();
        case FilterKind::CarryOver:
            return carryOver.has_value();
        case FilterKind::NotWon:
            return notWon;
    }
    return false;
}

// Reading what the user typed (half- or full-width).  Blank text turns the
// filter off (none, or no numbers); text that does not read throws a
// UserError whose Japanese message names `what`.
std::optional<std::pair<int, int>> ParseSumRange(std::string_view text, std::string_view what);
// "3,4", "0-2", "0～2,5": counts 0 … maxCount.
std::optional<CountSet> ParseCountSet(std::string_view text, std::string_view what, int maxCount);
// "3,7,21": distinct numbers 1 … 37.
NumberMask ParseNumbers(std::string_view text, std::string_view what);
// "0-2/1-3/*/*": one count set per group of the split, "*" or blank for any.
std::optional<std::vector<CountSet>> ParseSplitSets(std::string_view text, std::string_view what,
                                                    int split);

// How a filter that is on reads, for tables and JSON ("100～160", "3,4",
// "0～2/*/*/1", "3,7,21", "2個以上: 1,5,9").
std::string ConditionText(FilterKind kind, const FilterConditions& conditions);
std::string CountSetText(CountSet set);
std::string NumbersText(NumberMask mask);
