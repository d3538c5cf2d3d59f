#pragma once

#include <cstddef>
#include <vector>

#include "core/DrawRecord.h"

// The start-up snapshot of every stored draw, complete or not, in ascending
// draw number.  It is never refreshed while the program runs; every reader
// walks Rows() from the first, so readers never share a position.
class DrawStore {
  public:
    DrawStore() = default;
    explicit DrawStore(std::vector<DrawRecord> rows) : rows_(std::move(rows)) {}

    const std::vector<DrawRecord>& Rows() const { return rows_; }
    std::size_t RecordCount() const { return rows_.size(); }
    bool Empty() const { return rows_.empty(); }

    void Release() {
        rows_.clear();
        rows_.shrink_to_fit();
    }

  private:
    std::vector<DrawRecord> rows_;
};
