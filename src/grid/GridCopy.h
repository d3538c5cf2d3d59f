#pragma once

#include <QString>

#include "grid/GridGeometry.h"

class QAbstractItemModel;
class QMimeData;

// A block of cells as a spreadsheet takes it from the clipboard: its texts
// as tab-separated lines (as plain text: GridModel::kPlainTextRole where the
// model gives it), and as an HTML table with each cell's background,
// text colour and alignment (which LibreOffice Calc and Excel keep on
// pasting).  Read through the model's roles; block is 1-based.
struct CopiedCells {
    QString tsv;
    QString html;
};
CopiedCells CopyCells(const QAbstractItemModel& model, const CellBlock& block);

// The same as clipboard data: text/plain and text/html.
QMimeData* CopiedCellsData(const QAbstractItemModel& model, const CellBlock& block);
