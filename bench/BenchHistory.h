#pragma once

// Where the benchmarks keep their databases, and the bundled history loaded
// as the program loads it.

#include <filesystem>
#include <string>

#include "core/GlobalBas.h"
#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"

// A file of the benchmarks' scratch folder (made if missing).
inline std::string BenchScratchFile(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "loto7-bench";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

// The draws of `csv` imported into a new database `name` of that folder.
inline std::string ImportedBenchDatabase(const std::string& csv, const std::string& name) {
    const std::string db = BenchScratchFile(name);
    std::filesystem::remove(db);
    ImportCsv(csv, db);
    return db;
}

// The bundled history, imported once and opened.
inline const GlobalBas& BundledHistory() {
    static const GlobalBas g = [] {
        GlobalBas loaded;
        OpenDrawStore(loaded, ImportedBenchDatabase(LOTO7_BUNDLED_HISTORY, "bundled.mdb"));
        return loaded;
    }();
    return g;
}
