#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>
#include <set>

#include "analysis/CarryOverAnalysis.h"
#include "analysis/DigitTendencyAnalysis.h"
#include "analysis/GroupChartAnalysis.h"
#include "analysis/NumberSumAnalysis.h"
#include "analysis/PairAnalysis.h"
#include "analysis/PatternAnalysis.h"
#include "analysis/RangeAnalysis.h"
#include "filter/CombinationSearch.h"
#include "filter/FilterHistory.h"
#include "support/TestSupport.h"

namespace {

constexpr int kSmallSpace = 15;

std::optional<CountSet> Set(std::string_view text, int max = 7) {
    return ParseCountSet(text, "test", max);
}

std::optional<std::vector<CountSet>> Split(std::string_view text, int split) {
    return ParseSplitSets(text, "test", split);
}

NumberMask Mask(std::initializer_list<int> numbers) {
    NumberMask mask = 0;
    for (int n : numbers) mask |= Bit(n);
    return mask;
}

// Every 7-subset of 1 … highest, lexicographic.
void ForEachSubset(int highest, const std::function<void(const std::vector<int>&)>& visit) {
    std::vector<int> c = {1, 2, 3, 4, 5, 6, 7};
    while (true) {
        visit(c);
        int i = 6;
        while (i >= 0 && c[i] == highest - 6 + i) --i;
        if (i < 0) return;
        ++c[i];
        for (int j = i + 1; j < 7; ++j) c[j] = c[j - 1] + 1;
    }
}

// The group of a number as the analysis windows have it (0-based).
int WindowGroup(int split, int number) {
    if (split == 0) return RangeOf(number) - 1;
    static const GlobalBas none;
    static ResultGrid scratch;
    const int groups[] = {0, 6, 7, 9};
    return GroupChart(none, scratch, GroupMemberOf(groups[split])).GroupOf(number);
}

// Each filter worked out plainly, number by number, for the brute force.
bool NaivePasses(FilterKind kind, const std::vector<int>& c, const FilterConditions& s,
                 NumberMask previous, const std::vector<NumberMask>& won) {
    const auto count = [&](auto pred) {
        return static_cast<int>(std::count_if(c.begin(), c.end(), pred));
    };
    const auto neighbours = [&](int gap) {
        int pairs = 0;
        for (std::size_t i = 1; i < c.size(); ++i) pairs += c[i] - c[i - 1] == gap;
        return pairs;
    };
    std::array<int, 10> digits{};
    for (int n : c) ++digits[n % 10];
    NumberMask mask = 0;
    for (int n : c) mask |= Bit(n);
    switch (kind) {
        case FilterKind::Sum: {
            const int sum = std::accumulate(c.begin(), c.end(), 0);
            return !s.sum || (sum >= s.sum->first && sum <= s.sum->second);
        }
        case FilterKind::Odd:
            return !s.odd || Allows(*s.odd, count([](int n) { return n % 2 == 1; }));
        case FilterKind::Low:
            return !s.low || Allows(*s.low, count([](int n) { return n <= 18; }));
        case FilterKind::Consecutive:
            return !s.consecutive || Allows(*s.consecutive, neighbours(1));
        case FilterKind::SkipOne:
            return !s.skipOne || Allows(*s.skipOne, neighbours(2));
        case FilterKind::LastDigits:
            return !s.lastDigits ||
                   Allows(*s.lastDigits,
                          std::count_if(digits.begin(), digits.end(), [](int d) { return d > 0; }));
        case FilterKind::SameDigit:
            return !s.sameDigitMax ||
                   *std::max_element(digits.begin(), digits.end()) <= *s.sameDigitMax;
        case FilterKind::Range4:
        case FilterKind::Group6:
        case FilterKind::Group7:
        case FilterKind::Group9: {
            const int split = SplitIndex(kind);
            if (!s.splits[split]) return true;
            for (int g = 0; g < GroupCountOf(split); ++g) {
                if (!Allows((*s.splits[split])[g],
                            count([&](int n) { return WindowGroup(split, n) == g; }))) {
                    return false;
                }
            }
            return true;
        }
        case FilterKind::Include:
            return (mask & s.include) == s.include;
        case FilterKind::Exclude:
            return (mask & s.exclude) == 0;
        case FilterKind::AtLeast:
            for (const AtLeastRule& rule : s.atLeast) {
                if (std::popcount(mask & rule.of) < rule.count) return false;
            }
            return true;
        case FilterKind::CarryOver:
            return !s.carryOver || Allows(*s.carryOver, std::popcount(mask & previous));
        case FilterKind::NotWon:
            return !s.notWon || std::find(won.begin(), won.end(), mask) == won.end();
    }
    return false;
}

struct SmallCase {
    const char* name;
    std::function<void(FilterConditions&)> set;
};

TEST(CombinationSearch, EveryFilterCountsAsABruteForceOverTheSmallSpace) {
    const NumberMask previous = Mask({2, 3, 9, 11, 14, 20, 30});
    const std::vector<NumberMask> won = {Mask({1, 2, 3, 4, 5, 6, 7}),
                                         Mask({2, 4, 6, 8, 10, 12, 14}),
                                         Mask({3, 5, 7, 9, 11, 13, 37})};  // out of the space
    const FilterContext context{previous, &won};
    const std::vector<SmallCase> cases = {
        {"sum",
         [](FilterConditions& s) {
             s.sum = {{50, 60}};
         }},
        {"odd", [](FilterConditions& s) { s.odd = Set("3,4"); }},
        {"low", [](FilterConditions& s) { s.low = Set("7"); }},
        {"consecutive", [](FilterConditions& s) { s.consecutive = Set("0-1"); }},
        {"skip", [](FilterConditions& s) { s.skipOne = Set("2,4"); }},
        {"lastDigits", [](FilterConditions& s) { s.lastDigits = Set("5"); }},
        {"sameDigit", [](FilterConditions& s) { s.sameDigitMax = 1; }},
        {"range4", [](FilterConditions& s) { s.splits[0] = Split("2-4/*/*/*", 0); }},
        {"group6", [](FilterConditions& s) { s.splits[1] = Split("1-2/2/*/0/*/*", 1); }},
        {"group7", [](FilterConditions& s) { s.splits[2] = Split("1/1/*/*/*/*/*", 2); }},
        {"group9", [](FilterConditions& s) { s.splits[3] = Split("0-1/2/*/1-2/*/*/*/*/*", 3); }},
        {"include",
         [](FilterConditions& s) {
             s.include = Mask({4, 9});
         }},
        {"exclude",
         [](FilterConditions& s) {
             s.exclude = Mask({1, 15});
         }},
        {"atLeast",
         [](FilterConditions& s) {
             s.atLeast = {{3, Mask({2, 5, 8, 11})}};
         }},
        {"carry", [](FilterConditions& s) { s.carryOver = Set("2"); }},
        {"notWon", [](FilterConditions& s) { s.notWon = true; }},
        {"five together",
         [](FilterConditions& s) {
             s.sum = {{45, 70}}, s.odd = Set("3,4"), s.consecutive = Set("0,1,2");
             s.exclude = Mask({7}), s.notWon = true;
         }},
    };
    for (const SmallCase& c : cases) {
        FilterConditions conditions;
        c.set(conditions);
        std::uint64_t passing = 0;
        std::array<std::uint64_t, kFilterKindCount> alone{};
        std::vector<Combination> all;
        ForEachSubset(kSmallSpace, [&](const std::vector<int>& combo) {
            bool every = true;
            for (const FilterInfo& info : FilterCatalog()) {
                const bool pass = NaivePasses(info.kind, combo, conditions, previous, won);
                alone[static_cast<int>(info.kind)] += pass;
                every = every && pass;
            }
            if (every) {
                ++passing;
                Combination k;
                std::copy(combo.begin(), combo.end(), k.begin());
                all.push_back(k);
            }
        });
        for (int threads : {1, 2}) {
            const CombinationCounts counts =
                CountCombinations(conditions, context, threads, kSmallSpace);
            EXPECT_EQ(counts.total, 6435u) << c.name;
            EXPECT_EQ(counts.passing, passing) << c.name << " threads " << threads;
            EXPECT_EQ(counts.alone, alone) << c.name << " threads " << threads;
        }
        EXPECT_GT(passing, 0u) << c.name;
        // Every number of the small space is low.
        if (std::string_view(c.name) != "low") {
            EXPECT_LT(passing, 6435u) << c.name;
        }
        std::vector<std::uint64_t> ranks(passing);
        std::iota(ranks.begin(), ranks.end(), 0);
        EXPECT_EQ(PassingAtRanks(conditions, context, ranks, kSmallSpace), all) << c.name;
    }
}

TEST(CombinationSearch, WithoutFiltersEveryCombinationOfLoto7Passes) {
    for (int threads : {1, 2}) {
        const CombinationCounts counts =
            CountCombinations(FilterConditions{}, FilterContext{}, threads);
        EXPECT_EQ(counts.total, 10'295'472u);
        EXPECT_EQ(counts.passing, 10'295'472u);
        for (std::uint64_t alone : counts.alone) EXPECT_EQ(alone, 10'295'472u);
    }
}

TEST(CombinationSearch, AStopEndsTheSearchAndSaysSo) {
    int asked = 0;
    const CombinationCounts counts =
        CountCombinations(FilterConditions{}, FilterContext{}, 1, 37, [&] { return ++asked > 3; });
    EXPECT_FALSE(counts.completed);
    EXPECT_LT(counts.total, 10'295'472u);
}

// Measure boundaries: the groups, ranges, low numbers and odd numbers are
// those of the windows the filters are named after.
TEST(NumberFilter, GroupsAndClassesAreTheWindowsOwn) {
    for (int n = 1; n <= 37; ++n) {
        for (int split = 0; split < kSplitCount; ++split) {
            EXPECT_EQ(GroupOfNumber(split, n), WindowGroup(split, n)) << split << " " << n;
        }
        const Measures m = MeasureNumbers({n});
        EXPECT_EQ(m.low == 1, IsFirstClass(PatternKind::LowHigh, n)) << n;
        EXPECT_EQ(m.odd == 1, !IsFirstClass(PatternKind::EvenOdd, n)) << n;
        EXPECT_EQ(m.DigitCount(*LastDigit(n)), 1) << n;
    }
    EXPECT_EQ(GroupName(0, 0), "01～09");
    EXPECT_EQ(GroupName(1, 5), "Ｆ 31～37");
    EXPECT_EQ(GroupName(3, 8), "Ｉ 33～37");
}

int DataRow(int firstRow, int index) { return firstRow + index; }

std::vector<int> Sorted(const DrawRecord& d, int fields) {
    std::vector<int> numbers(d.numbers.begin(), d.numbers.begin() + fields);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// Every measure, applied to a draw the way its window applies it (the seven
// main numbers, or all nine), gives the window's own figures.
TEST(NumberFilter, MeasuresGiveTheWindowsFiguresOnTheBundledHistory) {
    const GlobalBas& g = RealHistory();
    ResultGrid sums, low, odd, pairs, ranges, digits, carry;
    BuildNumberSums(g, sums);
    BuildLowHighPatterns(g, low);
    BuildEvenOddPatterns(g, odd);
    BuildPairAnalysis(g, pairs);
    BuildRangeTable(g, ranges);
    BuildDigitTable(g, digits);
    BuildCarryOverTable(g, carry);
    std::array<ResultGrid, 3> groups;
    BuildGroupChart6(g, groups[0]);
    BuildGroupChart7(g, groups[1]);
    BuildGroupChart9(g, groups[2]);
    constexpr Rgb kNoPairGrey = MakeRgb(225, 225, 225);

    int index = 0;
    NumberMask previousNine = 0;
    for (const DrawRecord& d : g.Draws.Rows()) {
        ASSERT_TRUE(d.IsComplete());
        const Measures main = MeasureNumbers(Sorted(d, 7));
        const Measures nine = MeasureNumbers(Sorted(d, 9));
        const int r = DataRow(2, index);
        ASSERT_EQ(sums.ReadCell(9, r), std::to_string(main.sum)) << r;
        ASSERT_EQ(low.ReadCell(11, r), std::to_string(main.low)) << r;
        ASSERT_EQ(odd.ReadCell(12, r), std::to_string(main.odd)) << r;
        ASSERT_EQ(pairs.Cell(1, r).back == kNoPairGrey, main.consecutive == 0) << r;
        ASSERT_EQ(pairs.Cell(9, r).back == kNoPairGrey, main.skipOne == 0) << r;
        for (int range = 0; range < 4; ++range) {
            ASSERT_EQ(ranges.ReadCell(11 + range, r), std::to_string(nine.GroupCount(0, range)));
        }
        for (int digit = 0; digit < 10; ++digit) {
            ASSERT_EQ(
                static_cast<int>(digits.ReadCell(DigitColumn(digit), DataRow(3, index)).size()),
                nine.DigitCount(digit));
        }
        for (int split = 1; split < kSplitCount; ++split) {
            for (int n = 1; n <= 37; ++n) {
                const bool empty = nine.GroupCount(split, GroupOfNumber(split, n)) == 0;
                ASSERT_EQ(groups[split - 1].Cell(n + 1, DataRow(4, index)).back == kEmptyGroupGrey,
                          empty)
                    << split << " " << n;
            }
        }
        int marked = 0;
        for (int c = 2; c <= 10; ++c) marked += carry.Cell(c, r).back == kCarriedBack;
        ASSERT_EQ(marked, std::popcount(nine.mask & previousNine)) << r;
        previousNine = nine.mask;
        ++index;
    }
    EXPECT_EQ(index, 689);
}

// Counting the seven main numbers, not all nine, changes the figures a lot:
// a range without a main number is common, one without any of nine is not.
TEST(NumberFilter, EmptyRangesCountTheSevenMainNumbers) {
    const GlobalBas& g = RealHistory();
    int emptyMain = 0, emptyNine = 0;
    for (const DrawRecord& d : g.Draws.Rows()) {
        const Measures main = MeasureNumbers(Sorted(d, 7));
        const Measures nine = MeasureNumbers(Sorted(d, 9));
        bool mainEmpty = false, nineEmpty = false;
        for (int range = 0; range < 4; ++range) {
            mainEmpty = mainEmpty || main.GroupCount(0, range) == 0;
            nineEmpty = nineEmpty || nine.GroupCount(0, range) == 0;
        }
        emptyMain += mainEmpty;
        emptyNine += nineEmpty;
    }
    EXPECT_EQ(emptyMain, 294);
    EXPECT_EQ(emptyNine, 156);

    FilterConditions conditions;
    conditions.splits[0] = Split("1-7/1-7/1-7/1-7", 0);
    const PastPassCounts past = RatePastDraws(g.Draws, conditions);
    EXPECT_EQ(past.draws, 689);
    EXPECT_EQ(past.passing, 689 - 294);
}

// A past draw is judged as before it was drawn: carried numbers against the
// complete draw before it, already-won against the draws before it.
TEST(FilterHistory, PastDrawsAreJudgedAsBeforeTheyWereDrawn) {
    TestDraw incomplete{3, {1, 2, 3, 4, 5, 6, std::nullopt, 8, 9}};
    const GlobalBas g = MakeGlobals({
        Draw(1, {1, 2, 3, 4, 5, 6, 7, 30, 31}),
        Draw(2, {1, 2, 3, 10, 11, 12, 13, 20, 21}),  // carries 1, 2, 3
        incomplete,
        Draw(4, {1, 2, 3, 4, 5, 6, 7, 10, 11}),       // already won in draw 1; carries 1, 2, 3
        Draw(5, {1, 1, 3, 4, 5, 6, 7, 10, 11}),       // not seven different numbers: not rated
        Draw(6, {21, 22, 23, 24, 25, 26, 27, 1, 2}),  // carries nothing from draw 5's mains
    });
    FilterConditions conditions;
    conditions.carryOver = Set("3");
    conditions.notWon = true;
    const PastPassCounts past = RatePastDraws(g.Draws, conditions);
    EXPECT_EQ(past.draws, 4);
    EXPECT_EQ(past.alone[static_cast<int>(FilterKind::CarryOver)], 2);  // draws 2 and 4
    EXPECT_EQ(past.alone[static_cast<int>(FilterKind::NotWon)], 3);     // all but draw 4
    EXPECT_EQ(past.passing, 1);                                         // draw 2
    EXPECT_EQ(past.alone[static_cast<int>(FilterKind::Sum)], 4);

    const FilterHistory history = ReadFilterHistory(g.Draws);
    EXPECT_EQ(history.latestDraw, 6);
    EXPECT_EQ(history.latest, Mask({21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(history.won.size(), 3u);  // draws 1 (= 4), 2 and 6
}

// A row added in the entry window and not filled yet is no draw: the carry
// filter still compares with the last complete draw, and no past count moves.
TEST(FilterHistory, AnEmptyLastRowIsNoDraw) {
    const std::vector<std::optional<int>> empty(9);
    const GlobalBas g =
        MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 30, 31}),
                     Draw(2, {1, 2, 3, 10, 11, 12, 13, 20, 21}), TestDraw{3, empty}});
    const FilterHistory history = ReadFilterHistory(g.Draws);
    EXPECT_EQ(history.latestDraw, 2);
    EXPECT_EQ(history.latest, Mask({1, 2, 3, 10, 11, 12, 13}));
    FilterConditions conditions;
    conditions.carryOver = Set("3");
    const PastPassCounts past = RatePastDraws(g.Draws, conditions);
    EXPECT_EQ(past.draws, 2);
    EXPECT_EQ(past.passing, 1);  // draw 2 carries 1, 2, 3 from draw 1
}

// What the filter window and the JSON say of a condition: runs of three or
// more counts as a range, two side by side as a list; a sum range may be one
// value.
TEST(FilterTexts, CountsReadAsTypedAndASumRangeMayBeOneValue) {
    EXPECT_EQ(CountSetText(*Set("3,4")), "3,4");
    EXPECT_EQ(CountSetText(*Set("3,4,5")), "3～5");
    EXPECT_EQ(CountSetText(*Set("0,2,3")), "0,2,3");
    EXPECT_EQ(CountSetText(*Set("1,2,3,5,6")), "1～3,5,6");
    EXPECT_EQ(ParseSumRange("120-120", "本数字合計"), std::make_pair(120, 120));
    EXPECT_THROW(ParseSumRange("121-120", "本数字合計"), UserError);
}

// On the numbers 1 … 22 (170,544 combinations), so that the spread search,
// which walks the whole space for each ticket, stays quick.
TEST(GenerateTickets, TheSameSeedGivesTheSameTicketsThatPassTheFilters) {
    constexpr int kSpace = 22;
    FilterConditions conditions;
    conditions.sum = {{60, 100}};
    conditions.odd = Set("3,4");
    conditions.exclude = Mask({13});
    const CombinationCounts counts = CountCombinations(conditions, FilterContext{}, 2, kSpace);
    for (TicketMethod method : {TicketMethod::Random, TicketMethod::Spread}) {
        const TicketRequest request{.count = 5, .seed = 2024, .method = method};
        const auto generate = [&](const TicketRequest& r) {
            return GenerateTickets(conditions, FilterContext{}, counts.passing, r, kSpace);
        };
        const auto first = generate(request);
        ASSERT_EQ(first.size(), 5u);
        EXPECT_EQ(generate(request), first);
        TicketRequest other = request;
        other.seed = 2025;
        EXPECT_NE(generate(other), first);
        NumberMask covered = 0;
        std::set<Combination> distinct(first.begin(), first.end());
        EXPECT_EQ(distinct.size(), first.size());
        for (const Combination& t : first) {
            EXPECT_TRUE(std::is_sorted(t.begin(), t.end()));
            EXPECT_LE(t.back(), kSpace);
            const Measures m = MeasureNumbers(std::vector<int>(t.begin(), t.end()));
            for (const FilterInfo& info : FilterCatalog()) {
                EXPECT_TRUE(Passes(info.kind, m, conditions, FilterContext{})) << info.key;
            }
            covered |= m.mask;
        }
        // Spread tickets use every one of the 21 numbers allowed.
        if (method == TicketMethod::Spread) {
            EXPECT_EQ(std::popcount(covered), 21);
        }
    }
}

TEST(GenerateTickets, AskingForMoreThanPassGivesEveryPassingCombination) {
    FilterConditions conditions;
    conditions.include = Mask({1, 2, 3, 4, 5, 6});
    conditions.exclude = Mask({37});
    const CombinationCounts counts = CountCombinations(conditions, FilterContext{}, 1);
    ASSERT_EQ(counts.passing, 30u);
    const auto tickets =
        GenerateTickets(conditions, FilterContext{}, counts.passing, {.count = 100});
    EXPECT_EQ(std::set<Combination>(tickets.begin(), tickets.end()).size(), 30u);
}

TEST(NumberFilter, InputIsReadOrRefusedWithAMessage) {
    struct Case {
        const char* text;
        std::optional<CountSet> set;  // nullopt: refused
    };
    const Case cases[] = {
        {"3,4", 0b11000},    {"３，４", 0b11000},  {"0-2", 0b111},       {"0～2,5", 0b100111},
        {" 1 - 3 ", 0b1110}, {"7", 0b10000000},    {"8", std::nullopt},  {"3-1", std::nullopt},
        {"a", std::nullopt}, {"3,", std::nullopt}, {"-1", std::nullopt}, {"1-2-3", std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<CountSet> set;
        const std::string problem =
            RefusalOf([&] { set = ParseCountSet(c.text, "奇数の個数", 7); });
        EXPECT_EQ(problem.empty(), c.set.has_value()) << c.text;
        if (problem.empty()) {
            EXPECT_EQ(set, c.set) << c.text;
        } else {
            EXPECT_NE(problem.find("奇数の個数"), std::string::npos) << problem;
        }
    }
    EXPECT_FALSE(ParseCountSet("  ", "x", 7));

    EXPECT_EQ(ParseSumRange("100-160", "本数字合計"), std::make_pair(100, 160));
    EXPECT_EQ(RefusalOf([] { ParseSumRange("160-100", "本数字合計"); }),
              "本数字合計の「160-100」は、下限が上限より大きくなっています。");
    EXPECT_NE(RefusalOf([] { ParseSumRange("100", "本数字合計"); }), "");

    EXPECT_EQ(ParseNumbers("3,７,21", "x"), Mask({3, 7, 21}));
    for (const char* bad : {"0", "38", "3,3", "3;4"}) {
        EXPECT_NE(RefusalOf([&] { ParseNumbers(bad, "x"); }), "") << bad;
    }
    EXPECT_NE(RefusalOf([] { ParseSplitSets("1/2/3", "x", 0); }).find("4個のグループ"),
              std::string::npos);
    const std::optional<std::vector<CountSet>> split = ParseSplitSets("0-2/*//1", "x", 0);
    EXPECT_EQ(split, (std::vector<CountSet>{0b111, kAnyCount, kAnyCount, 0b10}));
}

}  // namespace
