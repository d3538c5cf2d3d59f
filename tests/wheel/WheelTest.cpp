#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "lotto/LotoChance.h"
#include "lotto/PrizeTier.h"
#include "support/TestSupport.h"
#include "wheel/WheelBounds.h"
#include "wheel/WheelCover.h"
#include "wheel/WheelOdds.h"
#include "wheel/WheelSearch.h"
#include "wheel/WheelText.h"
#include "wheel/WheelVerify.h"

namespace {

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
    return numbers;
}

// Tickets of 1 … v, each leaving out the given numbers.
std::vector<NumberMask> Leaving(int v, const std::vector<std::vector<int>>& leftOut) {
    std::vector<NumberMask> tickets;
    for (const std::vector<int>& out : leftOut)
        tickets.push_back(MaskOf(Range(1, v)) & ~MaskOf(out));
    return tickets;
}

TEST(WheelVerify, NamesTheCaseAHandMadeDesignMissesByEitherMethod) {
    for (GuaranteeMethod method : {GuaranteeMethod::kScan, GuaranteeMethod::kSubsets}) {
        SCOPED_TRACE(static_cast<int>(method));
        const auto check = [&](const std::vector<NumberMask>& tickets, const WheelRequest& r) {
            return CheckGuarantee(tickets, r, method);
        };
        // Leaving out 1, 2, 3 and 4 in turn covers every 3-set of 1 … 8: a
        // 3-set is missed only when it holds every number left out.
        const WheelRequest request{Range(1, 8), {}, 3, 3};
        const GuaranteeCheck full = check(Leaving(8, {{1}, {2}, {3}, {4}}), request);
        EXPECT_TRUE(full.holds);
        EXPECT_EQ(full.cases, 56u);
        const GuaranteeCheck short1 = check(Leaving(8, {{1}, {2}, {3}}), request);
        EXPECT_FALSE(short1.holds);
        EXPECT_EQ(short1.missedCase, (std::vector<int>{1, 2, 3}));
        // Keys: every case holds them, so {1,2} alone is checked with key 1 …
        const std::vector<NumberMask> keyed = {MaskOf(Range(1, 7)),
                                               MaskOf({1, 8, 9, 10, 11, 12, 13})};
        EXPECT_TRUE(check(keyed, {Range(1, 13), {1}, 2, 2}).holds);
        // … without it the pair {2, 8} is in no ticket.
        EXPECT_EQ(check(keyed, {Range(1, 13), {}, 2, 2}).missedCase, (std::vector<int>{2, 8}));
        // Numbers of a ticket outside the chosen ones match no case.
        EXPECT_EQ(check({MaskOf({1, 20, 21, 22, 23, 24, 25})}, {Range(1, 3), {}, 2, 2}).missedCase,
                  (std::vector<int>{1, 2}));
    }
}

TEST(WheelVerify, ScanAndSubsetsAgreeOnRandomTicketSets) {
    std::mt19937_64 random(7);
    int failing = 0;
    for (int round = 0; round < 300; ++round) {
        const int v = std::uniform_int_distribution<int>(7, 14)(random);
        const int m = std::uniform_int_distribution<int>(1, 7)(random);
        const int t = std::uniform_int_distribution<int>(1, m)(random);
        const int keyCount = std::uniform_int_distribution<int>(0, std::min(2, m - 1))(random);
        std::vector<int> numbers = Range(1, 20);
        std::shuffle(numbers.begin(), numbers.end(), random);
        const std::vector<int> chosen(numbers.begin(), numbers.begin() + v);
        const std::vector<int> keys(chosen.begin(), chosen.begin() + keyCount);
        std::vector<NumberMask> tickets;
        const int count = std::uniform_int_distribution<int>(1, 12)(random);
        for (int i = 0; i < count; ++i) {
            std::shuffle(numbers.begin(), numbers.end(), random);
            tickets.push_back(MaskOf(std::vector<int>(numbers.begin(), numbers.begin() + 7)));
        }
        const WheelRequest request{chosen, keys, t, m};
        const GuaranteeCheck scan = CheckGuarantee(tickets, request, GuaranteeMethod::kScan);
        const GuaranteeCheck subsets = CheckGuarantee(tickets, request, GuaranteeMethod::kSubsets);
        ASSERT_EQ(scan.holds, subsets.holds) << "round " << round;
        ASSERT_EQ(scan.missedCase, subsets.missedCase) << "round " << round;
        failing += !scan.holds;
    }
    EXPECT_GT(failing, 50);  // both answers are exercised
    EXPECT_LT(failing, 250);
}

