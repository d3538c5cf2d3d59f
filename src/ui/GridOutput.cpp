#include "ui/GridOutput.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/CurrentException.h"
#include "grid/GridView.h"
#include "ui/ChildWindow.h"
#include "ui/Messages.h"
#include "ui/PrintPreview.h"

namespace {

const QString kCsvUtf8Filter = QStringLiteral("CSV（UTF-8） (*.csv)");
const QString kCsvShiftJisFilter = QStringLiteral("CSV（Shift-JIS・古いExcel用） (*.csv)");

// Where the next save dialog opens: the folder of the last file saved, at
// first the user's documents.
QString& LastFolder() {
    static QString folder = [] {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QDir(documents).exists() ? documents : QDir::homePath();
    }();
    return folder;
}

}  // namespace

const QStringList& GridOutput::CommandTexts() {
    static const QStringList texts = {
        QStringLiteral("CSVで保存(&S)..."), QStringLiteral("画像で保存(&G)..."),
        QStringLiteral("PDFで保存(&F)..."), QStringLiteral("印刷(&P)...")};
    return texts;
}

GridOutput::GridOutput(QWidget* window, DocumentMaker makeDocument)
    : QObject(window), window_(window), makeDocument_(std::move(makeDocument)) {
    const std::function<void()> commands[] = {[this] { AskAndSaveCsv(); },
                                              [this] { AskAndSaveImage(); },
                                              [this] { AskAndSavePdf(); }, [this] { Print(); }};
    for (int i = 0; i < CommandTexts().size(); ++i) {
        auto* action = new QAction(CommandTexts()[i], this);
        connect(action, &QAction::triggered, this, commands[i]);
        actions_.append(action);
    }
}

void GridOutput::AddMenuTo(GridView* view) {
    view->addActions(actions_);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

// The paper the printer has, turned for the grids; each preview and each
// print lays the pages out afresh for the paper then chosen.
void GridOutput::Print() {
    const GridDocument document = makeDocument_();
    const QWidget* main = window_->window();
    const PrintJob job{
        .caption = document.caption,
        .title = QStringLiteral("%1 - 印刷プレビュー").arg(document.caption),
        .marginsMillimetres = DefaultPageLayout(document).margins(),
        .orientation =
            [&](const QPageSize& paper) { return PreferredOrientation(document, paper); },
        .paintPages = [&](QPagedPaintDevice& printer, int from,
                          int to) { Run([&] { PaintPages(printer, document, from, to); }); },
        .size = main ? main->size() * 9 / 10 : QSize()};
    if (!ShowPrintPreview(job, window_)) ShowMessage(window_, PrintLibraryProblem());
}

QString GridOutput::AskFile(const QString& title, const QStringList& filters, const QString& suffix,
                            QString* filter) {
    const QString name = makeDocument_().caption + QLatin1Char('.') + suffix;
    QFileDialog dialog(window_, title, QDir(LastFolder()).filePath(name));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString file = dialog.selectedFiles().front();
    LastFolder() = QFileInfo(file).absolutePath();
    if (filter) *filter = dialog.selectedNameFilter();
    return file;
}

void GridOutput::AskAndSaveCsv() {
    QString filter;
    const QString file = AskFile(QStringLiteral("CSVで保存"), {kCsvUtf8Filter, kCsvShiftJisFilter},
                                 QStringLiteral("csv"), &filter);
    if (file.isEmpty()) return;
    SaveCsvTo(file, filter == kCsvShiftJisFilter ? CsvEncoding::ShiftJis : CsvEncoding::Utf8);
}

void GridOutput::AskAndSaveImage() {
    const QString file = AskFile(QStringLiteral("画像で保存"), {QStringLiteral("PNG画像 (*.png)")},
                                 QStringLiteral("png"));
    if (!file.isEmpty()) SaveImageTo(file);
}

void GridOutput::AskAndSavePdf() {
    const QString file = AskFile(QStringLiteral("PDFで保存"), {QStringLiteral("PDF (*.pdf)")},
                                 QStringLiteral("pdf"));
    if (!file.isEmpty()) SavePdfTo(file);
}

bool GridOutput::SaveCsvTo(const QString& path, CsvEncoding encoding) {
    return Run([&] { SaveCsv(path, makeDocument_().csv, encoding); });
}

bool GridOutput::SaveImageTo(const QString& path) {
    return Run([&] { SavePng(path, makeDocument_()); });
}

bool GridOutput::SavePdfTo(const QString& path) {
    return Run([&] { SavePdf(path, makeDocument_()); });
}

bool GridOutput::Run(const std::function<void()>& save) {
    QString failure;
    {
        Hourglass hourglass;
        try {
            save();
        } catch (...) {
            failure = QString::fromStdString(MessageOfCurrentException());
        }
    }
    if (failure.isEmpty()) return true;
    ShowMessage(window_, failure);
    return false;
}
