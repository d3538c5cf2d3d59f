#pragma once

#include <map>

#include "core/DrawPrizes.h"
#include "data/Database.h"

// The schema version of a file that holds the prize tables (see
// kTicketSchemaVersion for the versions before).
inline constexpr int kPrizeSchemaVersion = 2;

// Creates the prize tables when missing and records the schema version,
// inside the caller's transaction.  The draw table, its stored query and the
// ticket book are not touched.
void EnsurePrizeTables(const Database& db);

// The prize lines of one draw, or of every draw that has any; nothing when
// the file has no prize tables yet.
DrawPrizes ReadPrizes(const Database& db, int drawNumber);
std::map<int, DrawPrizes> ReadAllPrizes(const Database& db);

// Stores a draw's prize lines in place of those stored (a tier or amount
// left unknown is removed), inside the caller's transaction; the tables are
// made when missing.  Lines PrizeLinesProblem refuses throw UserError.
void WritePrizes(const Database& db, int drawNumber, const DrawPrizes& prizes);

// Removes a draw's prize lines (when the draw itself is deleted), inside
// the caller's transaction; nothing when the file has no prize tables.
void DeletePrizes(const Database& db, long long drawNumber);

// The same in a transaction of its own, on a file opened for writing: what
// the entry window's prize dialog stores.
void StorePrizes(const std::string& databasePath, int drawNumber, const DrawPrizes& prizes);
