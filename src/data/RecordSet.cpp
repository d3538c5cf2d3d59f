#include "data/RecordSet.h"

#include <sqlite3.h>

#include "core/PrintableText.h"

FieldValue ColumnValue(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            return static_cast<long long>(sqlite3_column_int64(stmt, column));
        case SQLITE_FLOAT:
            return sqlite3_column_double(stmt, column);
        case SQLITE_NULL:
            return std::monostate{};
        default: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, column));
            const int size = sqlite3_column_bytes(stmt, column);
            return std::string(bytes ? bytes : "", static_cast<std::size_t>(size));
        }
    }
}

void ThrowTooManyRecords(const Database& db) {
    throw DatabaseError("データベースファイル「" + PrintableText(db.Path()) + "」の当選データが" +
                        std::to_string(kMaxRecords) +
                        "行を超えるか大きすぎるため、読み込みを中止しました。");
}

namespace {

// The engine calls back every kStepsPerTick virtual-machine steps.  Reading
// 100,000 stored rows takes a few million steps; ten times that is allowed.
constexpr int kStepsPerTick = 10000;
constexpr int kMaxTicks = 3000;

struct WorkCounter {
    int ticks = 0;
    static int Tick(void* self) {
        auto* counter = static_cast<WorkCounter*>(self);
        return ++counter->ticks > kMaxTicks ? 1 : 0;
    }
};

}  // namespace

void ReadWithinLimits(const Database& db, const std::function<void()>& read) {
    WorkCounter counter;
    sqlite3_progress_handler(db.Handle(), kStepsPerTick, &WorkCounter::Tick, &counter);
    try {
        read();
    } catch (const DatabaseError&) {
        sqlite3_progress_handler(db.Handle(), 0, nullptr, nullptr);
        if (counter.ticks > kMaxTicks) ThrowTooManyRecords(db);
        throw;
    }
    sqlite3_progress_handler(db.Handle(), 0, nullptr, nullptr);
}

// The table grows as rows arrive: a row count asked of the file first could
// be anything a crafted file claims.
StaticRecordSet::StaticRecordSet(const Database& db, const std::string& statement) {
    Statement query(db, statement);
    const int columns = sqlite3_column_count(query.Handle());
    for (int c = 0; c < columns; ++c) names_.emplace_back(sqlite3_column_name(query.Handle(), c));
    std::size_t bytes = 0;
    ReadWithinLimits(db, [&] {
        while (query.Step()) {
            if (rowCount_ == kMaxRecords) ThrowTooManyRecords(db);
            for (int c = 0; c < columns; ++c) {
                values_.push_back(ColumnValue(query.Handle(), c));
                if (const auto* text = std::get_if<std::string>(&values_.back())) {
                    bytes += text->size();
                }
            }
            if (bytes > kMaxRecordBytes) ThrowTooManyRecords(db);
            ++rowCount_;
        }
    });
}

int StaticRecordSet::FieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name) return static_cast<int>(i);
    }
    return -1;
}

const FieldValue& StaticRecordSet::Field(int index) const {
    return values_.at(cursor_ * names_.size() + static_cast<std::size_t>(index));
}
