#pragma once

#include <string>

// The file name of the draw database, placed in the program's directory.
inline constexpr const char* kDatabaseFileName = "Loto7Kazoria.mdb";

// The database password as text, built at run time from the fixed number.
std::string DatabasePassword();

// "Provider=…;Jet OLEDB:Database Password=…;Data Source=<directory>\<file>":
// the connection text kept for the whole run.  It is a record of the
// connection only; the database file itself is always opened by its path,
// so no name a user gives is ever split or re-read from this text.
std::string BuildConnectionText(const std::string& databasePath);
