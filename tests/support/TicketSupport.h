#pragma once

#include <array>
#include <cstdint>

#include "core/PurchasedTicket.h"

// A bought ticket for draws first … last, as the ticket checks take it.
inline PurchasedTicket MakeTicket(int first, int last, std::array<int, kTicketNumberCount> numbers,
                                  int units = 1, std::int64_t id = 1) {
    PurchasedTicket t;
    t.id = id;
    t.firstDraw = first;
    t.lastDraw = last;
    t.numbers = numbers;
    t.units = units;
    return t;
}
