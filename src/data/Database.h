#pragma once

#include <memory>
#include <string>

#include "core/GlobalBas.h"

struct sqlite3;
struct sqlite3_stmt;

// A failure of the database layer, with a Japanese message for the user.
class DatabaseError : public UserError {
public:
    using UserError::UserError;
};

// One open, keyed SQLCipher connection.
class Database {
public:
    enum class Mode { ReadOnly, ReadWrite, Create };

    // Opens the file named by a connection text.  ReadOnly and ReadWrite never
    // create a file; a missing file, a file that is not a database or one with
    // another password throws DatabaseError and leaves the file as it was.
    static Database Open(const std::string& connectionText, Mode mode);

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
// it throws (the exception is passed on).
template <typename F>
void InTransaction(const Database& db, F&& fn) {
    db.Exec("BEGIN IMMEDIATE");
    try {
        fn();
    } catch (...) {
        try {
            db.Exec("ROLLBACK");
        } catch (...) {
        }
        throw;
    }
    db.Exec("COMMIT");
}
