#include "prediction/TicketCheck.h"

#include <algorithm>
#include <bit>

#include "prediction/LotoChance.h"

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

QuickCheckResult QuickCheck(const std::array<int, kTicketNumberCount>& numbers,
                            const DrawMasks& draws) {
    const std::uint64_t set = NumberSet(numbers);
    QuickCheckResult r;
    for (const DrawMasks::Draw& draw : draws.Draws()) {
        const TicketScore score = ScoreMasks(set, draw);
        ++r.tierCounts[score.tier];
        if (score.tier >= 1 && score.tier <= kBigWinTier)
            r.bigWins.push_back({draw.drawNumber, score});
    }
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
