#include "data/TicketStore.h"

#include <sqlite3.h>

#include <QDateTime>
#include <algorithm>
#include <optional>

#include "core/PrintableText.h"
#include "data/Schema.h"

namespace {

// One row a ticket; 番号 never comes back after a deletion, so an undone
// deletion and the ids printed before it stay the ticket's own.
constexpr const char* kTicketTable = R"sql(
CREATE TABLE IF NOT EXISTS 購入番号 (
    番号 INTEGER PRIMARY KEY AUTOINCREMENT,
    開始回 INTEGER NOT NULL CHECK (開始回 BETWEEN 1 AND 5000),
    終了回 INTEGER NOT NULL CHECK (終了回 BETWEEN 開始回 AND 5000),
    数字1 INTEGER NOT NULL, 数字2 INTEGER NOT NULL, 数字3 INTEGER NOT NULL,
    数字4 INTEGER NOT NULL, 数字5 INTEGER NOT NULL, 数字6 INTEGER NOT NULL,
    数字7 INTEGER NOT NULL,
    口数 INTEGER NOT NULL CHECK (口数 >= 1),
    メモ TEXT NOT NULL DEFAULT '',
    登録日時 TEXT NOT NULL
);
)sql";

constexpr const char* kColumns =
    "番号, 開始回, 終了回, 数字1, 数字2, 数字3, 数字4, 数字5, 数字6, 数字7, 口数, メモ, 登録日時";

