#pragma once

#include <string>
#include <vector>

#include "core/PurchasedTicket.h"

// Reads tickets from a CSV file's raw bytes, as draw files are read (UTF-8
// with or without a byte order mark, or Shift-JIS; quoted fields).  A
// record is `draw,n1,…,n7,units,memo`: draw "690" or "690-694", the seven
// numbers checked as typed ones are, units 1 … 9999 (may be empty: 1), the
// memo optional.  A first record whose draw field is no draw number (such
// as 回,第1数字,…) is a header and skipped.  Any bad record, or more than
// 100,000 records, refuses the whole file: UserError names the line.
std::vector<PurchasedTicket> ParseTicketCsv(const std::string& bytes, const std::string& fileName);

// Reads the CSV file and adds its tickets to the database's book in one
// transaction; returns them as stored.  Nothing is stored when any line is bad.
std::vector<PurchasedTicket> ImportTicketCsv(const std::string& csvPath,
                                             const std::string& databasePath);
