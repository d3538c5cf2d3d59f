#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/DrawStore.h"
#include "core/PurchasedTicket.h"
#include "lotto/PrizeTier.h"

// The complete draws of a snapshot as 37-bit sets (bit n for number n), found
// by draw number: a ticket's matches with a draw are two popcounts.
class DrawMasks {
  public:
    struct Draw {
        int drawNumber = 0;
        std::uint64_t main = 0;   // the seven main numbers
        std::uint64_t bonus = 0;  // the two bonus numbers
    };

    DrawMasks() = default;
    explicit DrawMasks(const DrawStore& draws);

    const std::vector<Draw>& Draws() const { return draws_; }
    // The complete draw with this number, or null when it is not stored yet.
    const Draw* Find(int drawNumber) const;

    // The draws the other way round: for a number, which draws (bit i of
    // word i / 64 for Draws()[i]) hold it as a main or as a bonus number.
    std::size_t WordCount() const { return words_; }
    const std::uint64_t* MainHolding(int number) const { return &mainHas_[Row(number)]; }
    const std::uint64_t* BonusHolding(int number) const { return &bonusHas_[Row(number)]; }

  private:
    std::size_t Row(int number) const { return static_cast<std::size_t>(number) * words_; }

    std::vector<Draw> draws_;       // ascending draw number
    std::vector<int> indexOfDraw_;  // draw number -> index in draws_, -1 for none
    std::size_t words_ = 0;
    std::vector<std::uint64_t> mainHas_, bonusHas_;  // numbers 0 … 37, words_ each
};

// How one ticket did in one draw it was bought for.
struct TicketOutcome {
    int drawNumber = 0;
    bool drawn = false;  // false: 未抽選, the draw is not stored yet
    TicketScore score;   // tier 0: はずれ
};

// The tier of a set of seven numbers against a draw, by the back-test's tier rule.
TicketScore ScoreMasks(std::uint64_t ticket, const DrawMasks::Draw& draw);

// The outcome in each draw the ticket covers, in draw order.
std::vector<TicketOutcome> CheckTicket(const PurchasedTicket& ticket, const DrawMasks& draws);

struct TicketYen;

// Tickets, units and what they won, over some tickets and draws.
struct TicketSummary {
    int tickets = 0;
    long long units = 0;  // units bought, counted once per draw covered
    long long cost = 0;   // 円 of every draw covered, drawn or not
    // Units per tier: index 1 … 6; 0 for はずれ; pending for 未抽選.
    std::array<long long, kPrizeTierCount + 1> unitsByTier{};
    long long pendingUnits = 0;
    // Yen of the drawn draws only: what they cost, what they paid as far as
    // the prize table knows, and the estimates of the prizes not entered.
    long long spent = 0;
    long long won = 0;
    long long estimated = 0;
    long long unknownUnits = 0;  // winning units whose amount is not entered
    int bestTier = 0;            // the best tier won, 0 for none

    long long WonWithEstimates() const { return won + estimated; }
    long long Balance() const { return won - spent; }
    // One ticket in one draw (the caller counts the ticket itself);
    // SummariseTickets (TicketMoney.h) sums a book.
    void Add(const PurchasedTicket& ticket, const TicketOutcome& outcome, const TicketYen& yen);
};

// The quick check: one combination against every stored draw.
struct QuickCheckResult {
    int draws = 0;                                             // complete draws checked
    std::array<int, kPrizeTierCount + 1> tierCounts{};         // index 0: はずれ
    std::array<double, kPrizeTierCount + 1> expectedCounts{};  // a random ticket's, same draws
    struct Win {
        int drawNumber = 0;
        TicketScore score;
    };
    std::vector<Win> bigWins;  // draws where it won 4等 or better, in draw order
};

inline constexpr int kBigWinTier = 4;

QuickCheckResult QuickCheck(const std::array<int, kTicketNumberCount>& numbers,
                            const DrawMasks& draws);

// The tier's name: "1等" … "6等", "はずれ" for 0.
const char* TierName(int tier);
inline constexpr const char* kPendingName = "未抽選";
