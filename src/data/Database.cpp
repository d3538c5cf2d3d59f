#include "data/Database.h"

#include <sqlite3.h>
#include <unistd.h>

#include <QCryptographicHash>

#include "core/FileAccess.h"
#include "core/PrintableText.h"
#include "core/WholeFile.h"
#include "data/ConnectionText.h"

namespace {

// Long enough for another program's import to finish its commit; a lock held
// longer than this is reported as "in use".
constexpr int kBusyTimeoutMs = 3000;
// The longest text or blob any statement may make or read: far above any
// value the program stores, far below what would exhaust memory when a
// crafted file's query builds a huge text.
constexpr int kMaxValueBytes = 1 << 20;

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

int MajorCipherVersion(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    int major = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        major = sqlite3_column_int(stmt, 0);  // "3.4.1" reads as 3
    }
    sqlite3_finalize(stmt);
    return major;
}

// Every file is written with the 3.x cipher settings (1024-byte pages,
// 64000 key-derivation rounds, SHA-1 page HMAC).  They are pinned so that a
// build against a newer SQCipher, whose defaults differ, still opens them.
void PinCipherSettings(sqlite3* db) {
    const char* settings = MajorCipherVersion(db) >= 4
                               ? "PRAGMA cipher_compatibility = 3;"
                               : "PRAGMA cipher_page_size = 1024; PRAGMA kdf_iter = 64000;"
                                 "PRAGMA cipher_use_hmac = ON;";
    sqlite3_exec(db, settings, nullptr, nullptr, nullptr);
}

// Opens, keys and reads the schema once: a wrong key, a foreign file, damage
// in the first pages or a lock show here.  The engine's (extended) result.
int TryOpen(const std::string& path, int flags, const std::string& keyLiteral, sqlite3** out) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
        const std::string key = "PRAGMA key = " + keyLiteral + ";";
        rc = sqlite3_exec(db, key.c_str(), nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        PinCipherSettings(db);
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) rc = sqlite3_extended_errcode(db);
    }
    if (rc == SQLITE_OK) {
        *out = db;
    } else {
        sqlite3_close_v2(db);
    }
    return rc;
}

// First the program's raw key, then the password as a passphrase (the
// engine's own derivation) for files keyed that way.  Only "not a database"
// makes the second try worth it: any other failure is the answer.
int OpenKeyed(const std::string& path, int flags, const std::string& password, sqlite3** out) {
    const int rc = TryOpen(path, flags, RawKey(password), out);
    if (rc != SQLITE_NOTADB) return rc;
    return TryOpen(path, flags, Quoted(password), out);
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

std::string FileName(const std::string& path) { return "「" + PrintableText(path) + "」"; }

[[noreturn]] void ThrowOpenFailure(const std::string& path, const std::string& why) {
    throw DatabaseError("データベースファイル" + FileName(path) + "を開けません。" + why);
}

// The engine reads a name beginning with "file:" as a URI where URIs are
// enabled; a relative path is kept literal by naming it from ".".
std::string EnginePath(const std::string& path) {
    return path.rfind("file:", 0) == 0 ? "./" + path : path;
}

void CheckFile(const std::string& path, Database::Mode mode) {
    try {
        RequireRegularFile(path, "データベースファイル", mode == Database::Mode::Create);
    } catch (const UserError& e) {
        if (KindOf(path) != FileKind::Missing) throw DatabaseError(e.what());
        throw DatabaseError(
            "データベースファイル" + FileName(path) +
            "が見つかりません。\n次のコマンドで当選データを取り込むと作成されます:\n"
            "  loto7kazoria import data/loto7-history.csv --db \"" +
            PrintableText(path) + "\"");
    }
    if (KindOf(path) == FileKind::Regular && ::access(path.c_str(), R_OK) != 0) {
        ThrowOpenFailure(path, "ファイルを読み取る許可がありません。");
    }
}

int OpenFlags(Database::Mode mode) {
    switch (mode) {
        case Database::Mode::ReadOnly:
            return SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_READONLY;
        case Database::Mode::ReadWrite:
            return SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_READWRITE;
        case Database::Mode::Create:
            break;
    }
    return SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
}

// Which rule of the database a write broke: a duplicate key, a trigger
// someone added to the file (which says its own reason), or a value rule.
std::string ConstraintText(int resultCode, const std::string& detail) {
    switch (resultCode) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY:
            return "データベースの決まり(回数の重複など)に合いません。";
        case SQLITE_CONSTRAINT_TRIGGER:
            return "データベースファイルに組み込まれた処理(トリガー)が書き込みを止めました" +
                   (detail.empty() ? std::string() : "(「" + PrintableText(detail, 80) + "」)") +
                   "。";
        default:
            return "データベースの決まりに合わない値です。";
    }
}

}  // namespace

