#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"
#include "support/TestSupport.h"

const GlobalBas& RealHistory() {
    static const GlobalBas history = [] {
        TempDir dir;
        const std::string db = dir.File("history.mdb");
        ImportCsv(BundledCsvPath(), db);
        GlobalBas g;
        OpenDrawStore(g, db);
        return g;
    }();
    return history;
}
