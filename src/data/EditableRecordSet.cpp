#include "data/EditableRecordSet.h"

#include <sqlite3.h>

#include <limits>

#include "core/PrintableText.h"
#include "data/PrizeStore.h"
#include "data/Schema.h"

namespace {

constexpr const char* kSelectOne = "SELECT * FROM 全データ選択クエリ WHERE 回数 = ?";
constexpr const char* kSelectNewest =
    "SELECT * FROM 全データ選択クエリ WHERE 回数 = (SELECT max(回数) FROM 全データ選択クエリ)";
constexpr const char* kInsertEmpty = "INSERT INTO 全データ選択クエリ (回数) VALUES (NULL)";
constexpr const char* kDeleteOne = "DELETE FROM 全データ選択クエリ WHERE 回数 = ?";

void Bind(const Statement& stmt, int position, const FieldValue& value) {
    sqlite3_stmt* s = stmt.Handle();
    if (const auto* whole = std::get_if<long long>(&value)) {
        sqlite3_bind_int64(s, position, *whole);
    } else if (const auto* real = std::get_if<double>(&value)) {
        sqlite3_bind_double(s, position, *real);
    } else if (const auto* text = std::get_if<std::string>(&value)) {
        sqlite3_bind_text(s, position, text->data(), static_cast<int>(text->size()),
                          SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_null(s, position);
    }
}

// Where the query's fields are in a statement's result columns.
DrawFieldColumns LocateFields(const Database& db, const Statement& stmt) {
    return LocateDrawFields(db, [&](std::string_view name) {
        const int count = sqlite3_column_count(stmt.Handle());
        for (int c = 0; c < count; ++c) {
            if (name == sqlite3_column_name(stmt.Handle(), c)) return c;
        }
        return -1;
    });
}

EditableRow ReadRow(const Statement& stmt, const DrawFieldColumns& where) {
    EditableRow row;
    row.drawNumber = ColumnValue(stmt.Handle(), where.drawNumber);
    for (int f = 0; f < kFieldCount; ++f)
        row.numbers[f] = ColumnValue(stmt.Handle(), where.numbers[f]);
    return row;
}

std::string ValueText(const FieldValue& value) {
    if (const auto* whole = std::get_if<long long>(&value)) return std::to_string(*whole);
    if (const auto* real = std::get_if<double>(&value)) return std::to_string(*real);
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return "";
}

}  // namespace

std::string DrawLabel(const FieldValue& drawNumber) {
    return "第" + PrintableText(ValueText(drawNumber), 20) + "回";
}

EditableRecordSet::EditableRecordSet(const std::string& databasePath)
    : db_(Database::Open(databasePath, Database::Mode::ReadWrite)) {
    if (sqlite3_db_readonly(db_.Handle(), "main") == 1) {
        throw DatabaseError("データベースファイル「" + PrintableText(db_.Path()) +
                            "」に書き込めません。ファイルの書き込み許可を確かめてください。");
    }
    RequireSchema(db_);
    // Every commit reaches the disk before it returns: the rollback journal
    // with full synchronisation survives a killed process or a power cut.
    db_.Exec("PRAGMA synchronous = FULL");
    Statement query(db_, kSnapshotStatement);
    const DrawFieldColumns where = LocateFields(db_, query);
    ReadWithinLimits(db_, [&] {
        while (query.Step()) {
            if (rows_.size() == kMaxRecords) ThrowTooManyRecords(db_);
            rows_.push_back(ReadRow(query, where));
        }
    });
}

std::optional<EditableRow> EditableRecordSet::ReadStored(const FieldValue& drawNumber) const {
    Statement query(db_, kSelectOne);
    Bind(query, 1, drawNumber);
    if (!query.Step()) return std::nullopt;
    return ReadRow(query, LocateFields(db_, query));
}

void EditableRecordSet::CheckUnchanged(const EditableRow& row) const {
    const std::optional<EditableRow> stored = ReadStored(row.drawNumber);
    if (!stored) {
        throw DatabaseError(
            DrawLabel(row.drawNumber) +
            "はこの画面を開いた後にほかで削除されています。画面を開き直してください。");
    }
    if (*stored != row) {
        throw DatabaseError(
            DrawLabel(row.drawNumber) +
            "はこの画面を開いた後にほかで変更されています。画面を開き直してください。");
    }
}

template <typename F>
void EditableRecordSet::Write(const std::string& failure, F&& change) {
    try {
        InTransaction(db_, change);
    } catch (const DatabaseError& e) {
        throw DatabaseError(failure + "\n" + e.what());
    }
}

void EditableRecordSet::SetNumber(std::size_t index, int field, std::optional<int> value) {
    const EditableRow& row = rows_.at(index);
    const std::string failure = DrawLabel(row.drawNumber) + "の「" +
                                std::string(kNumberFields.at(field)) + "」を保存できませんでした。";
    EditableRow stored;
    Write(failure, [&] {
        CheckUnchanged(row);
        Statement update(db_, "UPDATE 全データ選択クエリ SET \"" +
                                  std::string(kNumberFields[field]) + "\" = ? WHERE 回数 = ?");
        if (value) {
            sqlite3_bind_int(update.Handle(), 1, *value);
        } else {
            sqlite3_bind_null(update.Handle(), 1);
        }
        Bind(update, 2, row.drawNumber);
        update.Step();
        // Keep exactly what the database now holds.
        const std::optional<EditableRow> written = ReadStored(row.drawNumber);
        if (!written) throw DatabaseError(DrawLabel(row.drawNumber) + "が見つかりません。");
        stored = *written;
    });
    rows_[index] = stored;
}

void EditableRecordSet::InsertAt(std::size_t position, const RowsNotice& notice) {
    if (position > rows_.size()) position = rows_.size();
    EditableRow added;
    Write("行を追加できませんでした。", [&] {
        db_.Exec(kInsertEmpty);
        Statement newest(db_, kSelectNewest);
        if (!newest.Step()) throw DatabaseError("追加した行が見つかりません。");
        added = ReadRow(newest, LocateFields(db_, newest));
        // Every reader keeps draw numbers in 16 bits.
        const auto* number = std::get_if<long long>(&added.drawNumber);
        if (!number || *number > std::numeric_limits<std::int16_t>::max()) {
            throw DatabaseError("回数が32767を超えるため、これ以上追加できません。");
        }
    });
    if (notice.before) notice.before();
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(position), added);
    if (notice.after) notice.after();
}

void EditableRecordSet::Delete(std::size_t index, const RowsNotice& notice) {
    const EditableRow& row = rows_.at(index);
    Write(DrawLabel(row.drawNumber) + "を削除できませんでした。", [&] {
        CheckUnchanged(row);
        Statement remove(db_, kDeleteOne);
        Bind(remove, 1, row.drawNumber);
        remove.Step();
        // The draw's prize lines go with it: a draw typed again later under
        // this number must not inherit them.
        if (const auto* number = std::get_if<long long>(&row.drawNumber))
            DeletePrizes(db_, *number);
    });
    if (notice.before) notice.before();
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    if (notice.after) notice.after();
}
