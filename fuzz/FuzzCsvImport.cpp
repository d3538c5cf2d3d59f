// The CSV importer on arbitrary text: either a clear refusal, or draws whose
// every value is in range, which a fresh database then holds exactly.
#include <cstdlib>
#include <filesystem>

#include "FuzzSupport.h"
#include "core/GlobalBas.h"
#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<CsvDraw> draws;
    try {
        draws = ParseDrawCsv(text, "fuzz.csv");
    } catch (const UserError&) {
        return 0;
    }
    for (const CsvDraw& draw : draws) {
        if (draw.drawNumber < 1 || draw.drawNumber > 5000) std::abort();
        for (int f = 0; f < 9; ++f) {
            if ((draw.present >> f & 1u) && (draw.numbers[f] < 1 || draw.numbers[f] > 37)) {
                std::abort();
            }
        }
    }
    if (draws.size() > 200) return 0;  // keep each input fast
    const std::string csv = WriteScratchFile("fuzz.csv", data, size);
    const std::string db = (FuzzScratch() / "fuzz.mdb").string();
    std::filesystem::remove(db);
    const ImportReport report = ImportCsv(csv, db);
    GlobalBas g;
    OpenDrawStore(g, db);
    if (report.added != static_cast<int>(draws.size()) ||
        g.Draws.RecordCount() != draws.size()) {
        std::abort();
    }
    return 0;
}
