#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/ImportStore.h"

// The largest CSV file an import reads.
inline constexpr std::uintmax_t kMaxCsvBytes = 64u << 20;

// Loads draws from a CSV file (see ParseDrawCsv) into the database file in
// one transaction, creating the file and its schema when missing (all at
// once, see CreateDatabaseFile).  A file with any bad line is refused whole:
// UserError names the line and nothing is written.  Both files must be
// regular files (the database may be missing).
ImportReport ImportCsv(const std::string& csvPath, const std::string& databasePath,
                       ImportMode mode = ImportMode::KeepStored);

// The CSV parsing alone, for callers that already hold the text.
struct CsvDraw {
    int line = 0;
    int drawNumber = 0;
    std::string date;
    int numbers[9] = {};
    unsigned present = 0;  // bit i: field i has a value
};
std::vector<CsvDraw> ParseDrawCsv(const std::string& text, const std::string& fileName);
