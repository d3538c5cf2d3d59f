#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "core/DrawRecord.h"

// The start-up snapshot of every stored draw, complete or not, in ascending
// draw number.  It is never refreshed while the program runs.  Besides plain
// iteration over Rows() it offers the record-set style cursor (first, end
// test, next, field by name) that the walks are described in.
class DrawStore {
public:
    DrawStore() = default;
    explicit DrawStore(std::vector<DrawRecord> rows) : rows_(std::move(rows)) {}

    const std::vector<DrawRecord>& Rows() const { return rows_; }
    std::size_t RecordCount() const { return rows_.size(); }
    bool Empty() const { return rows_.empty(); }

    void MoveFirst() const { cursor_ = 0; }
    bool EndOfFile() const { return cursor_ >= rows_.size(); }
    void MoveNext() const { ++cursor_; }
    const DrawRecord& Current() const { return rows_.at(cursor_); }
    // The value of a named field of the current row; empty for an empty field
    // or an unknown name.
    std::optional<int> Field(std::string_view name) const;

    void Release() {
        rows_.clear();
        rows_.shrink_to_fit();
        cursor_ = 0;
    }

private:
    std::vector<DrawRecord> rows_;
    mutable std::size_t cursor_ = 0;
};
