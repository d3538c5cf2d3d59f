#include "data/DataVersionWatch.h"

#include <sqlite3.h>

#include <utility>

DataVersionWatch::DataVersionWatch(std::string databasePath) : path_(std::move(databasePath)) {
    seen_ = Version();
}

std::optional<std::int64_t> DataVersionWatch::Version() {
    try {
        if (!db_) {
            db_.emplace(Database::Open(path_, Database::Mode::ReadOnly));
            sqlite3_busy_timeout(db_->Handle(), 0);
        }
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_->Handle(), "PRAGMA data_version", -1, &statement, nullptr) !=
            SQLITE_OK) {
            sqlite3_finalize(statement);
            return std::nullopt;
        }
        std::optional<std::int64_t> version;
        if (sqlite3_step(statement) == SQLITE_ROW) version = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        return version;
    } catch (const UserError&) {
        db_.reset();
        return std::nullopt;
    }
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
