#include "tickets/TicketLedger.h"

#include "data/DrawDates.h"
#include "data/PrizeStore.h"

TicketLedger ReadTicketLedger(const Database& db, const DrawStore& draws) {
    TicketLedger ledger;
    ledger.draws = DrawMasks(draws);
    ledger.prizes = PrizeIndex(ReadAllPrizes(db));
    int highest = 0;
    for (const DrawMasks::Draw& d : ledger.draws.Draws()) highest = std::max(highest, d.drawNumber);
    ledger.yearOfDraw = DrawYears(ReadDrawDates(db), highest);
    return ledger;
}