TEST(WheelVerify, TableOfTwoDisjointTicketsFollowsThePigeonholes) {
    // m numbers drawn among 14 split over two tickets: one holds ⌈m/2⌉.
    const std::vector<NumberMask> tickets = {MaskOf(Range(1, 7)), MaskOf(Range(8, 14))};
    const std::vector<GuaranteeLine> table = GuaranteeTable(tickets, MaskOf(Range(1, 14)), 0);
    ASSERT_EQ(table.size(), 7u);
    for (const GuaranteeLine& line : table) {
        EXPECT_EQ(line.guaranteed, (line.m + 1) / 2) << "m = " << line.m;
        EXPECT_EQ(static_cast<int>(line.worstCase.size()), line.m);
    }
    // A number in no ticket: one drawn number may match nothing.
    const std::vector<GuaranteeLine> wider = GuaranteeTable(tickets, MaskOf(Range(1, 15)), 0);
    EXPECT_EQ(wider[0].guaranteed, 0);
    EXPECT_EQ(wider[0].worstCase, (std::vector<int>{15}));
}

TEST(WheelBounds, SchoenheimAndCountingBounds) {
    EXPECT_EQ(SchoenheimBound(8, 7, 3), 4u);
    EXPECT_EQ(SchoenheimBound(9, 7, 6), 16u);
    EXPECT_EQ(SchoenheimBound(10, 7, 6), 39u);
    EXPECT_EQ(SchoenheimBound(12, 7, 4), 19u);
    // 3 if 4 over 10: C(10,4) = 210 cases; a block covers 35·3 + 35 = 140.
    EXPECT_EQ(CountingBound(10, 7, 3, 4), 2u);
    const WheelProblem keyed = MakeWheelProblem({Range(1, 12), {1, 2}, 4, 4});
    EXPECT_EQ(LowerBound(keyed).tickets, SchoenheimBound(10, 5, 2));
}

// Every draw of 1 … 37 and, where a ticket's tier depends on it, every bonus
// pair, scored by PrizeTier as the back-test scores tickets.
TicketSetOdds BruteForceOdds(const std::vector<NumberMask>& tickets) {
    TicketSetOdds odds;
    const std::uint64_t all = (std::uint64_t{1} << 37) - 1;
    const auto score = [&](NumberMask main, NumberMask bonus, std::uint64_t weight) {
        bool won[7] = {};
        for (NumberMask t : tickets) {
            won[PrizeTier(std::popcount(t & main), std::popcount(t & bonus))] = true;
        }
        bool any = false;
        for (int tier = 1; tier <= 6; ++tier) {
            if (won[tier]) odds.tierOutcomes[tier] += weight;
            any = any || won[tier];
        }
        if (any) odds.anyOutcomes += weight;
    };
    // A bonus number outside every ticket changes no score: such pairs are
    // scored once, weighted by how many there are.
    NumberMask used = 0;
    for (NumberMask t : tickets) used |= t;
    int inside[30];
    for (std::uint64_t set = 0x7F; set <= all; set = NextSameSize(set)) {
        const NumberMask main = set << 1;
        bool bonusMatters = false;
        for (NumberMask t : tickets) {
            const int m = std::popcount(t & main);
            bonusMatters = bonusMatters || m == 6 || m == 3;
        }
        if (!bonusMatters) {
            score(main, 0, 435);
            continue;
        }
        int count = 0;
        for (int n = 1; n <= 37; ++n) {
            if (!(main >> n & 1) && (used >> n & 1)) inside[count++] = n;
        }
        const std::uint64_t outside = 30 - count;
        score(main, 0, outside * (outside - 1) / 2);
        for (int a = 0; a < count; ++a) {
            const NumberMask bonusA = NumberMask{1} << inside[a];
            score(main, bonusA, outside);
            for (int b = a + 1; b < count; ++b) {
                score(main, bonusA | (NumberMask{1} << inside[b]), 1);
            }
        }
    }
    return odds;
}

