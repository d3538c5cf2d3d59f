#include "grid/GridCopy.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QColor>
#include <QMimeData>

#include "grid/GridModel.h"

namespace {

// A text as one field of a tab-separated line: quoted, with its quotes
// doubled, when it holds a tab, a line break or starts with a quote.
QString TsvField(const QString& text) {
    const bool quote = text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) ||
                       text.contains(QLatin1Char('\r')) || text.startsWith(QLatin1Char('"'));
    if (!quote) return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString AlignName(Qt::Alignment align) {
    if (align & Qt::AlignHCenter) return QStringLiteral("center");
    if (align & Qt::AlignRight) return QStringLiteral("right");
    return QStringLiteral("left");
}

// One <td>: the colours both as attributes and as style, which between them
// every spreadsheet's HTML import reads.
QString HtmlCell(const QModelIndex& index) {
    const QString back = index.data(Qt::BackgroundRole).value<QBrush>().color().name();
    const QString fore = index.data(Qt::ForegroundRole).value<QBrush>().color().name();
    const QString align = AlignName(index.data(Qt::TextAlignmentRole).value<Qt::Alignment>());
    const QString text = index.data(Qt::DisplayRole).toString().toHtmlEscaped();
    return QStringLiteral(
               "<td bgcolor=\"%1\" align=\"%3\" "
               "style=\"background-color:%1;color:%2;text-align:%3\">"
               "<font color=\"%2\">%4</font></td>")
        .arg(back, fore, align, text);
}

}  // namespace

CopiedCells CopyCells(const QAbstractItemModel& model, const CellBlock& block) {
    CopiedCells copied;
    copied.html = QStringLiteral(
        "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"
        "</head><body><table border=\"1\" cellspacing=\"0\" "
        "style=\"border-collapse:collapse\">\n");
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        QStringList fields;
        copied.html += QStringLiteral("<tr>");
        for (int column = block.firstColumn; column <= block.lastColumn; ++column) {
            const QModelIndex index = model.index(row - 1, column - 1);
            const QVariant plain = index.data(GridModel::kPlainTextRole);
            fields << TsvField(plain.isValid() ? plain.toString()
                                               : index.data(Qt::DisplayRole).toString());
            copied.html += HtmlCell(index);
        }
        copied.tsv += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
        copied.html += QStringLiteral("</tr>\n");
    }
    copied.html += QStringLiteral("</table></body></html>\n");
    return copied;
}

QMimeData* CopiedCellsData(const QAbstractItemModel& model, const CellBlock& block) {
    const CopiedCells copied = CopyCells(model, block);
    auto* data = new QMimeData;
    data->setText(copied.tsv);
    data->setHtml(copied.html);
    return data;
}