bool HasTicketTable(const Database& db) {
    Statement query(
        db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '購入番号'");
    return query.Step() && sqlite3_column_int(query.Handle(), 0) > 0;
}

std::string Text(sqlite3_stmt* stmt, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return text ? text : "";
}

// The table keys its rows by 番号; without that key an id could name two
// rows or none, so such a table is not used at all.
void RequireTicketKey(const Database& db) {
    Statement columns(db, "PRAGMA table_info(購入番号)");
    while (columns.Step()) {
        if (Text(columns.Handle(), 1) == "番号" && sqlite3_column_int(columns.Handle(), 5) == 1)
            return;
    }
    throw UserError(
        "購入番号の表に番号の鍵がないため、購入番号を読み書きできません（ファイルが壊れている"
        "可能性があります）。");
}

// A whole number stored as one, within [low, high].
bool IntegerIn(sqlite3_stmt* s, int column, long long low, long long high, int& value) {
    if (sqlite3_column_type(s, column) != SQLITE_INTEGER) return false;
    const long long v = sqlite3_column_int64(s, column);
    if (v < low || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

// A row read under the rules every write keeps: the draws (at most
// kMostTicketDraws of them), seven different numbers 1–37, 1–9999 units.
std::optional<PurchasedTicket> CheckedRow(sqlite3_stmt* s) {
    PurchasedTicket t;
    if (sqlite3_column_type(s, 0) != SQLITE_INTEGER) return std::nullopt;
    t.id = sqlite3_column_int64(s, 0);
    if (!IntegerIn(s, 1, 1, kHighestTicketDraw, t.firstDraw) ||
        !IntegerIn(s, 2, t.firstDraw, t.firstDraw + kMostTicketDraws - 1, t.lastDraw) ||
        t.lastDraw > kHighestTicketDraw || !IntegerIn(s, 10, 1, kMostTicketUnits, t.units)) {
        return std::nullopt;
    }
    std::uint64_t seen = 0;
    for (int i = 0; i < kTicketNumberCount; ++i) {
        if (!IntegerIn(s, 3 + i, kLowestNumber, kHighestNumber, t.numbers[i]) ||
            (seen >> t.numbers[i] & 1)) {
            return std::nullopt;
        }
        seen |= std::uint64_t{1} << t.numbers[i];
    }
    std::sort(t.numbers.begin(), t.numbers.end());
    t.memo = Text(s, 11);
    t.added = Text(s, 12);
    return t;
}

// The table's key is checked where the table is opened, once.
TicketRows ReadAll(const Database& db) {
    TicketRows rows;
    Statement query(db, std::string("SELECT ") + kColumns + " FROM 購入番号 ORDER BY 番号");
    while (query.Step()) {
        if (std::optional<PurchasedTicket> t = CheckedRow(query.Handle())) {
            rows.tickets.push_back(std::move(*t));
        } else {
            rows.broken.push_back(sqlite3_column_int64(query.Handle(), 0));
        }
    }
    return rows;
}

void BindTicket(Statement& st, const PurchasedTicket& t) {
    sqlite3_stmt* s = st.Handle();
    sqlite3_bind_int(s, 2, t.firstDraw);
    sqlite3_bind_int(s, 3, t.lastDraw);
    for (int i = 0; i < kTicketNumberCount; ++i) sqlite3_bind_int(s, 4 + i, t.numbers[i]);
    sqlite3_bind_int(s, 11, t.units);
    sqlite3_bind_text(s, 12, t.memo.c_str(), static_cast<int>(t.memo.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(s, 13, t.added.c_str(), static_cast<int>(t.added.size()), SQLITE_TRANSIENT);
}

std::string Now() {
    return QDateTime::currentDateTime()
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
        .toStdString();
}

[[noreturn]] void ThrowNoTicket(std::int64_t id) {
    throw UserError("購入番号 " + std::to_string(id) +
                    " はありません。ほかのプログラムが削除した可能性があります。");
}

}  // namespace

int SchemaVersion(const Database& db) {
    Statement query(db, "PRAGMA user_version");
    return query.Step() ? sqlite3_column_int(query.Handle(), 0) : 0;
}

void EnsureTicketSchema(const Database& db) {
    if (SchemaVersion(db) >= kTicketSchemaVersion && HasTicketTable(db)) return;
    // A file already marked by a later version keeps its mark.
    const bool mark = SchemaVersion(db) < kTicketSchemaVersion;
    InTransaction(db, [&] {
        db.Exec(kTicketTable);
        if (mark) db.Exec("PRAGMA user_version = " + std::to_string(kTicketSchemaVersion));
    });
}

TicketBook::TicketBook(const std::string& databasePath)
    : db_(Database::Open(databasePath, Database::Mode::ReadWrite)) {
    RequireSchema(db_);
    EnsureTicketSchema(db_);
    RequireTicketKey(db_);
}

std::vector<PurchasedTicket> TicketBook::List() const {
    TicketRows rows = ReadAll(db_);
    broken_ = std::move(rows.broken);
    return std::move(rows.tickets);
}

void TicketBook::Insert(const PurchasedTicket& ticket, bool withId) {
    Statement st(db_, std::string("INSERT INTO 購入番号 (") + kColumns +
                          ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (withId) sqlite3_bind_int64(st.Handle(), 1, ticket.id);
    BindTicket(st, ticket);
    st.Step();
}

void TicketBook::Add(std::vector<PurchasedTicket>& tickets) {
    std::vector<PurchasedTicket> stored = tickets;
    InTransaction(db_, [&] {
        const std::string now = Now();
        for (PurchasedTicket& t : stored) {
            if (t.added.empty()) t.added = now;
            Insert(t, false);
            t.id = sqlite3_last_insert_rowid(db_.Handle());
        }
    });
    tickets = std::move(stored);
}

void TicketBook::Update(const PurchasedTicket& ticket) {
    InTransaction(db_, [&] {
        Statement st(db_,
                     "UPDATE 購入番号 SET 開始回 = ?2, 終了回 = ?3, 数字1 = ?4, 数字2 = ?5, "
                     "数字3 = ?6, 数字4 = ?7, 数字5 = ?8, 数字6 = ?9, 数字7 = ?10, 口数 = ?11, "
                     "メモ = ?12 WHERE 番号 = ?1");
        sqlite3_bind_int64(st.Handle(), 1, ticket.id);
        BindTicket(st, ticket);
        st.Step();
        if (sqlite3_changes(db_.Handle()) == 0) ThrowNoTicket(ticket.id);
    });
}

void TicketBook::Delete(std::int64_t id) { Delete(std::vector<std::int64_t>{id}); }

void TicketBook::Delete(const std::vector<std::int64_t>& ids) {
    InTransaction(db_, [&] {
        Statement st(db_, "DELETE FROM 購入番号 WHERE 番号 = ?");
        for (std::int64_t id : ids) {
            st.Reset();
            sqlite3_bind_int64(st.Handle(), 1, id);
            st.Step();
            if (sqlite3_changes(db_.Handle()) == 0) ThrowNoTicket(id);
        }
    });
}

void TicketBook::Restore(const PurchasedTicket& ticket) {
    InTransaction(db_, [&] { Insert(ticket, true); });
}

TicketRows ReadTicketRows(const std::string& databasePath) {
    const Database db = Database::Open(databasePath, Database::Mode::ReadOnly);
    if (!HasTicketTable(db)) return {};
    RequireTicketKey(db);
    return ReadAll(db);
}

std::vector<PurchasedTicket> ReadTickets(const std::string& databasePath) {
    return ReadTicketRows(databasePath).tickets;
}

std::string BrokenTicketsText(const std::vector<std::int64_t>& ids) {
    if (ids.empty()) return {};
    std::string text = "購入番号 ";
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i == 10) {
            text += " ほか" + std::to_string(ids.size() - 10) + "件";
            break;
        }
        text += (i ? ", " : "") + std::to_string(ids[i]);
    }
    return text + " は壊れているため使いません。";
}