TEST(WheelOdds, ExactOddsMatchEveryDrawAndBonusPair) {
    const std::vector<NumberMask> tickets = {MaskOf({1, 2, 3, 4, 5, 6, 7}),
                                             MaskOf({1, 2, 3, 4, 5, 6, 8}),
                                             MaskOf({5, 9, 10, 11, 12, 13, 14})};
    const TicketSetOdds exact = *ExactOdds(tickets);
    const TicketSetOdds brute = BruteForceOdds(tickets);
    EXPECT_EQ(exact.tierOutcomes, brute.tierOutcomes);
    EXPECT_EQ(exact.anyOutcomes, brute.anyOutcomes);
    // One ticket: the single-ticket chances; a random set of one the same.
    const TicketSetOdds one = *ExactOdds({MaskOf({3, 9, 14, 20, 26, 31, 37})});
    for (int tier = 1; tier <= 6; ++tier) {
        EXPECT_NEAR(static_cast<double>(one.Tier(tier)), static_cast<double>(TierProbability(tier)),
                    1e-15);
        EXPECT_NEAR(static_cast<double>(RandomTicketsChance(tier, 1)),
                    static_cast<double>(TierProbability(tier)), 1e-15);
    }
    EXPECT_EQ(one.tierOutcomes[1], 435u);  // the one draw, any bonus pair
}

struct ExactSize {
    int v, t;
    std::size_t size;
};

TEST(WheelCover, SwapsKeepTheCountsOfAFreshCount) {
    // Random point swaps, each told beforehand how many cases it uncovers,
    // end with the counts a cover built afresh from the same blocks has: a
    // covering, a lotto design (cases larger than the matches needed) and one
    // with keys.
    const std::vector<WheelRequest> requests = {
        {Range(1, 12), {}, 4, 4}, {Range(1, 14), {}, 3, 5}, {Range(1, 13), {2, 9}, 4, 6}};
    for (const WheelRequest& request : requests) {
        const WheelProblem p = MakeWheelProblem(request);
        WheelCover cover(p);
        std::mt19937_64 random(11);
        const auto point = [&] { return static_cast<int>(random() % p.PointCount()); };
        for (int b = 0; b < 6; ++b) {
            std::uint64_t block = 0;
            while (std::popcount(block) < p.blockSize) block |= std::uint64_t{1} << point();
            cover.AddBlock(block);
        }
        for (int move = 0; move < 3000; ++move) {
            const std::size_t index = random() % cover.Blocks().size();
            const std::uint64_t block = cover.Blocks()[index];
            int out = point(), in = point();
            while (!(block >> out & 1)) out = point();
            while (block >> in & 1) in = point();
            const long before = static_cast<long>(cover.UncoveredCount());
            const long delta = cover.SwapDelta(index, out, in);
            if (move % 3 == 0) {  // a look at another swap first
                const int other = std::countr_zero(block & ~(std::uint64_t{1} << out));
                cover.SwapDelta(index, other, in);
            }
            cover.Swap(index, out, in);
            ASSERT_EQ(static_cast<long>(cover.UncoveredCount()) - before, delta) << move;
        }
        WheelCover fresh(p);
        for (std::uint64_t block : cover.Blocks()) fresh.AddBlock(block);
        EXPECT_EQ(fresh.UncoveredCount(), cover.UncoveredCount());
        for (std::uint32_t c = 0; c < cover.CaseCount(); ++c) {
            ASSERT_EQ(fresh.IsCovered(c), cover.IsCovered(c)) << c;
        }
    }
}

