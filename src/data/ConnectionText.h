#pragma once

#include <string>

// The file name of the draw database, placed in the program's directory.
inline constexpr const char* kDatabaseFileName = "Loto7Kazoria.mdb";

// What our access layer needs from a connection text.
struct ConnectionInfo {
    std::string provider;
    std::string password;
    std::string dataSource;  // a file-system path ('/' separators)
};

// The database password as text, built at run time from the fixed number.
std::string DatabasePassword();

// "Provider=…;Jet OLEDB:Database Password=…;Data Source=<directory>\<file>".
std::string BuildConnectionText(const std::string& directory,
                                const std::string& fileName = kDatabaseFileName);

// Splits a connection text into its parts.  The data source is everything
// after "Data Source=" (so a path may hold ';'), and the backslash before the
// file name becomes the directory separator.
ConnectionInfo ParseConnectionText(const std::string& text);
