#include "data/TicketStore.h"

#include <sqlite3.h>

#include <QDateTime>

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

std::vector<PurchasedTicket> ReadAll(const Database& db) {
    std::vector<PurchasedTicket> tickets;
    Statement query(db, std::string("SELECT ") + kColumns + " FROM 購入番号 ORDER BY 番号");
    while (query.Step()) {
        sqlite3_stmt* s = query.Handle();
        PurchasedTicket t;
        t.id = sqlite3_column_int64(s, 0);
        t.firstDraw = sqlite3_column_int(s, 1);
        t.lastDraw = sqlite3_column_int(s, 2);
        for (int i = 0; i < kTicketNumberCount; ++i) t.numbers[i] = sqlite3_column_int(s, 3 + i);
        t.units = sqlite3_column_int(s, 10);
        t.memo = Text(s, 11);
        t.added = Text(s, 12);
        tickets.push_back(std::move(t));
    }
    return tickets;
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
}

std::vector<PurchasedTicket> TicketBook::List() const { return ReadAll(db_); }

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

std::vector<PurchasedTicket> ReadTickets(const std::string& databasePath) {
    const Database db = Database::Open(databasePath, Database::Mode::ReadOnly);
    if (!HasTicketTable(db)) return {};
    return ReadAll(db);
}
