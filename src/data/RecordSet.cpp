#include "data/RecordSet.h"

#include <sqlite3.h>

#include <algorithm>

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

StaticRecordSet::StaticRecordSet(const Database& db, const std::string& statement) {
    // Counting first lets the values be stored without regrowing the table.
    Statement count(db, "SELECT count(*) FROM (" + statement + ")");
    const auto rows = count.Step() ? sqlite3_column_int64(count.Handle(), 0) : 0;
    Statement query(db, statement);
    const int columns = sqlite3_column_count(query.Handle());
    values_.reserve(static_cast<std::size_t>(std::max<sqlite3_int64>(rows, 0)) *
                    static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) names_.emplace_back(sqlite3_column_name(query.Handle(), c));
    while (query.Step()) {
        for (int c = 0; c < columns; ++c) values_.push_back(ColumnValue(query.Handle(), c));
        ++rowCount_;
    }
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

const FieldValue& StaticRecordSet::Field(std::string_view name) const {
    const int index = FieldIndex(name);
    if (index < 0) {
        throw DatabaseError("データベースの問い合わせに項目「" + std::string(name) +
                            "」がありません。");
    }
    return Field(index);
}
