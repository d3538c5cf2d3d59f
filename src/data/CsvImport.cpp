#include "data/CsvImport.h"

#include "core/FileAccess.h"
#include "data/Database.h"
#include "data/NewDatabaseFile.h"
#include "data/Schema.h"

ImportReport ImportCsv(const std::string& csvPath, const std::string& databasePath,
                       ImportMode mode) {
    return ImportDraws(ParseDrawCsv(ReadBoundedFile(csvPath, kMaxCsvBytes, "CSVファイル"), csvPath),
                       databasePath, mode);
}

ImportReport ImportDraws(const std::vector<CsvDraw>& draws, const std::string& databasePath,
                         ImportMode mode) {
    RequireRegularFile(databasePath, "データベースファイル", true);
    ImportReport report;
    const auto store = [&](const Database& db) {
        EnsureSchema(db);
        report = StoreDraws(db, draws, mode);
        report.missing = MissingDrawNumbers(db);
    };
    if (KindOf(databasePath) == FileKind::Missing && CreateDatabaseFile(databasePath, store)) {
        return report;
    }
    // The file exists (or another program has just made it): add to it.
    const Database db = Database::Open(databasePath, Database::Mode::ReadWrite);
    InTransaction(db, [&] { store(db); });
    return report;
}
