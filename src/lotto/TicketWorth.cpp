#include "lotto/TicketWorth.h"

#include <cmath>

#include "core/PurchasedTicket.h"
#include "core/YenText.h"
#include "lotto/LotoChance.h"
#include "lotto/PrizeShares.h"
#include "lotto/PrizeTier.h"

namespace {

double AllTickets() { return static_cast<double>(Binomial(kHighestNumber, kTicketNumberCount)); }

// The variance of one unit's prize at the theoretical amounts.
double UnitVariance(int drawNumber) {
    double square = 0;
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        const double p = static_cast<double>(TierCombinations(t)) / AllTickets();
        const double yen = static_cast<double>(TheoreticalPrize(t, drawNumber));
        square += p * yen * yen;
    }
    const double mean = kAveragePayoutYen;
    return std::max(0.0, square - mean * mean);
}

}  // namespace

TicketWorth WorthOf(std::int64_t units, int drawNumber) {
    TicketWorth w;
    w.units = std::max<std::int64_t>(0, units);
    w.cost = w.units * kTicketUnitPrice;
    w.expectedPrize = w.units * kAveragePayoutYen;
    w.spread = std::sqrt(UnitVariance(drawNumber) * static_cast<double>(w.units));
    return w;
}

std::int64_t ExpectedWithCarryOver(std::int64_t carryOver) {
    const auto all = static_cast<std::int64_t>(Binomial(kHighestNumber, kTicketNumberCount));
    return kAveragePayoutYen + (std::max<std::int64_t>(0, carryOver) + all / 2) / all;
}

std::string RoughYenText(double yen) {
    if (!(yen > 0)) return "0円";
    const double step = std::pow(10.0, std::max(0.0, std::floor(std::log10(yen)) - 2));
    return YenText(static_cast<std::int64_t>(std::llround(yen / step) * step));
}

std::string TicketWorthText(std::int64_t units, int nextDraw,
                            std::optional<std::int64_t> carryOver) {
    std::string text = "1口300円の平均の払戻しは約135円（売上の45 %が賞金）です。";
    if (units > 0) {
        const TicketWorth w = WorthOf(units, nextDraw);
        text += GroupedDigits(w.units) + "口（" + YenText(w.cost) + "）では払戻しの期待値" +
                YenText(w.expectedPrize) + "、ばらつき（標準偏差）約" + RoughYenText(w.spread) +
                "、期待収支" + YenText(w.ExpectedBalance()) + "です。";
    }
    if (carryOver && *carryOver > 0) {
        text += "第" + std::to_string(nextDraw) + "回はキャリーオーバー" + YenText(*carryOver) +
                "があり、1口の期待値は約" + YenText(ExpectedWithCarryOver(*carryOver)) +
                "です（1等を分け合う場合と1等の上限は考えていません）。";
    }
    return text;
}
