#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QSize>
#include <QString>
#include <vector>

#include "core/GridDump.h"
#include "grid/GridDocument.h"
#include "grid/PrintLayout.h"

class QPagedPaintDevice;

// Writing a window's grids to files and pages.  Every Save… function makes
// the file's bytes in memory and writes them whole (WriteWholeFile): the
// previous file stays byte for byte as it was unless all of them reach the
// disk.  They throw UserError, with a Japanese message naming the file and
// the cause, when the file cannot be written or may not be replaced.

enum class CsvEncoding {
    Utf8,      // with a byte order mark, by which spreadsheets know UTF-8
    ShiftJis,  // code page 932, for spreadsheets that read nothing else
};

// The bytes of the CSV file: what `dump --format csv` writes.  Throws
// UserError when a text has no Shift-JIS form.
QByteArray CsvBytes(const std::vector<NamedGrid>& grids, CsvEncoding encoding);
void SaveCsv(const QString& path, const std::vector<NamedGrid>& grids, CsvEncoding encoding);

// The image holds the grids (not those only printed) one under the other
// under their labels, at full size as their geometries draw them; a
// document of one grid without a label is exactly the grid.
QSize ImageSize(const GridDocument& document);
void SavePng(const QString& path, const GridDocument& document);

// Pages: A4 (or the device's paper) with 10 mm margins; each page has a
// header line (the caption, the draw range, the date and "page / pages")
// and its part of the grids as PrintLayout places them.
QPageLayout::Orientation PreferredOrientation(const GridDocument& document, const QPageSize& paper);
QPageLayout DefaultPageLayout(const GridDocument& document);
// The layout of the document on the device's pages.
PrintLayout LayOutPages(const GridDocument& document, const QPagedPaintDevice& device);
// Paints pages fromPage … toPage (from 1; 0 and 0 for all) on the device:
// a printer, the print preview or a PDF writer.
void PaintPages(QPagedPaintDevice& device, const GridDocument& document, int fromPage = 0,
                int toPage = 0);
void SavePdf(const QString& path, const GridDocument& document);
