#pragma once

#include <QString>
#include <string>
#include <vector>

#include "app/commands/CommandArgs.h"
#include "tickets/TicketCheck.h"
#include "tickets/TicketLedger.h"

// What the ticket book's commands share.

// The words from `from` on, as texts the ticket readers take.
std::vector<QString> TicketTexts(const std::vector<std::string>& words, std::size_t from);

// The stored draws, as the ticket checks read them.
DrawMasks LoadDrawMasks(const CommandArgs& args);

// The stored draws with what each paid and the year of each.
TicketLedger LoadTicketLedger(const CommandArgs& args);
