#include "data/PrizeStore.h"

#include <sqlite3.h>

#include "core/YenText.h"
#include "data/Schema.h"
#include "data/TicketStore.h"

namespace {

// One row a tier of a draw that paid (or paid nothing: 0 winners, 0 yen),
// one row a draw for its carry-over and sales.  Deleting a draw in the entry
// grid deletes its rows too.
constexpr const char* kPrizeTables = R"sql(
CREATE TABLE IF NOT EXISTS 当選金額 (
    回数 INTEGER NOT NULL CHECK (回数 BETWEEN 1 AND 5000),
    等級 INTEGER NOT NULL CHECK (等級 BETWEEN 1 AND 6),
    口数 INTEGER NOT NULL CHECK (口数 >= 0),
    金額 INTEGER NOT NULL CHECK (金額 >= 0 AND (口数 > 0 OR 金額 = 0)),
    PRIMARY KEY (回数, 等級)
);
CREATE TABLE IF NOT EXISTS 販売実績 (
    回数 INTEGER PRIMARY KEY CHECK (回数 BETWEEN 1 AND 5000),
    キャリーオーバー INTEGER CHECK (キャリーオーバー >= 0),
    販売実績額 INTEGER CHECK (販売実績額 >= 0)
);
)sql";

bool HasPrizeTables(const Database& db) {
    Statement query(db,
                    "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                    "('当選金額', '販売実績')");
    return query.Step() && sqlite3_column_int(query.Handle(), 0) == 2;
}

std::optional<std::int64_t> OptionalInt(sqlite3_stmt* s, int column) {
    if (sqlite3_column_type(s, column) == SQLITE_NULL) return std::nullopt;
    return sqlite3_column_int64(s, column);
}

void BindOptional(sqlite3_stmt* s, int index, const std::optional<std::int64_t>& value) {
    if (value) {
        sqlite3_bind_int64(s, index, *value);
    } else {
        sqlite3_bind_null(s, index);
    }
}

// Reads the rows of one draw (drawNumber > 0) or of all into prizes.
void ReadInto(const Database& db, int drawNumber, std::map<int, DrawPrizes>& prizes) {
    if (!HasPrizeTables(db)) return;
    const std::string where = drawNumber > 0 ? " WHERE 回数 = ?" : "";
    Statement tiers(db, "SELECT 回数, 等級, 口数, 金額 FROM 当選金額" + where);
    Statement money(db, "SELECT 回数, キャリーオーバー, 販売実績額 FROM 販売実績" + where);
    if (drawNumber > 0) {
        sqlite3_bind_int(tiers.Handle(), 1, drawNumber);
        sqlite3_bind_int(money.Handle(), 1, drawNumber);
    }
    while (tiers.Step()) {
        sqlite3_stmt* s = tiers.Handle();
        const int tier = sqlite3_column_int(s, 1);
        if (tier < 1 || tier > kPrizeTierCount) continue;
        prizes[sqlite3_column_int(s, 0)].tiers[tier - 1] =
            PrizeLine{sqlite3_column_int64(s, 2), sqlite3_column_int64(s, 3)};
    }
    while (money.Step()) {
        sqlite3_stmt* s = money.Handle();
        DrawPrizes& draw = prizes[sqlite3_column_int(s, 0)];
        draw.carryOver = OptionalInt(s, 1);
        draw.sales = OptionalInt(s, 2);
    }
}

}  // namespace

void EnsurePrizeTables(const Database& db) {
    db.Exec(kPrizeTables);
    if (SchemaVersion(db) < kPrizeSchemaVersion) {
        db.Exec("PRAGMA user_version = " + std::to_string(kPrizeSchemaVersion));
    }
}

DrawPrizes ReadPrizes(const Database& db, int drawNumber) {
    std::map<int, DrawPrizes> prizes;
    ReadInto(db, drawNumber, prizes);
    const auto found = prizes.find(drawNumber);
    return found == prizes.end() ? DrawPrizes{} : found->second;
}

std::map<int, DrawPrizes> ReadAllPrizes(const Database& db) {
    std::map<int, DrawPrizes> prizes;
    ReadInto(db, 0, prizes);
    return prizes;
}

void WritePrizes(const Database& db, int drawNumber, const DrawPrizes& prizes) {
    const std::string problem = PrizeLinesProblem(prizes);
    if (!problem.empty()) {
        throw UserError("第" + std::to_string(drawNumber) +
                        "回の当選金額を登録できません: " + problem);
    }
    EnsurePrizeTables(db);
    DeletePrizes(db, drawNumber);
    Statement tier(db, "INSERT INTO 当選金額 (回数, 等級, 口数, 金額) VALUES (?, ?, ?, ?)");
    for (int t = 0; t < kPrizeTierCount; ++t) {
        if (!prizes.tiers[t]) continue;
        tier.Reset();
        sqlite3_bind_int(tier.Handle(), 1, drawNumber);
        sqlite3_bind_int(tier.Handle(), 2, t + 1);
        sqlite3_bind_int64(tier.Handle(), 3, prizes.tiers[t]->winners);
        sqlite3_bind_int64(tier.Handle(), 4, prizes.tiers[t]->amount);
        tier.Step();
    }
    if (prizes.carryOver || prizes.sales) {
        Statement money(
            db, "INSERT INTO 販売実績 (回数, キャリーオーバー, 販売実績額) VALUES (?, ?, ?)");
        sqlite3_bind_int(money.Handle(), 1, drawNumber);
        BindOptional(money.Handle(), 2, prizes.carryOver);
        BindOptional(money.Handle(), 3, prizes.sales);
        money.Step();
    }
}

void DeletePrizes(const Database& db, long long drawNumber) {
    if (!HasPrizeTables(db)) return;
    for (const char* table : {"当選金額", "販売実績"}) {
        Statement clear(db, std::string("DELETE FROM ") + table + " WHERE 回数 = ?");
        sqlite3_bind_int64(clear.Handle(), 1, drawNumber);
        clear.Step();
    }
}

void StorePrizes(const std::string& databasePath, int drawNumber, const DrawPrizes& prizes) {
    const Database db = Database::Open(databasePath, Database::Mode::ReadWrite);
    RequireSchema(db);
    InTransaction(db, [&] { WritePrizes(db, drawNumber, prizes); });
}
