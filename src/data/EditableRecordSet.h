#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/DrawRecord.h"
#include "data/Database.h"
#include "data/RecordSet.h"

// One row of the stored query as it is stored: the draw number and the nine
// number fields, in the order of kNumberFields.
struct EditableRow {
    FieldValue drawNumber;
    std::array<FieldValue, kFieldCount> numbers;

    bool operator==(const EditableRow&) const = default;
};

// The updatable view of the stored query used by the entry window: every row
// is held in memory in the order read (ascending draw number), and every
// change reaches the database at once, each in its own transaction, written
// through the stored query so that its triggers do the work.
//
// A row in memory changes only after its transaction has committed, so a
// failed write leaves it as stored.  Before a row is written it is compared
// with the database (optimistic locking): a row changed or deleted by someone
// else since it was read is not overwritten.  Errors throw DatabaseError with
// a Japanese message naming the draw.
class EditableRecordSet {
  public:
    // Opens the database file for writing and reads every row.  Throws
    // DatabaseError when the file cannot be written, lacks the stored query
    // or holds more rows than a record set reads.
    explicit EditableRecordSet(const std::string& databasePath);

    std::size_t RecordCount() const { return rows_.size(); }
    const EditableRow& Row(std::size_t index) const { return rows_.at(index); }

    // Called just before and just after the rows in memory change, once the
    // database holds the change (a table model announces it there).
    struct RowsNotice {
        std::function<void()> before;
        std::function<void()> after;
    };

    // Stores a number field (0 … 8) of a row; nullopt stores an empty value.
    void SetNumber(std::size_t index, int field, std::optional<int> value);
    // Writes a new, empty draw and places it at position (0 … RecordCount()).
    // The database numbers it: one more than the largest stored draw number.
    void InsertAt(std::size_t position, const RowsNotice& notice = {});
    // Deletes the row's draw; other draws keep their numbers.
    void Delete(std::size_t index, const RowsNotice& notice = {});

    const Database& Connection() const { return db_; }

  private:
    std::optional<EditableRow> ReadStored(const FieldValue& drawNumber) const;
    void CheckUnchanged(const EditableRow& row) const;
    template <typename F>
    void Write(const std::string& failure, F&& change);

    Database db_;
    std::vector<EditableRow> rows_;
};

// "第N回", naming a draw in messages.
std::string DrawLabel(const FieldValue& drawNumber);
