#include "data/Schema.h"

#include <sqlite3.h>

#include "core/PrintableText.h"

namespace {

// Draw numbers are the row key: unique, at least 1, and handed out as one more
// than the largest stored number when a row is written without one.  The draw
// date is kept for the record; the program itself reads only the query's ten
// fields.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS 当選データ (
    回数 INTEGER PRIMARY KEY CHECK (回数 >= 1),
    抽せん日 TEXT,
    第1数字 INTEGER, 第2数字 INTEGER, 第3数字 INTEGER, 第4数字 INTEGER,
    第5数字 INTEGER, 第6数字 INTEGER, 第7数字 INTEGER,
    ボーナス数字1 INTEGER, ボーナス数字2 INTEGER
);
CREATE VIEW IF NOT EXISTS 全データ選択クエリ AS
    SELECT 回数, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, 第6数字, 第7数字,
           ボーナス数字1, ボーナス数字2
    FROM 当選データ;
CREATE TRIGGER IF NOT EXISTS 全データ選択クエリ_追加 INSTEAD OF INSERT ON 全データ選択クエリ
BEGIN
    INSERT INTO 当選データ (回数, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, 第6数字, 第7数字,
                           ボーナス数字1, ボーナス数字2)
    VALUES (NEW.回数, NEW.第1数字, NEW.第2数字, NEW.第3数字, NEW.第4数字, NEW.第5数字,
            NEW.第6数字, NEW.第7数字, NEW.ボーナス数字1, NEW.ボーナス数字2);
END;
CREATE TRIGGER IF NOT EXISTS 全データ選択クエリ_更新 INSTEAD OF UPDATE ON 全データ選択クエリ
BEGIN
    UPDATE 当選データ SET 回数 = NEW.回数, 第1数字 = NEW.第1数字, 第2数字 = NEW.第2数字,
        第3数字 = NEW.第3数字, 第4数字 = NEW.第4数字, 第5数字 = NEW.第5数字,
        第6数字 = NEW.第6数字, 第7数字 = NEW.第7数字,
        ボーナス数字1 = NEW.ボーナス数字1, ボーナス数字2 = NEW.ボーナス数字2
    WHERE 回数 = OLD.回数;
END;
CREATE TRIGGER IF NOT EXISTS 全データ選択クエリ_削除 INSTEAD OF DELETE ON 全データ選択クエリ
BEGIN
    DELETE FROM 当選データ WHERE 回数 = OLD.回数;
END;
)sql";

}  // namespace

void EnsureSchema(const Database& db) { db.Exec(kSchema); }

void RequireSchema(const Database& db) {
    if (HasSchema(db)) return;
    throw DatabaseError("データベースファイル「" + PrintableText(db.Path()) +
                        "」に当選データの問い合わせ「全データ選択クエリ」がありません。");
}

DrawFieldColumns LocateDrawFields(const Database& db,
                                  const std::function<int(std::string_view)>& columnOf) {
    const auto locate = [&](std::string_view field) {
        const int column = columnOf(field);
        if (column < 0) {
            throw DatabaseError("データベースファイル「" + PrintableText(db.Path()) +
                                "」の問い合わせに項目「" + std::string(field) + "」がありません。");
        }
        return column;
    };
    DrawFieldColumns where;
    where.drawNumber = locate(kDrawNumberField);
    for (int f = 0; f < kFieldCount; ++f) where.numbers[f] = locate(kNumberFields[f]);
    return where;
}

bool HasSchema(const Database& db) {
    Statement query(db,
                    "SELECT count(*) FROM sqlite_master WHERE type = 'view' AND name = "
                    "'全データ選択クエリ'");
    return query.Step() && sqlite3_column_int(query.Handle(), 0) > 0;
}