TEST(WheelSearch, ReachesTheKnownExactCoveringSizes) {
    for (const ExactSize& e : {ExactSize{8, 3, 4}, ExactSize{8, 6, 7}, ExactSize{9, 6, 16},
                               ExactSize{10, 6, 45}, ExactSize{11, 6, 84}}) {
        const WheelRequest request{Range(1, e.v), {}, e.t, e.t};
        const std::optional<WheelResult> result =
            SearchWheel(request, {.seconds = 60, .seed = 7, .enough = e.size, .reserve = {}});
        ASSERT_TRUE(result) << e.v << "," << e.t;
        EXPECT_EQ(result->tickets.size(), e.size) << "C(" << e.v << ",7," << e.t << ")";
        EXPECT_TRUE(CheckGuarantee(result->tickets, request).holds);
    }
}

TEST(WheelSearch, NeverReturnsAnUnverifiedSet) {
    // A set missing a case is refused, not returned.
    std::vector<NumberMask> missing = Leaving(8, {{1}, {2}, {3}});
    EXPECT_FALSE(AcceptVerified(missing, {Range(1, 8), {}, 3, 3}));
    // Coverings, lotto designs and keys: each result passes the check, holds
    // the keys, and is no larger than its greedy start.
    const std::vector<WheelRequest> requests = {
        {Range(1, 12), {}, 4, 4}, {Range(1, 15), {}, 3, 5},  {Range(1, 14), {2, 9}, 4, 5},
        {Range(1, 20), {}, 3, 3}, {Range(10, 19), {}, 5, 7}, {Range(1, 9), {1, 2, 3}, 2, 3},
    };
    for (const WheelRequest& request : requests) {
        const std::optional<WheelResult> result =
            SearchWheel(request, {.seconds = 0.3, .seed = 3, .enough = 0, .reserve = {}});
        ASSERT_TRUE(result);
        EXPECT_TRUE(CheckGuarantee(result->tickets, request).holds);
        EXPECT_TRUE(result->check.holds);
        EXPECT_EQ(result->check.cases, GuaranteeCaseCount(request));
        EXPECT_LE(result->tickets.size(), result->greedyTickets);
        EXPECT_GE(result->tickets.size(), result->bound.tickets);
        for (NumberMask t : result->tickets) {
            EXPECT_EQ(std::popcount(t), 7);
            EXPECT_EQ(t & MaskOf(request.keys), MaskOf(request.keys));
            EXPECT_EQ(t & ~MaskOf(request.numbers), 0u);
        }
    }
    // Stopped before the greedy start is verified: nothing, not half a set.
    EXPECT_FALSE(
        SearchWheel({Range(1, 20), {}, 5, 5}, {}, [](const WheelProgress&) { return false; }));
    // Out of time before the greedy start is made (it needs about a second
    // here): the rest is covered a case a ticket, and the set is verified.
    // With keys the cases are smaller than the blocks.
    for (const WheelRequest& large :
         {WheelRequest{Range(1, 24), {}, 6, 6}, WheelRequest{Range(1, 26), {5}, 5, 6}}) {
        const std::optional<WheelResult> cut =
            SearchWheel(large, {.seconds = 0.001, .seed = 1, .enough = 0, .reserve = {}});
        ASSERT_TRUE(cut);
        EXPECT_TRUE(cut->startCut);
        EXPECT_TRUE(CheckGuarantee(cut->tickets, large).holds);
        EXPECT_EQ(cut->tickets.size(), cut->greedyTickets);
    }
}

