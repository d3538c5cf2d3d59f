#include "data/DataVersionWatch.h"

#include <sqlite3.h>

#include <utility>

DataVersionWatch::DataVersionWatch(std::string databasePath) : path_(std::move(databasePath)) {
    seen_ = Version();
}

std::optional<std::int64_t> DataVersionWatch::Version() {
    if (!db_) {
        try {
            db_.emplace(Database::Open(path_, Database::Mode::ReadOnly));
        } catch (const UserError&) {
            return std::nullopt;
        }
        sqlite3_busy_timeout(db_->Handle(), 0);
    }
    // A busy file answers nothing this time; the connection stays.
    try {
        Statement query(*db_, "PRAGMA data_version");
        if (query.Step()) return sqlite3_column_int64(query.Handle(), 0);
    } catch (const UserError&) {
    }
    return std::nullopt;
}

bool DataVersionWatch::Changed() {
    const std::optional<std::int64_t> now = Version();
    if (!now) return false;
    // A first version read after a failure is a change: what happened
    // meanwhile is not known.
    const bool changed = seen_ != now;
    seen_ = now;
    return changed;
}
