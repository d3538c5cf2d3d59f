#include "data/Database.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <filesystem>

#include "data/ConnectionText.h"

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

// The program's files are keyed with a raw 256-bit key hashed from the
// password.  The password is a fixed number, so the engine's slow passphrase
// derivation would add no protection, only start-up time.
std::string RawKey(const std::string& password) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray::fromStdString("Loto7Kazoria:" + password), QCryptographicHash::Sha256);
    return "\"x'" + digest.toHex().toUpper().toStdString() + "'\"";
}

// Keys a connection and reads the schema; the engine's result code.
int TryKey(sqlite3* db, const std::string& keyLiteral) {
    const std::string sql = "PRAGMA key = " + keyLiteral + ";";
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return rc;
    sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    return sqlite3_extended_errcode(db);
}

// Opens and keys the file: first with the program's raw key, then with the
// password as a passphrase (the engine's own derivation) for files keyed that
// way.  On success *out holds the connection.
int OpenKeyed(const std::string& path, int flags, const std::string& password, sqlite3** out) {
    int rc = SQLITE_CANTOPEN;
    for (const std::string& key : {RawKey(password), Quoted(password)}) {
        sqlite3* db = nullptr;
        rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
        if (rc == SQLITE_OK) rc = TryKey(db, key);
        if (rc == SQLITE_OK) {
            *out = db;
            return rc;
        }
        sqlite3_close_v2(db);
        // An unfinished write of a killed process must be rolled back first;
        // no key gets past that on a read-only connection.
        if (rc == SQLITE_READONLY_ROLLBACK) return rc;
    }
    return rc;
}

// Rolls back the journal a killed writer left behind, through one short
// read-write connection, so a read-only snapshot can be taken after it.
bool RollBackLeftoverJournal(const std::string& path, const std::string& password) {
    sqlite3* db = nullptr;
    if (OpenKeyed(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, password, &db) != SQLITE_OK) {
        return false;
    }
    sqlite3_close_v2(db);
    return true;
}

[[noreturn]] void ThrowOpenFailure(const std::string& path, const std::string& why) {
    throw DatabaseError("データベースファイル「" + path + "」を開けません。" + why);
}

}  // namespace

void Database::Closer::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

Database Database::Open(const std::string& connectionText, Mode mode) {
    const ConnectionInfo info = ParseConnectionText(connectionText);
    const std::string& path = info.dataSource;
    std::error_code ec;
    if (mode != Mode::Create && !std::filesystem::exists(path, ec)) {
        throw DatabaseError(
            "データベースファイル「" + path +
            "」が見つかりません。\n次のコマンドで当選データを取り込むと作成されます:\n"
            "  loto7kazoria import data/loto7-history.csv --db \"" +
            path + "\"");
    }
    if (std::filesystem::is_directory(path, ec)) ThrowOpenFailure(path, "フォルダーです。");

    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
        case Mode::ReadOnly:
            flags |= SQLITE_OPEN_READONLY;
            break;
        case Mode::ReadWrite:
            flags |= SQLITE_OPEN_READWRITE;
            break;
        case Mode::Create:
            flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
            break;
    }
    // A wrong key or a file that is not a database shows only when the schema
    // is first read.
    sqlite3* raw = nullptr;
    int rc = OpenKeyed(path, flags, info.password, &raw);
    if (rc == SQLITE_READONLY_ROLLBACK && RollBackLeftoverJournal(path, info.password)) {
        rc = OpenKeyed(path, flags, info.password, &raw);
    }
    if (rc == SQLITE_CANTOPEN) ThrowOpenFailure(path, "(" + std::string(sqlite3_errstr(rc)) + ")");
    if (rc == SQLITE_READONLY_ROLLBACK) {
        ThrowOpenFailure(
            path, "前回の書き込みが途中で終わったままですが、書き込みできないため元に戻せません。");
    }
    if (rc != SQLITE_OK) ThrowOpenFailure(path, "データベースではないか、パスワードが違います。");
    Database db(raw, path);
    sqlite3_busy_timeout(raw, 2000);
    return db;
}

void Database::Exec(const std::string& sql) const {
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string why = message ? message : LastError();
        sqlite3_free(message);
        throw DatabaseError("データベース「" + path_ + "」の操作に失敗しました。(" + why + ")");
    }
}

std::string Database::LastError() const { return db_ ? sqlite3_errmsg(db_.get()) : "メモリ不足"; }

Statement::Statement(const Database& db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) {
        throw DatabaseError("データベース「" + db.Path() + "」の問い合わせを準備できません。(" +
                            db.LastError() + ")");
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw DatabaseError("データベース「" + db_.Path() + "」の読み書きに失敗しました。(" +
                        db_.LastError() + ")");
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}
