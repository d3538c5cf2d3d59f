#include "data/CsvImport.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/DrawRecord.h"
#include "core/GlobalBas.h"
#include "data/ConnectionText.h"
#include "data/Database.h"
#include "data/Schema.h"

namespace {

bool SameNumbers(const CsvDraw& a, const CsvDraw& b) {
    if (a.present != b.present) return false;
    for (int f = 0; f < kFieldCount; ++f) {
        if ((a.present >> f & 1u) && a.numbers[f] != b.numbers[f]) return false;
    }
    return true;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw UserError("CSVファイル「" + path + "」を読めません。");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The stored numbers of one draw, or false when the draw is not stored.
bool StoredDraw(Statement& query, int drawNumber, CsvDraw& stored) {
    query.Reset();
    sqlite3_bind_int(query.Handle(), 1, drawNumber);
    if (!query.Step()) return false;
    stored.drawNumber = drawNumber;
    stored.present = 0;
    for (int f = 0; f < kFieldCount; ++f) {
        if (sqlite3_column_type(query.Handle(), f) == SQLITE_NULL) continue;
        stored.numbers[f] = sqlite3_column_int(query.Handle(), f);
        stored.present |= 1u << f;
    }
    return true;
}

void InsertDraw(Statement& insert, const CsvDraw& draw) {
    insert.Reset();
    sqlite3_bind_int(insert.Handle(), 1, draw.drawNumber);
    if (draw.date.empty()) {
        sqlite3_bind_null(insert.Handle(), 2);
    } else {
        sqlite3_bind_text(insert.Handle(), 2, draw.date.c_str(), -1, SQLITE_TRANSIENT);
    }
    for (int f = 0; f < kFieldCount; ++f) {
        if (draw.present >> f & 1u) {
            sqlite3_bind_int(insert.Handle(), 3 + f, draw.numbers[f]);
        } else {
            sqlite3_bind_null(insert.Handle(), 3 + f);
        }
    }
    insert.Step();
}

std::string ConflictLine(const CsvDraw& draw) {
    return "第" + std::to_string(draw.drawNumber) + "回(" + std::to_string(draw.line) +
           "行目)は登録済みのデータと数字が違うため、登録済みのままにしました。";
}

}  // namespace

ImportReport ImportCsv(const std::string& csvPath, const std::string& databasePath) {
    const std::vector<CsvDraw> draws = ParseDrawCsv(ReadWholeFile(csvPath), csvPath);
    const auto path = std::filesystem::absolute(databasePath);
    const Database db = Database::Open(
        BuildConnectionText(path.parent_path().string(), path.filename().string()),
        Database::Mode::Create);
    ImportReport report;
    InTransaction(db, [&] {
        EnsureSchema(db);
        Statement query(db,
                        "SELECT 第1数字, 第2数字, 第3数字, 第4数字, 第5数字, 第6数字, 第7数字, "
                        "ボーナス数字1, ボーナス数字2 FROM 当選データ WHERE 回数 = ?");
        Statement insert(db,
                         "INSERT INTO 当選データ (回数, 抽せん日, 第1数字, 第2数字, 第3数字, "
                         "第4数字, 第5数字, 第6数字, 第7数字, ボーナス数字1, ボーナス数字2) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const CsvDraw& draw : draws) {
            CsvDraw stored;
            if (!StoredDraw(query, draw.drawNumber, stored)) {
                InsertDraw(insert, draw);
                ++report.added;
            } else if (SameNumbers(stored, draw)) {
                ++report.unchanged;
            } else {
                report.conflicts.push_back(ConflictLine(draw));
            }
        }
    });
    return report;
}
