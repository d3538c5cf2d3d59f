#include "tickets/TicketCheck.h"

#include <algorithm>
#include <bit>

#include "core/PopcountClones.h"
#include "lotto/LotoChance.h"
#include "tickets/TicketMoney.h"

DrawMasks::DrawMasks(const DrawStore& store) {
    int highest = 0;
    for (const DrawRecord& row : store.Rows()) {
        if (!row.IsComplete() || row.drawNumber < 1) continue;
        Draw d;
        d.drawNumber = row.drawNumber;
        std::array<int, kMainCount> main{};
        for (int i = 0; i < kMainCount; ++i) main[i] = row.Main(i);
        const std::array<int, 2> bonus{row.Bonus1(), row.Bonus2()};
        d.main = NumberSet(main);
        d.bonus = NumberSet(bonus);
        draws_.push_back(d);
        highest = std::max(highest, d.drawNumber);
    }
    indexOfDraw_.assign(static_cast<std::size_t>(highest) + 1, -1);
    for (int i = 0; i < static_cast<int>(draws_.size()); ++i) {
        indexOfDraw_[static_cast<std::size_t>(draws_[i].drawNumber)] = i;
    }
    words_ = (draws_.size() + 63) / 64;
    mainHas_.assign(Row(kHighestNumber + 1), 0);
    bonusHas_.assign(Row(kHighestNumber + 1), 0);
    for (std::size_t i = 0; i < draws_.size(); ++i) {
        const std::uint64_t bit = std::uint64_t{1} << (i % 64);
        for (std::uint64_t m = draws_[i].main; m; m &= m - 1) {
            mainHas_[Row(std::countr_zero(m)) + i / 64] |= bit;
        }
        for (std::uint64_t b = draws_[i].bonus; b; b &= b - 1) {
            bonusHas_[Row(std::countr_zero(b)) + i / 64] |= bit;
        }
    }
}

const DrawMasks::Draw* DrawMasks::Find(int drawNumber) const {
    if (drawNumber < 0 || drawNumber >= static_cast<int>(indexOfDraw_.size())) return nullptr;
    const int index = indexOfDraw_[static_cast<std::size_t>(drawNumber)];
    return index < 0 ? nullptr : &draws_[static_cast<std::size_t>(index)];
}

TicketScore ScoreMasks(std::uint64_t ticket, const DrawMasks::Draw& draw) {
    TicketScore score;
    score.mainMatches = std::popcount(ticket & draw.main);
    score.bonusMatches = std::popcount(ticket & draw.bonus);
    score.tier = PrizeTier(score.mainMatches, score.bonusMatches);
    return score;
}

std::vector<TicketOutcome> CheckTicket(const PurchasedTicket& ticket, const DrawMasks& draws) {
    const std::uint64_t set = NumberSet(ticket.numbers);
    std::vector<TicketOutcome> outcomes;
    outcomes.reserve(static_cast<std::size_t>(std::max(0, ticket.DrawCount())));
    for (int n = ticket.firstDraw; n <= ticket.lastDraw; ++n) {
        TicketOutcome o;
        o.drawNumber = n;
        if (const DrawMasks::Draw* draw = draws.Find(n)) {
            o.drawn = true;
            o.score = ScoreMasks(set, *draw);
        }
        outcomes.push_back(o);
    }
    return outcomes;
}

void TicketSummary::Add(const PurchasedTicket& ticket, const TicketOutcome& o,
                        const TicketYen& yen) {
    units += ticket.units;
    cost += 1LL * ticket.units * kTicketUnitPrice;
    if (!o.drawn) {
        pendingUnits += ticket.units;
        return;
    }
    unitsByTier[o.score.tier] += ticket.units;
    if (o.score.tier > 0 && (bestTier == 0 || o.score.tier < bestTier)) bestTier = o.score.tier;
    spent += yen.cost;
    won += yen.prize;
    estimated += yen.estimate;
    if (!yen.prizeKnown) unknownUnits += ticket.units;
}

namespace {

// Every draw at once, 64 to a word: the main matches of each draw counted
// in three bit planes (c0 + 2·c1 + 4·c2) as the ticket's numbers are added
// one by one, whether a bonus number matched in one more, then each tier's
// draws counted by popcount.  A win of 4等 or better (rare) is scored draw
// by draw, in draw order.
LOTO7_POPCOUNT_CLONES void TallyTiers(std::uint64_t ticket, const DrawMasks& draws,
                                      std::array<int, kPrizeTierCount + 1>& tierCounts,
                                      std::vector<QuickCheckResult::Win>& wins) {
    std::array<int, kTicketNumberCount> numbers{};
    int count = 0;
    for (std::uint64_t rest = ticket & ((std::uint64_t{2} << kHighestNumber) - 1);
         rest && count < kTicketNumberCount; rest &= rest - 1) {
        numbers[static_cast<std::size_t>(count++)] = std::countr_zero(rest);
    }
    int drawsWon = 0;
    for (std::size_t w = 0; w < draws.WordCount(); ++w) {
        std::uint64_t c0 = 0, c1 = 0, c2 = 0, bonus = 0;
        for (int k = 0; k < count; ++k) {
            const std::uint64_t x = draws.MainHolding(numbers[static_cast<std::size_t>(k)])[w];
            const std::uint64_t carry0 = c0 & x;
            c0 ^= x;
            const std::uint64_t carry1 = c1 & carry0;
            c1 ^= carry0;
            c2 |= carry1;  // seven numbers never carry past 4
            bonus |= draws.BonusHolding(numbers[static_cast<std::size_t>(k)])[w];
        }
        const std::uint64_t seven = c0 & c1 & c2, six = ~c0 & c1 & c2, five = c0 & ~c1 & c2;
        const std::uint64_t four = ~c0 & ~c1 & c2, three = c0 & c1 & ~c2;
        const int counted[] = {0,
                               std::popcount(seven),
                               std::popcount(six & bonus),
                               std::popcount(six & ~bonus),
                               std::popcount(five),
                               std::popcount(four),
                               std::popcount(three & bonus)};
        for (int tier = 1; tier <= kPrizeTierCount; ++tier) {
            tierCounts[static_cast<std::size_t>(tier)] += counted[tier];
            drawsWon += counted[tier];
        }
        for (std::uint64_t big = seven | six | five; big; big &= big - 1) {
            const DrawMasks::Draw& d = draws.Draws()[w * 64 + std::countr_zero(big)];
            wins.push_back({d.drawNumber, ScoreMasks(ticket, d)});
        }
    }
    tierCounts[0] += static_cast<int>(draws.Draws().size()) - drawsWon;
}

}  // namespace

QuickCheckResult QuickCheck(const std::array<int, kTicketNumberCount>& numbers,
                            const DrawMasks& draws) {
    QuickCheckResult r;
    TallyTiers(NumberSet(numbers), draws, r.tierCounts, r.bigWins);
    r.draws = static_cast<int>(draws.Draws().size());
    double winning = 0;
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        const double p = static_cast<double>(TierProbability(t));
        r.expectedCounts[t] = p * r.draws;
        winning += p;
    }
    r.expectedCounts[0] = (1.0 - winning) * r.draws;
    return r;
}

const char* TierName(int tier) {
    static constexpr const char* kNames[] = {"はずれ", "1等", "2等", "3等", "4等", "5等", "6等"};
    return tier >= 0 && tier <= kPrizeTierCount ? kNames[tier] : "";
}
