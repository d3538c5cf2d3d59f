#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QSize>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPageSize;
class QWidget;

// A print preview as a window asks for it.  The preview itself (Qt Print
// Support's) lives in the library loaded on first use (OnDemandLibrary.h).
struct PrintJob {
    QString caption;  // the document's name for the printer
    QString title;    // the preview's title
    QMarginsF marginsMillimetres;
    // The orientation the pages want on a paper.
    std::function<QPageLayout::Orientation(const QPageSize&)> orientation;
    // Paints the pages from … to (1-based; 0 and 0 for all) on the printer.
    std::function<void(QPagedPaintDevice&, int fromPage, int toPage)> paintPages;
    QSize size;  // of the preview; empty for Qt's own
};

// Shows the preview, from which the user prints, until it is closed.
// False when the library cannot be loaded; PrintLibraryProblem says why.
bool ShowPrintPreview(const PrintJob& job, QWidget* parent);
QString PrintLibraryProblem();
