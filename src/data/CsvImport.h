#pragma once

#include <string>
#include <vector>

// What an import did.  Draws already stored with the same numbers are left
// alone; a stored draw with other numbers is left as stored and listed.
struct ImportReport {
    int added = 0;
    int unchanged = 0;
    std::vector<std::string> conflicts;  // one Japanese line per differing draw
};

// Loads draws from a CSV file in the bundled history's format (header
// "回数,抽せん日,第1数字,…,ボーナス数字2"; the date may be empty; an empty
// number makes an incomplete draw) into the database file, creating the file
// and its schema when missing.  A line with a bad value refuses the whole
// file: UserError names the line and nothing is stored.
ImportReport ImportCsv(const std::string& csvPath, const std::string& databasePath);

// The CSV parsing alone, for callers that already hold the text.
struct CsvDraw {
    int line = 0;
    int drawNumber = 0;
    std::string date;
    int numbers[9] = {};
    unsigned present = 0;  // bit i: field i has a value
};
std::vector<CsvDraw> ParseDrawCsv(const std::string& text, const std::string& fileName);
