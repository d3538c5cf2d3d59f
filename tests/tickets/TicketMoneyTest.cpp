#include <gtest/gtest.h>

#include <QDate>
#include <sstream>

#include "core/GridStyle.h"
#include "data/DrawDates.h"
#include "lotto/TicketWorth.h"
#include "support/TestSupport.h"
#include "support/TicketSupport.h"
#include "tickets/TicketGrids.h"
#include "tickets/TicketJson.h"
#include "tickets/TicketMoney.h"

namespace {

// Draw 1: 1 … 7 / 8, 9; draw 2: 1 2 3 4 5 10 11 / 12, 13; draw 3 not drawn.
const GlobalBas& TwoDraws() {
    static const GlobalBas g = MakeGlobals(
        {Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9}), Draw(2, {1, 2, 3, 4, 5, 10, 11, 12, 13})});
    return g;
}

// Draw 1 paid every tier; draw 2 only 4等 (50 winners at 9,000 円) and 2等,
// which nobody won, with an amount that must not be paid.
std::map<int, DrawPrizes> PaidLines() {
    DrawPrizes one;
    const PrizeLine lines[] = {{1, 500'000'000}, {0, 0},       {3, 800'000},
                               {100, 8'000},     {2000, 1500}, {5000, 1000}};
    for (int t = 0; t < kPrizeTierCount; ++t) one.tiers[t] = lines[t];
    one.carryOver = 0;
    DrawPrizes two;
    two.tiers[3] = PrizeLine{50, 9'000};
    two.tiers[1] = PrizeLine{0, 123'456};
    return {{1, one}, {2, two}};
}

// A: 1–2, 1 2 3 4 5 6 20 ×2: 3等 in draw 1 (1,600,000), 4等 in draw 2 (18,000).
// B: 1, 1 2 3 4 8 10 11 ×1: 5等 in draw 1 (1,500).
// C: 2–3, 20 … 26 ×3: はずれ in draw 2 (900 spent), 未抽選 in draw 3.
// D: 2, 1 2 3 4 20 21 22 ×1: 5等 in draw 2, whose 5等 line is not entered.
std::vector<PurchasedTicket> Book() {
    return {MakeTicket(1, 2, {1, 2, 3, 4, 5, 6, 20}, 2, 1),
            MakeTicket(1, 1, {1, 2, 3, 4, 8, 10, 11}, 1, 2),
            MakeTicket(2, 3, {20, 21, 22, 23, 24, 25, 26}, 3, 3),
            MakeTicket(2, 2, {1, 2, 3, 4, 20, 21, 22}, 1, 4)};
}

TEST(TicketMoney, ThreeTicketsOverTwoPaidDrawsAndOneNotEnteredGiveTheBalanceToTheYen) {
    const DrawMasks draws(TwoDraws().Draws);
    const PrizeIndex prizes(PaidLines());
    const std::vector<PurchasedTicket> book = Book();
    const auto all = [](int) { return true; };
    const TicketSummary s = SummariseTickets(std::span(book), draws, all, prizes);
    EXPECT_EQ(s.tickets, 4);
    EXPECT_EQ(s.spent, 600 + 300 + 600 + 900 + 300);  // draw 3 costs nothing yet
    EXPECT_EQ(s.cost, s.spent + 900);                 // the price of every draw bought
    EXPECT_EQ(s.won, 1'600'000 + 18'000 + 1'500);     // D's 5等 is not in it
    EXPECT_EQ(s.Balance(), 1'619'500 - 2'700);
    EXPECT_EQ(s.unknownUnits, 1);
    EXPECT_EQ(s.estimated, 1'400);  // the theoretical 5等
    EXPECT_EQ(s.WonWithEstimates(), 1'620'900);
    EXPECT_EQ(s.bestTier, 3);
    EXPECT_EQ(ReturnRateText(s.won, s.spent), "59981.5%");

    // Draw 2 alone: 4等 ×2, はずれ ×3, 5等 未入力 ×1.
    const TicketSummary two = SummariseTickets(
        std::span(book), draws, [](int n) { return n == 2; }, prizes);
    EXPECT_EQ(two.spent, 1'800);
    EXPECT_EQ(two.won, 18'000);
    EXPECT_EQ(ReturnRateText(two.won, two.spent), "1000.0%");

    // The grid: cost and prize of each row, 未入力 with the estimate beside it,
    // both empty while 未抽選.
    ResultGrid grid;
    WriteTicketGrid(book, draws, prizes, 0, grid);
    const auto row = [&](int r) {
        return std::vector<std::string>{
            grid.ReadCell(kTicketResultColumn, r), grid.ReadCell(kTicketCostColumn, r),
            grid.ReadCell(kTicketPrizeColumn, r), grid.ReadCell(kTicketEstimateColumn, r)};
    };
    using Row = std::vector<std::string>;
    EXPECT_EQ(row(2), (Row{"3等", "600円", "1,600,000円", ""}));
    EXPECT_EQ(row(3), (Row{"4等", "600円", "18,000円", ""}));
    EXPECT_EQ(row(4), (Row{"5等", "300円", "1,500円", ""}));
    EXPECT_EQ(row(5), (Row{"はずれ", "900円", "0円", ""}));
    EXPECT_EQ(row(6), (Row{"未抽選", "", "", ""}));
    EXPECT_EQ(row(7), (Row{"5等", "300円", "未入力", "1,400円"}));
    EXPECT_EQ(grid.Cell(kTicketPrizeColumn, 2).fore, kRed);
    EXPECT_EQ(grid.Cell(kTicketPrizeColumn, 7).fore, grid.Cell(kTicketResultColumn, 6).fore);
}

TEST(TicketMoney, NobodyWonPaysNothingAndADeletedDrawLeavesNoStalePrize) {
    // 2等 of draw 2 carries an amount but no winners: a ticket there wins 0.
    const PrizeIndex prizes(PaidLines());
    EXPECT_EQ(prizes.Paid(2, 2), 0);
    EXPECT_EQ(prizes.Paid(2, 4), 9'000);
    EXPECT_FALSE(prizes.Paid(2, 5).has_value());
    EXPECT_FALSE(prizes.Paid(7, 1).has_value());
    EXPECT_EQ(prizes.CarryOver(1), 0);
    EXPECT_FALSE(prizes.CarryOver(2).has_value());

    // Draw 2 deleted, its prize lines still in the index: A is 未抽選 there.
    const GlobalBas one = MakeGlobals({Draw(1, {1, 2, 3, 4, 5, 6, 7, 8, 9})});
    const DrawMasks draws(one.Draws);
    const PurchasedTicket a = Book()[0];
    const std::vector<TicketOutcome> o = CheckTicket(a, draws);
    ASSERT_EQ(o.size(), 2u);
    const TicketYen yen = PriceOutcome(a, o[1], prizes);
    EXPECT_EQ(yen.cost, 0);
    EXPECT_EQ(yen.prize, 0);
    EXPECT_EQ(yen.estimate, 0);
}

TEST(TicketMoney, NineThousandUnitsOnAHundredThousandTicketsStayExact) {
    const DrawMasks draws(TwoDraws().Draws);
    const PrizeIndex prizes(PaidLines());
    const std::vector<PurchasedTicket> book(
        100'000, MakeTicket(1, 1, {1, 2, 3, 4, 5, 6, 7}, kMostTicketUnits, 1));
    const TicketSummary s = SummariseTickets(
        std::span(book), draws, [](int) { return true; }, prizes);
    EXPECT_EQ(s.spent, 100'000LL * 9999 * 300);
    EXPECT_EQ(s.won, 100'000LL * 9999 * 500'000'000);  // 499,950,000,000,000,000
    EXPECT_EQ(ReturnRateText(s.won, s.spent), "166666666.7%");
    EXPECT_EQ(ReturnRateText(1, 3), "33.3%");
    EXPECT_EQ(ReturnRateText(2, 3), "66.7%");
    EXPECT_EQ(ReturnRateText(5, 0), "—");
}

TEST(TicketMoney, YearsComeFromTheDatesAndTheWeeklySpacingAndSumApart) {
    // Draw 1 on 2025-12-26, draw 3 undated: its year is counted on by weeks.
    const std::map<int, QDate> dates = {{1, QDate(2025, 12, 26)}, {2, QDate(2026, 1, 2)}};
    EXPECT_EQ(DrawYears(dates, 4), (std::vector<int>{2025, 2025, 2026, 2026, 2026}));
    EXPECT_EQ(DrawYears({}, 2), (std::vector<int>{0, 0, 0}));

    const std::vector<int> years = DrawYears(dates, 3);
    const std::vector<PurchasedTicket> book = Book();
    const std::vector<YearBalance> rows =
        BalanceByYear(book, DrawMasks(TwoDraws().Draws), PrizeIndex(PaidLines()), years);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].year, 2025);
    EXPECT_EQ(rows[0].sum.tickets, 2);  // A and B
    EXPECT_EQ(rows[0].sum.spent, 900);
    EXPECT_EQ(rows[0].sum.won, 1'601'500);
    EXPECT_EQ(rows[1].year, 2026);
    EXPECT_EQ(rows[1].sum.tickets, 3);  // A again, C and D
    EXPECT_EQ(rows[1].sum.spent, 1'800);
    EXPECT_EQ(rows[1].sum.bestTier, 4);

    ResultGrid grid;
    WriteTicketYearGrid(rows, grid);
    std::vector<std::string> second;
    for (int c = 1; c <= grid.ColumnCount(); ++c) second.push_back(grid.ReadCell(c, 3));
    EXPECT_EQ(second, (std::vector<std::string>{"2026年", "3", "6", "1,800円", "18,000円",
                                                "19,400円", "16,200円", "1000.0%", "4等"}));
}

TEST(TicketMoney, TheRunningBalanceAddsUpDrawByDraw) {
    const std::vector<PurchasedTicket> book = Book();
    const std::vector<BalancePoint> points =
        RunningBalance(book, DrawMasks(TwoDraws().Draws), PrizeIndex(PaidLines()));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].drawNumber, 1);
    EXPECT_EQ(points[0].Balance(), 1'601'500 - 900);
    EXPECT_EQ(points[1].drawNumber, 2);
    EXPECT_EQ(points[1].spent, 2'700);
    EXPECT_EQ(points[1].BalanceWithEstimates(), 1'620'900 - 2'700);
}

TEST(TicketMoney, WhatTenTicketsAreWorthAndWhatACarryOverAdds) {
    EXPECT_EQ(TicketWorthText(10, 690),
              "1口300円の平均の払戻しは約135円（売上の45 %が賞金）です。10口（3,000円）では"
              "払戻しの期待値1,350円、ばらつき（標準偏差）約690,000円、期待収支-1,650円です。");
    EXPECT_EQ(TicketWorthText(0, 690, 0),
              "1口300円の平均の払戻しは約135円（売上の45 %が賞金）です。");
    // 1,000,000,000 円 spread over the C(37, 7) tickets adds 97 円.
    EXPECT_EQ(ExpectedWithCarryOver(1'000'000'000), 232);
    EXPECT_NE(TicketWorthText(1, 690, 1'000'000'000)
                  .find("第690回はキャリーオーバー1,000,000,000円があり、1口の期待値は約232円です"
                        "（1等を分け合う場合と1等の上限は考えていません）。"),
              std::string::npos);
    const TicketWorth w = WorthOf(10, 690);
    EXPECT_EQ(w.cost, 3'000);
    EXPECT_EQ(w.expectedPrize, 1'350);
    EXPECT_NEAR(w.spread, 690'284.5, 1.0);
}

}  // namespace
