// Speed of the ticket checker on 5000 draws: a book of 10,000 tickets
// checked in the draws they were bought for (what the 購入番号 window and
// `tickets check` do), the same tickets each checked against every draw, the
// quick check of one combination, and the ticket grid of the whole book; and
// the money of a book of 100,000 tickets over the 5000 draws, every draw's
// prize lines entered: the 収支 of the book, its years and running balance.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "tickets/TicketCheck.h"
#include "tickets/TicketGrids.h"
#include "tickets/TicketMoney.h"

namespace {

constexpr int kDraws = 5000;
constexpr int kTickets = 10000;

std::array<int, 9> Pick(std::mt19937& random) {
    std::array<int, kHighestNumber> balls{};
    std::iota(balls.begin(), balls.end(), 1);
    std::shuffle(balls.begin(), balls.end(), random);
    std::array<int, 9> nine{};
    std::copy_n(balls.begin(), 9, nine.begin());
    std::sort(nine.begin(), nine.begin() + kMainCount);
    return nine;
}

const DrawStore& Draws() {
    static const DrawStore store = [] {
        std::mt19937 random(20130405);
        std::vector<DrawRecord> rows;
        for (int n = 1; n <= kDraws; ++n) {
            DrawRecord row;
            row.drawNumber = static_cast<std::int16_t>(n);
            const std::array<int, 9> nine = Pick(random);
            for (int f = 0; f < kFieldCount; ++f) row.Set(f, static_cast<std::int16_t>(nine[f]));
            rows.push_back(row);
        }
        return DrawStore(std::move(rows));
    }();
    return store;
}

// One ticket in five is a 継続購入 of five draws; a few are for draws to come.
std::vector<PurchasedTicket> MakeBook(int count) {
    std::mt19937 random(7);
    std::vector<PurchasedTicket> tickets;
    for (int i = 0; i < count; ++i) {
        PurchasedTicket t;
        t.id = i + 1;
        t.firstDraw = 1 + static_cast<int>(random() % (kDraws + 10));
        t.lastDraw = t.firstDraw + (i % 5 == 0 ? 4 : 0);
        const std::array<int, 9> nine = Pick(random);
        std::copy_n(nine.begin(), kTicketNumberCount, t.numbers.begin());
        t.units = 1 + i % 3;
        tickets.push_back(t);
    }
    return tickets;
}

const std::vector<PurchasedTicket>& Book() {
    static const std::vector<PurchasedTicket> book = MakeBook(kTickets);
    return book;
}

// Every draw paid every tier (a few tiers nobody won).
const PrizeIndex& Prizes() {
    static const PrizeIndex index = [] {
        std::map<int, DrawPrizes> lines;
        for (int n = 1; n <= kDraws; ++n) {
            const std::int64_t amounts[] = {600'000'000, 7'000'000, 700'000, 9'000, 1'400, 1'000};
            for (int t = 0; t < kPrizeTierCount; ++t)
                lines[n].tiers[t] = PrizeLine{(n + t) % 7 == 0 ? 0 : 1 + t, amounts[t]};
        }
        return PrizeIndex(lines);
    }();
    return index;
}

void BM_BalanceOf100000Tickets(benchmark::State& state) {
    const DrawMasks draws(Draws());
    static const std::vector<PurchasedTicket> book = MakeBook(100'000);
    std::vector<int> years(kDraws + 1);
    for (int n = 0; n <= kDraws; ++n) years[static_cast<std::size_t>(n)] = 2013 + n / 52;
    for (auto _ : state) {
        const TicketSummary sum = SummariseTickets(
            std::span<const PurchasedTicket>(book), draws, [](int) { return true; }, Prizes());
        const auto byYear = BalanceByYear(book, draws, Prizes(), years);
        const auto running = RunningBalance(book, draws, Prizes());
        benchmark::DoNotOptimize(sum.won);
        benchmark::DoNotOptimize(byYear.size());
        benchmark::DoNotOptimize(running.size());
    }
}
BENCHMARK(BM_BalanceOf100000Tickets)->Unit(benchmark::kMillisecond);

void BM_CheckTicketBook(benchmark::State& state) {
    const DrawMasks draws(Draws());
    for (auto _ : state) {
        const TicketSummary sum = SummariseTickets(std::span<const PurchasedTicket>(Book()), draws,
                                                   [](int) { return true; });
        benchmark::DoNotOptimize(sum.unitsByTier);
    }
}
BENCHMARK(BM_CheckTicketBook)->Unit(benchmark::kMillisecond);

// Masks built from the snapshot each time, as a window does when it opens.
void BM_CheckTicketBookFromSnapshot(benchmark::State& state) {
    for (auto _ : state) {
        const DrawMasks draws(Draws());
        const TicketSummary sum = SummariseTickets(std::span<const PurchasedTicket>(Book()), draws,
                                                   [](int) { return true; });
        benchmark::DoNotOptimize(sum.unitsByTier);
    }
}
BENCHMARK(BM_CheckTicketBookFromSnapshot)->Unit(benchmark::kMillisecond);

void BM_EveryTicketAgainstEveryDraw(benchmark::State& state) {
    const DrawMasks draws(Draws());
    for (auto _ : state) {
        int wins = 0;
        for (const PurchasedTicket& t : Book()) wins += QuickCheck(t.numbers, draws).tierCounts[6];
        benchmark::DoNotOptimize(wins);
    }
}
BENCHMARK(BM_EveryTicketAgainstEveryDraw)->Unit(benchmark::kMillisecond);

void BM_QuickCheck(benchmark::State& state) {
    const DrawMasks draws(Draws());
    for (auto _ : state) {
        const QuickCheckResult r = QuickCheck({3, 8, 12, 19, 25, 31, 36}, draws);
        benchmark::DoNotOptimize(r.tierCounts);
    }
}
BENCHMARK(BM_QuickCheck)->Unit(benchmark::kMicrosecond);

void BM_TicketGrid(benchmark::State& state) {
    const DrawMasks draws(Draws());
    for (auto _ : state) {
        ResultGrid grid;
        const auto ids = WriteTicketGrid(Book(), draws, PrizeIndex(), 0, grid);
        benchmark::DoNotOptimize(ids.size());
    }
}
BENCHMARK(BM_TicketGrid)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
