// The CSV importer on arbitrary bytes: either a refusal whose message shows
// no raw control characters, or Loto 7 draws (values in range, no number
// twice in a draw, each draw number once, in file order), which a fresh
// database then holds exactly.
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "FuzzSupport.h"
#include "core/GlobalBas.h"
#include "data/CsvImport.h"
#include "data/DrawStoreLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<CsvDraw> draws;
    try {
        draws = ParseDrawCsv(text, "fuzz.csv");
    } catch (const UserError& e) {
        const std::string_view message = e.what();
        if (!message.starts_with("CSVファイル「fuzz.csv」")) std::abort();
        int lineBreaks = 0;
        for (const char c : message) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\n') std::abort();
            lineBreaks += c == '\n';
        }
        if (lineBreaks != 1) std::abort();
        return 0;
    }
    bool seen[5001] = {};
    int lastLine = 0;
    for (const CsvDraw& draw : draws) {
        if (draw.drawNumber < 1 || draw.drawNumber > 5000 || seen[draw.drawNumber]) std::abort();
        seen[draw.drawNumber] = true;
        if (draw.line <= lastLine) std::abort();
        lastLine = draw.line;
        bool used[38] = {};
        for (int f = 0; f < 9; ++f) {
            if (!(draw.present >> f & 1u)) continue;
            const int n = draw.numbers[f];
            if (n < 1 || n > 37 || used[n]) std::abort();
            used[n] = true;
        }
    }
    if (draws.size() > 200) return 0;  // keep each input fast
    const std::string csv = WriteScratchFile("fuzz.csv", data, size);
    const std::string db = (FuzzScratch() / "fuzz.mdb").string();
    std::filesystem::remove(db);
    const ImportReport report = ImportCsv(csv, db);
    GlobalBas g;
    OpenDrawStore(g, db);
    if (report.added != static_cast<int>(draws.size()) || g.Draws.RecordCount() != draws.size()) {
        std::abort();
    }
    return 0;
}
