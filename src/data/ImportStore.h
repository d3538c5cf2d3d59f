#pragma once

#include <string>
#include <vector>

#include "data/Database.h"
#include "data/DrawGaps.h"

struct CsvDraw;

// What to do with a draw already stored with other numbers than the file's.
enum class ImportMode { KeepStored, ReplaceStored };

// What an import did.  Draws already stored with the same numbers are left
// alone; a stored draw with other numbers is kept (conflicts) or, when asked,
// replaced by the file's numbers (replaced).  One Japanese line per draw.
struct ImportReport {
    int added = 0;
    int unchanged = 0;
    std::vector<std::string> conflicts;
    std::vector<std::string> replaced;
    // Draws whose prize lines were stored (added to or replaced).
    int prizeDraws = 0;
    // Draw numbers missing among those stored after the import: a warning,
    // the file is stored all the same.
    std::vector<DrawGap> missing;
};

// Writes parsed draws into an open database, inside the caller's transaction.
// A draw's prize lines go in beside its numbers, over the stored ones; prize
// lines that differ from stored ones are kept stored (a conflict) unless
// mode replaces, as numbers are.
ImportReport StoreDraws(const Database& db, const std::vector<CsvDraw>& draws, ImportMode mode);

// One line for the user: "「file」に 5回分を追加しました。(登録済み 3回分、…)".
std::string ImportSummary(const ImportReport& report, const std::string& databasePath);

// The summary followed by every replaced and every kept conflicting draw,
// one a line, and the warning about missing draw numbers, for a message box.
std::string ImportReportText(const ImportReport& report, const std::string& databasePath);