TEST(WheelSearch, SameSeedSameStartAndRequestsChecked) {
    const WheelRequest request{Range(1, 16), {}, 4, 4};
    EXPECT_EQ(GreedyWheel(request, 5)->tickets, GreedyWheel(request, 5)->tickets);
    // The search too follows one path for a seed, however fast it runs: two
    // runs stopping at the first set of 25 or fewer give the same set.
    const WheelRequest twelve{Range(1, 12), {}, 4, 4};
    const WheelSearchOptions options{.seconds = 60, .seed = 9, .enough = 25, .reserve = {}};
    const std::optional<WheelResult> first = SearchWheel(twelve, options);
    ASSERT_TRUE(first);
    EXPECT_LE(first->tickets.size(), 25u);
    EXPECT_EQ(SearchWheel(twelve, options)->tickets, first->tickets);
    const struct {
        WheelRequest request;
        const char* reason;
    } bad[] = {
        {{Range(1, 7), {}, 3, 3}, "数字は8個以上選んでください（いま7個）。"},
        {{Range(1, 8), {9}, 3, 3}, "キー数字「9」が選んだ数字にありません。"},
        {{Range(0, 8), {}, 3, 3}, "数字「0」は1～37の範囲にありません。"},
        {{Range(1, 9), {}, 4, 3}, "保証は「t/m」で、1 ≦ t ≦ m ≦ 7 の数で指定してください。"},
        {{Range(1, 9), {1, 2, 3}, 2, 2}, "mはキー数字の個数（3）以上にしてください。"},
    };
    for (const auto& b : bad) EXPECT_EQ(RefusalOf([&] { CheckWheelRequest(b.request); }), b.reason);
    EXPECT_EQ(ParseNumberList(" 1-4, 9 ,12-13"), (std::vector<int>{1, 2, 3, 4, 9, 12, 13}));
    EXPECT_FALSE(ParseNumberList("1,,2"));
    EXPECT_FALSE(ParseNumberList("5-3"));
    EXPECT_EQ(ParseGuarantee(" 4 / 5"), (std::pair{4, 5}));
    EXPECT_NE(RefusalOf([] { CheckWheelSearchLimit({Range(1, 37), {}, 6, 7}); }), "");
    EXPECT_EQ(RefusalOf([] { CheckWheelSearchLimit({Range(1, 20), {}, 5, 5}); }), "");
}

}  // namespace

namespace {

// Five tickets of 1 … 8 each leaving out one of 1 … 5: whichever four of the
// eight are drawn, one ticket holds them all, which is 5等 at least.
TEST(WheelWorth, TheGuaranteeIsPricedAtTheTheoreticalPrizeBesideTheCost) {
    const std::vector<NumberMask> tickets = Leaving(8, {{1}, {2}, {3}, {4}, {5}});
    const WheelReport four = ReportOfTickets(tickets, Range(1, 8), std::pair{4, 4});
    ASSERT_TRUE(four.check.holds);
    EXPECT_EQ(WheelWorthText(four),
              "購入額1,500円、払戻しの期待値675円（1口135円）、期待収支-825円。"
              "4個出たときの保証は5等1口以上（理論上1,400円）");
    ASSERT_TRUE(GuaranteedPrizeOf(four));
    EXPECT_EQ(GuaranteedPrizeOf(four)->yen, 1'400);
    // Three main numbers alone win nothing; a guarantee that fails prices nothing.
    const WheelReport three = ReportOfTickets(tickets, Range(1, 8), std::pair{3, 3});
    EXPECT_FALSE(GuaranteedPrizeOf(three));
    EXPECT_NE(WheelWorthText(three).find("保証する3個の一致だけでは当せんしません"),
              std::string::npos);
    const WheelReport five = ReportOfTickets(tickets, Range(1, 8), std::pair{5, 5});
    EXPECT_FALSE(five.check.holds);
    EXPECT_EQ(WheelWorthText(five),
              "購入額1,500円、払戻しの期待値675円（1口135円）、期待収支-825円");
}

}  // namespace
