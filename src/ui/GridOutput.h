#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "grid/GridDocument.h"
#include "grid/GridExport.h"

class GridView;
class QAction;
class QWidget;

// A window's 印刷 and the right-click menu of its grids: "CSVで保存...",
// "画像で保存...", "PDFで保存..." and "印刷...".  The window's document is
// made when a command runs, from its grids as they are shown then.  The
// file dialogs are Qt's own (in Japanese with the rest of the program); a
// file that cannot be written is reported in a message naming it.
class GridOutput : public QObject {
  public:
    using DocumentMaker = std::function<GridDocument()>;

    // The menu's commands, in its order.
    static const QStringList& CommandTexts();

    GridOutput(QWidget* window, DocumentMaker makeDocument);

    // Gives the view the four commands as its right-click menu.
    void AddMenuTo(GridView* view);

    // The print preview, from which the user prints (choosing the printer
    // and the pages) or saves a PDF file.
    void Print();
    // Each asks for a file and saves to it.
    void AskAndSaveCsv();
    void AskAndSaveImage();
    void AskAndSavePdf();

    // Save to a file; false, after a message, when it could not be written.
    bool SaveCsvTo(const QString& path, CsvEncoding encoding);
    bool SaveImageTo(const QString& path);
    bool SavePdfTo(const QString& path);

  private:
    // The file the user chose, or empty; filter is the file type chosen.
    QString AskFile(const QString& title, const QStringList& filters, const QString& suffix,
                    QString* filter = nullptr);
    // Runs save with the hourglass; shows what it throws.
    bool Run(const std::function<void()>& save);

    QWidget* window_;
    DocumentMaker makeDocument_;
    QList<QAction*> actions_;
};
