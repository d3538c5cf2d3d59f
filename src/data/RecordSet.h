#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/Database.h"

// One stored value: empty, whole number, real number or text (blobs as bytes).
using FieldValue = std::variant<std::monostate, long long, double, std::string>;

// The value of a result column of the current row of a statement.
FieldValue ColumnValue(sqlite3_stmt* stmt, int column);

// The most rows any record set reads: far beyond any real history (the
// windows stop at 32767 rows), small enough that a crafted file cannot make
// the program build an enormous table.
inline constexpr std::size_t kMaxRecords = 100000;
// The most bytes of text and blob values one record set keeps.
inline constexpr std::size_t kMaxRecordBytes = 64u << 20;

// Throws DatabaseError naming the database file: it holds more rows than the
// program reads.
[[noreturn]] void ThrowTooManyRecords(const Database& db);

// Runs read with the engine's work bounded: a statement that works far
// longer than reading kMaxRecords plain rows takes (a crafted view that
// makes or sorts millions of rows) is stopped and reported as by
// ThrowTooManyRecords.
void ReadWithinLimits(const Database& db, const std::function<void()>& read);

// A read-only, client-side static snapshot of a statement's rows: every row is
// read at once, later changes to the database are not seen.  Reading stops
// with DatabaseError past kMaxRecords rows or kMaxRecordBytes of values.
class StaticRecordSet {
  public:
    StaticRecordSet(const Database& db, const std::string& statement);

    std::size_t RecordCount() const { return rowCount_; }
    void MoveFirst() { cursor_ = 0; }
    bool EndOfFile() const { return cursor_ >= rowCount_; }
    void MoveNext() { ++cursor_; }
    // Index of a named field, or -1.
    int FieldIndex(std::string_view name) const;
    const FieldValue& Field(int index) const;

  private:
    std::vector<std::string> names_;
    std::vector<FieldValue> values_;  // rowCount_ × names_.size(), row-major
    std::size_t rowCount_ = 0;
    std::size_t cursor_ = 0;
};
