#include "app/commands/ExportCommand.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include "app/commands/CommandTable.h"
#include "app/commands/Commands.h"
#include "app/commands/WindowGrids.h"
#include "grid/GridExport.h"

std::optional<ExportFormat> ExportFormatOf(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("csv")) return ExportFormat::Csv;
    if (suffix == QLatin1String("png")) return ExportFormat::Png;
    if (suffix == QLatin1String("pdf")) return ExportFormat::Pdf;
    return std::nullopt;
}

// Writes a window's grids to a file whose extension names the format; a
// build that stopped writes what was built, with status 1.
int RunExportCommand(const CommandArgs& args, std::ostream&, std::ostream& err) {
    const std::string out = *args.Value("--out");
    const std::optional<ExportFormat> format = ExportFormatOf(out);
    if (!format)
        throw UsageError("--out のファイル名は .csv、.png、.pdf のどれかで終えてください。");
    if (*format != ExportFormat::Csv &&
        !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << "画像とPDFは、描画のできるアプリケーションの中でしか作れません。\n";
        return kStatusError;
    }
    WindowGrids w;
    const int status = BuildWindow(args.Word(1), args.DatabasePath(), w, err);
    if (status == kStatusUsage) return status;
    const QString path = QString::fromStdString(out);
    if (*format == ExportFormat::Csv) {
        SaveCsv(path, w.Named(), CsvEncoding::Utf8);
    } else if (*format == ExportFormat::Png) {
        SavePng(path, w.Document());
    } else {
        SavePdf(path, w.Document());
    }
    return status;
}
