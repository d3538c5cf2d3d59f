#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/DrawCsv.h"
#include "data/ImportStore.h"

// The largest CSV file an import reads.
inline constexpr std::uintmax_t kMaxCsvBytes = 64u << 20;

// Loads draws from a CSV file (see ParseDrawCsv) into the database file in
// one transaction, creating the file and its schema when missing (all at
// once, see CreateDatabaseFile).  A file with any bad line is refused whole:
// UserError names the line and nothing is written.  Both files must be
// regular files (the database may be missing).
// Stores draws read from a file or a paste in the same way, all in one
// transaction (nothing stored when any draw is refused).
ImportReport ImportDraws(const std::vector<CsvDraw>& draws, const std::string& databasePath,
                         ImportMode mode);

ImportReport ImportCsv(const std::string& csvPath, const std::string& databasePath,
                       ImportMode mode = ImportMode::KeepStored);
