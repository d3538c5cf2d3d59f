#pragma once

#include <string>
#include <vector>

#include "core/PurchasedTicket.h"
#include "data/Database.h"

// The version of the program's tables a database file holds (the file's
// user_version): 0 for a file with the draws only, 1 once it holds the
// ticket book too.  Later changes migrate from the number found.
inline constexpr int kTicketSchemaVersion = 1;

// The file's schema version.
int SchemaVersion(const Database& db);
// Creates the ticket table when missing and records the schema version.
// The draw table and its stored query are not touched, so whatever read the
// file before still reads it.
void EnsureTicketSchema(const Database& db);

// The rows of a ticket table: those kept as tickets, and the 番号 of those
// that break the rules every write keeps (never used, only named).
struct TicketRows {
    std::vector<PurchasedTicket> tickets;
    std::vector<std::int64_t> broken;
};

// The ticket book of a database file.  Every change is written at once in
// its own transaction; errors throw DatabaseError (or UserError) with a
// Japanese message, and leave the book as it was.
class TicketBook {
  public:
    // Opens the file for writing and creates the ticket table when missing.
    // Throws when the file cannot be written, holds no draw table, or its
    // ticket table has lost its key.
    explicit TicketBook(const std::string& databasePath);

    // Every ticket, in the order added; rows that break the rules are left
    // out and their 番号 kept for Broken().
    std::vector<PurchasedTicket> List() const;
    const std::vector<std::int64_t>& Broken() const { return broken_; }
    // Stores new tickets in one transaction (all or none); gives them ids and
    // the time they were added.
    void Add(std::vector<PurchasedTicket>& tickets);
    // Stores a ticket's changed draws, numbers, units and memo.
    void Update(const PurchasedTicket& ticket);
    void Delete(std::int64_t id);
    // Deletes these tickets in one transaction (all or none).
    void Delete(const std::vector<std::int64_t>& ids);
    // Stores a deleted ticket again under its own id and time (undo).
    void Restore(const PurchasedTicket& ticket);

    const Database& Connection() const { return db_; }

  private:
    void Insert(const PurchasedTicket& ticket, bool withId);

    Database db_;
    mutable std::vector<std::int64_t> broken_;
};

// The tickets of a database file, read only; none when the file has no ticket
// table yet.  Throws when the table has lost its key.
TicketRows ReadTicketRows(const std::string& databasePath);
std::vector<PurchasedTicket> ReadTickets(const std::string& databasePath);
// 「購入番号 12, 15 は壊れているため使いません。」, or empty for none.
std::string BrokenTicketsText(const std::vector<std::int64_t>& ids);
