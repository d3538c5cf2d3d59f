#pragma once

#include <filesystem>
#include <string>

// The folder of the program's shared files (help file, bundled history) in
// an installed layout: <program folder>/../share/loto7kazoria.
std::filesystem::path ShareFolder(const std::filesystem::path& programFolder);

// The bundled history in the share folder, seeding a new database.
inline constexpr const char* kBundledHistoryFileName = "loto7-history.csv";

// True when the program must not write beside itself: its folder cannot be
// written, or it is an installed program in a system folder.  A folder is a
// system folder when the share folder exists beside it and it belongs to
// root with no write permission for group or others (/usr/bin): even the
// superuser then keeps the database in a data folder of its own.
bool IsReadOnlyProgramFolder(const std::filesystem::path& programFolder);

// $XDG_DATA_HOME/loto7kazoria, or ~/.local/share/loto7kazoria when
// XDG_DATA_HOME is unset, empty or not absolute.  Throws UserError when
// there is no home folder either.
std::filesystem::path UserDataFolder();

// Where the database lives when no --db names one, and what seeds it.
struct DataFolder {
    std::filesystem::path folder;          // the database's folder
    std::filesystem::path database;        // folder / Loto7Kazoria.mdb
    std::filesystem::path bundledHistory;  // in the share folder; empty when there is none
};

// The folder beside the program, or the user's data folder when the program
// folder is read-only (see IsReadOnlyProgramFolder).
DataFolder FindDataFolder(const std::filesystem::path& programFolder);

// Creates the folder and its missing parents (0700, as for any per-user
// data folder).  Throws UserError when it cannot.
void MakeDataFolder(const std::filesystem::path& folder);

// Makes the folder (see MakeDataFolder) and, when the database is missing
// and there is a bundled history, creates the database from it.  Returns the message telling the
// user so, or an empty text when the database already existed or nothing could seed it. Throws
// UserError when the folder or the database cannot be made.
std::string PrepareDataFolder(const DataFolder& place);
