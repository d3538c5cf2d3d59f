#pragma once

#include <ostream>

struct StartOptions;

// loto7kazoria tickets add|list|delete|import|check …: the ticket book.
int RunTickets(const StartOptions& options, std::ostream& out, std::ostream& err);
// loto7kazoria check N1 … N7: one combination against every stored draw.
int RunQuickCheck(const StartOptions& options, std::ostream& out, std::ostream& err);

// The lines of the usage text for these commands.
extern const char* const kTicketUsage;
