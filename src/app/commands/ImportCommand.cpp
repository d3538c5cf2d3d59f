#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "data/CsvImport.h"

// Loads draws from a CSV file; the stored draws the file contradicts are
// listed and kept unless --replace.
int RunImportCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    const ImportReport report =
        ImportCsv(args.Word(1), args.DatabasePath(),
                  args.Has("--replace") ? ImportMode::ReplaceStored : ImportMode::KeepStored);
    for (const std::string& line : report.replaced) out << line << "\n";
    for (const std::string& line : report.conflicts) err << line << "\n";
    if (!report.missing.empty()) err << MissingDrawsWarning(report.missing) << "\n";
    out << ImportSummary(report, args.DatabasePath()) << "\n";
    return report.conflicts.empty() ? kStatusDone : kStatusConflicts;
}
