#pragma once

#include <QString>
#include <array>
#include <vector>

#include "core/PurchasedTicket.h"

// Reading what a user typed for a ticket.  Every refusal throws UserError
// with a sentence that names the value; full-width digits are read as
// digits.  The checks of a ticket's numbers are those of the entry grid:
// whole numbers 1 to 37, each number once.

// One number 1 … 37.
int ReadTicketNumber(const QString& text);
// Seven numbers (blanks count as missing), each once, in ascending order.
// label(i) names the i-th field in the message about a repeat.
std::array<int, kTicketNumberCount> ReadTicketNumbers(const std::vector<QString>& texts);
// "690", "第690回", or a run "690-694" / "690～694"; 1 … 5000, at most
// kMostTicketDraws draws, the first not after the last.
std::pair<int, int> ReadTicketDraws(const QString& text);
// 1 … kMostTicketUnits.
int ReadTicketUnits(const QString& text);
// At most kMostMemoCharacters characters, no line breaks or control characters.
std::string ReadTicketMemo(const QString& text);

// The name of the i-th number field: "第1数字" … "第7数字".
QString TicketFieldName(int index);
