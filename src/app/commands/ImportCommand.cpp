#include <iostream>
#include <iterator>

#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "core/FileAccess.h"
#include "data/CsvImport.h"
#include "paste/PastePreview.h"

namespace {

void PrintReport(const ImportReport& report, const std::string& databasePath, std::ostream& out,
                 std::ostream& err) {
    for (const std::string& line : report.replaced) out << line << "\n";
    for (const std::string& line : report.conflicts) err << line << "\n";
    if (!report.missing.empty()) err << MissingDrawsWarning(report.missing) << "\n";
    out << ImportSummary(report, databasePath) << "\n";
}

// The text to read: a file, or standard input for "-", at most what a paste
// reads.
std::string PastedBytes(const std::string& source) {
    if (source != "-") return ReadBoundedFile(source, kMostPastedBytes, "テキストファイル");
    std::string bytes;
    char buffer[65536];
    while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(std::cin.gcount()));
        if (static_cast<qsizetype>(bytes.size()) > kMostPastedBytes) break;
    }
    return bytes;
}

// Prints what the text holds; stores it only with --yes, the stored draws
// it contradicts only with --replace as well.
int RunImportText(const CommandArgs& args, const std::string& source, std::ostream& out,
                  std::ostream& err) {
    if (args.WordCount() != 1) {
        throw UsageError("--text を使うときはCSVファイルを指定しません。");
    }
    const std::string format = args.Value("--format").value_or("text");
    if (format != "text" && format != "json") {
        throw UsageError("--format には text か json を指定してください。");
    }
    const PastePreview preview = PreviewPasteBytes(PastedBytes(source), args.DatabasePath());
    out << (format == "json" ? PreviewJson(preview) : PreviewText(preview));
    if (!preview.refusal.isEmpty()) {
        if (format == "json") err << preview.refusal.toStdString() << "\n";
        return kStatusError;
    }
    bool unreadable = false;
    bool changed = false;
    for (const PreviewRow& row : preview.rows) {
        unreadable = unreadable || row.status == PasteStatus::Unreadable;
        changed = changed || row.status == PasteStatus::Changed;
    }
    if (!args.Has("--yes")) {
        err << "まだ何も登録していません。登録するには --yes を付けてください。\n";
        return unreadable || changed ? kStatusConflicts : kStatusDone;
    }
    std::vector<bool> all(preview.rows.size(), true);
    const ImportReport report =
        ImportDraws(DrawsToStore(preview, all), args.DatabasePath(),
                    args.Has("--replace") ? ImportMode::ReplaceStored : ImportMode::KeepStored);
    PrintReport(report, args.DatabasePath(), format == "json" ? err : out, err);
    return report.conflicts.empty() && !unreadable ? kStatusDone : kStatusConflicts;
}

}  // namespace

// Loads draws from a CSV file, or from text copied from a results page
// (--text); the stored draws the input contradicts are listed and kept
// unless --replace.
int RunImportCommand(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    if (const auto source = args.Value("--text")) return RunImportText(args, *source, out, err);
    if (args.WordCount() != 2) throw UsageError("取り込むCSVファイルを1つ指定してください。");
    if (args.Has("--yes") || args.Has("--format")) {
        throw UsageError("--yes と --format は --text と一緒に使います。");
    }
    const ImportReport report =
        ImportCsv(args.Word(1), args.DatabasePath(),
                  args.Has("--replace") ? ImportMode::ReplaceStored : ImportMode::KeepStored);
    PrintReport(report, args.DatabasePath(), out, err);
    return report.conflicts.empty() ? kStatusDone : kStatusConflicts;
}