std::string DescribeEngineFailure(int resultCode, const std::string& detail) {
    switch (resultCode & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "ほかのプログラムが使用中です。しばらくしてからもう一度試してください。";
        case SQLITE_NOTADB:
            return "このプログラムのデータベースではないか、パスワードが違います。";
        case SQLITE_CORRUPT:
            return "ファイルが壊れています。";
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return "ファイルを開けません。ファイルとフォルダーの許可を確かめてください。";
        case SQLITE_READONLY:
            return "ファイルに書き込めません。ファイルとフォルダーの書き込み許可を確かめてください"
                   "。";
        case SQLITE_FULL:
            return "ディスクがいっぱいです。";
        case SQLITE_IOERR:
            return "ファイルの読み書きに失敗しました。";
        case SQLITE_NOMEM:
            return "メモリが足りません。";
        case SQLITE_TOOBIG:
            return "値が長すぎます(" + DescribeSize(kMaxValueBytes) + "まで)。";
        case SQLITE_ERROR:
            return "問い合わせがこのデータベースの作りに合いません。";
        case SQLITE_CONSTRAINT:
            return ConstraintText(resultCode, detail);
        case SQLITE_INTERRUPT:
        case SQLITE_ABORT:
            return "操作が中断されました。";
        default:
            // The engine's own texts are English; the number identifies the cause.
            (void)detail;
            return "データベースエンジンのエラーです(エラー番号 " + std::to_string(resultCode) +
                   ")。";
    }
}

void Database::Closer::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

Database Database::Open(const std::string& path, Mode mode) {
    CheckFile(path, mode);
    const std::string password = DatabasePassword();
    const std::string enginePath = EnginePath(path);
    const int flags = OpenFlags(mode);
    sqlite3* raw = nullptr;
    int rc = OpenKeyed(enginePath, flags, password, &raw);
    if (rc == SQLITE_READONLY_ROLLBACK && RollBackLeftoverJournal(enginePath, password)) {
        rc = OpenKeyed(enginePath, flags, password, &raw);
    }
    if (rc == SQLITE_READONLY_ROLLBACK) {
        ThrowOpenFailure(
            path, "前回の書き込みが途中で終わったままですが、書き込みできないため元に戻せません。");
    }
    if (rc != SQLITE_OK) ThrowOpenFailure(path, DescribeEngineFailure(rc));
    // No file this process writes may land on an open database.
    ProtectFromWriting(path);
    return Database(raw, path);
}

void Database::Exec(const std::string& sql) const {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message);
    const std::string detail = message ? message : "";
    sqlite3_free(message);
    if (rc != SQLITE_OK) {
        throw DatabaseError("データベース" + FileName(path_) + "の操作に失敗しました。" +
                            DescribeEngineFailure(sqlite3_extended_errcode(db_.get()), detail));
    }
}

std::string Database::LastError() const { return db_ ? sqlite3_errmsg(db_.get()) : "メモリ不足"; }

Statement::Statement(const Database& db, const std::string& sql) : db_(db) {
    const int rc = sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        throw DatabaseError("データベース" + FileName(db.Path()) +
                            "の問い合わせを準備できません。" +
                            DescribeEngineFailure(rc, db.LastError()));
    }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw DatabaseError(
        "データベース" + FileName(db_.Path()) + "の読み書きに失敗しました。" +
        DescribeEngineFailure(sqlite3_extended_errcode(db_.Handle()), db_.LastError()));
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}
