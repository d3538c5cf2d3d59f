#pragma once

#include <string>
#include <vector>

#include "core/DrawStore.h"
#include "data/Database.h"
#include "tickets/TicketJson.h"
#include "tickets/TicketMoney.h"

// What the money of a ticket book is computed from: the draws, what each
// draw paid, and the year of each draw, read from one database file.
struct TicketLedger {
    DrawMasks draws;
    PrizeIndex prizes;
    std::vector<int> yearOfDraw;

    TicketMoneyData Data() const { return {draws, prizes, yearOfDraw}; }
};

// Reads the prize table and the draw dates of the open file beside the draws
// already read from it.
TicketLedger ReadTicketLedger(const Database& db, const DrawStore& draws);
