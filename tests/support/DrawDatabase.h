#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "data/Database.h"
#include "data/Schema.h"
#include "support/TestSupport.h"

// A database file in dir holding the given rows of 当選データ, each written as
// the SQL values of 回数 and the nine numbers ("1, 7,10,12,17,23,28,34,3,15";
// NULL, 0, 38 or 1.5 are stored as written).  Returns its path.
inline std::string CreateDrawDatabase(const TempDir& dir, const std::vector<std::string>& rows,
                                      const std::string& fileName = "Loto7Kazoria.mdb") {
    const std::string connection = dir.File(fileName);
    const Database db = Database::Open(connection, Database::Mode::Create);
    InTransaction(db, [&] {
        EnsureSchema(db);
        for (const std::string& values : rows) {
            db.Exec(
                "INSERT INTO 当選データ (回数, 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, "
                "第6数字, 第7数字, ボーナス数字1, ボーナス数字2) VALUES (" +
                values + ")");
        }
    });
    return connection;
}

// The stored rows in draw-number order, each as "回数:n1,…,n9" with empty
// fields left empty.
inline std::vector<std::string> StoredRows(const std::string& connectionText) {
    const Database db = Database::Open(connectionText, Database::Mode::ReadOnly);
    Statement query(db, kSnapshotStatement);
    std::vector<std::string> rows;
    while (query.Step()) {
        std::string row;
        for (int c = 0; c < 10; ++c) {
            const auto* text = sqlite3_column_text(query.Handle(), c);
            row += (c == 0   ? ""
                    : c == 1 ? ":"
                             : ",") +
                   std::string(text ? reinterpret_cast<const char*>(text) : "");
        }
        rows.push_back(row);
    }
    return rows;
}
