#pragma once

#include <memory>
#include <string>

#include "core/Errors.h"

struct sqlite3;
struct sqlite3_stmt;

// One open, keyed SQLCipher connection to a file named by its path, taken
// literally (no part of it is ever read as an option or a URI).
class Database {
  public:
    enum class Mode { ReadOnly, ReadWrite, Create };

    // Opens the file.  ReadOnly and ReadWrite need an existing regular file;
    // Create also makes a missing one.  Every failure throws DatabaseError
    // saying what is wrong (missing, not a regular file, unreadable, in use
    // by another program, not our database or another password, damaged)
    // and leaves the file as it was.  A file locked by another program is
    // waited for a few seconds first.
    static Database Open(const std::string& path, Mode mode);

    sqlite3* Handle() const { return db_.get(); }
    const std::string& Path() const { return path_; }

    // Runs statements without results; throws DatabaseError on failure.
    void Exec(const std::string& sql) const;
    // The engine's last error text, for messages.
    std::string LastError() const;

  private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    Database(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}

    std::unique_ptr<sqlite3, Closer> db_;
    std::string path_;
};

// What an engine result code means for the user, in one Japanese sentence
// ("ほかのプログラムが使用中です。", "ファイルが壊れています。", …); codes
// without a sentence of their own are named by number.  detail, the engine's
// own (English) text, is not shown.
std::string DescribeEngineFailure(int resultCode, const std::string& detail = {});

// A prepared statement that finalises itself.
class Statement {
  public:
    Statement(const Database& db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* Handle() const { return stmt_; }
    // Steps once: true while a row is available; throws DatabaseError on failure.
    bool Step();
    void Reset();

  private:
    const Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs fn inside one transaction: committed when fn returns, rolled back when
// it throws (the exception is passed on).  A COMMIT that fails (busy, disk
// full) is rolled back too, so the connection is never left inside it.
template <typename F>
void InTransaction(const Database& db, F&& fn) {
    db.Exec("BEGIN IMMEDIATE");
    try {
        fn();
        db.Exec("COMMIT");
    } catch (...) {
        try {
            db.Exec("ROLLBACK");
        } catch (...) {
        }
        throw;
    }
}
