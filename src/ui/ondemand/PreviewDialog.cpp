#include "ui/ondemand/PreviewDialog.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

void RunPreviewDialog(const PrintJob& job, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job.caption);
    printer.setPageMargins(job.marginsMillimetres, QPageLayout::Millimeter);
    printer.setPageOrientation(job.orientation(printer.pageLayout().pageSize()));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(job.title);
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview, [&job](QPrinter* target) {
            const bool range = target->printRange() == QPrinter::PageRange;
            job.paintPages(*target, range ? target->fromPage() : 0, range ? target->toPage() : 0);
        });
    if (job.size.isValid()) preview.resize(job.size);
    preview.exec();
}
