#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/DrawRecord.h"

inline constexpr int kTicketNumberCount = kMainCount;
inline constexpr int kTicketUnitPrice = 300;  // 円 a unit
inline constexpr int kMostTicketUnits = 9999;
inline constexpr int kHighestTicketDraw = 5000;
// A 継続購入 ticket covers consecutive draws; more than this is a slip.
inline constexpr int kMostTicketDraws = 100;
inline constexpr int kMostMemoCharacters = 200;

// One bought ticket: seven different numbers for one draw or a run of
// consecutive draws (継続購入), some units (口数) of it, a memo and when it
// was added to the book.  id 0: not stored yet.
struct PurchasedTicket {
    std::int64_t id = 0;
    int firstDraw = 0;
    int lastDraw = 0;
    std::array<int, kTicketNumberCount> numbers{};  // ascending
    int units = 1;
    std::string memo;   // UTF-8
    std::string added;  // "YYYY-MM-DD HH:MM:SS", local time

    bool Covers(int draw) const { return draw >= firstDraw && draw <= lastDraw; }
    int DrawCount() const { return lastDraw - firstDraw + 1; }
    long long Cost() const { return 1LL * units * DrawCount() * kTicketUnitPrice; }
    bool operator==(const PurchasedTicket&) const = default;
};

// "690" or "690～694".
std::string TicketDrawText(const PurchasedTicket& ticket);
