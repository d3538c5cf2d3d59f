#pragma once

#include <string>
#include <vector>

#include "data/DrawCsv.h"

// What an import did.  Draws already stored with the same numbers are left
// alone; a stored draw with other numbers is left as stored and listed.
struct ImportReport {
    int added = 0;
    int unchanged = 0;
    std::vector<std::string> conflicts;  // one Japanese line per differing draw
};

// Loads the draws of a CSV file (read as ParseDrawCsv reads it; an empty
// number makes an incomplete draw) into the database file, creating the file
// and its schema when missing.  A line with a bad value refuses the whole
// file: UserError names the line and nothing is stored.
ImportReport ImportCsv(const std::string& csvPath, const std::string& databasePath);

