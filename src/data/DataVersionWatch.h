#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/Database.h"

// Tells whether another connection — another program, or another part of
// this one — committed a change to the database file since it last looked:
// SQLite's data_version of a connection of its own, kept open.  Asking never
// waits for a lock; a file it cannot read says "no change" and is opened
// again at the next question.
class DataVersionWatch {
  public:
    explicit DataVersionWatch(std::string databasePath);

    bool Changed();

  private:
    std::optional<std::int64_t> Version();

    std::string path_;
    std::optional<Database> db_;
    std::optional<std::int64_t> seen_;
};
