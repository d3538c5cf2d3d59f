#include "grid/GridModel.h"

#include <QBrush>
#include <algorithm>

#include "grid/QtColor.h"

namespace {

Qt::Alignment AlignmentOf(const ResultGrid::CellView& cell) {
    Qt::Alignment align;
    switch (cell.halign) {
        case ResultGrid::HAlign::Left:
            align = Qt::AlignLeft;
            break;
        case ResultGrid::HAlign::Right:
            align = Qt::AlignRight;
            break;
        case ResultGrid::HAlign::Center:
            align = Qt::AlignHCenter;
            break;
    }
    switch (cell.valign) {
        case ResultGrid::VAlign::Top:
            return align | Qt::AlignTop;
        case ResultGrid::VAlign::Bottom:
            return align | Qt::AlignBottom;
        case ResultGrid::VAlign::Center:
            break;
    }
    return align | Qt::AlignVCenter;
}

}  // namespace

void GridModel::SetGrid(const ResultGrid* grid) {
    beginResetModel();
    grid_ = grid;
    rows_ = grid ? grid->RowCount() : 0;
    columns_ = grid ? grid->ColumnCount() : 0;
    endResetModel();
}

void GridModel::Reread() {
    if (!grid_ || grid_->RowCount() != rows_ || grid_->ColumnCount() != columns_) {
        SetGrid(grid_);
        return;
    }
    if (rows_ == 0 || columns_ == 0) return;
    emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

int GridModel::FrozenRows() const { return grid_ ? std::clamp(grid_->FrozenRows(), 0, rows_) : 0; }

int GridModel::FrozenColumns() const {
    return grid_ ? std::clamp(grid_->FrozenColumns(), 0, columns_) : 0;
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QString GridModel::Text(int column, int row) const {
    const std::uint32_t text = grid_->TextIndex(column, row);
    return text == 0 ? QString() : QString::fromStdString(grid_->TextByIndex(text));
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!grid_ || !checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const QPoint cell = CellOf(index);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return Text(cell.x(), cell.y());
        case Qt::BackgroundRole:
            return QBrush(ToQColor(grid_->Cell(cell.x(), cell.y()).back));
        case Qt::ForegroundRole:
            return QBrush(ToQColor(grid_->Cell(cell.x(), cell.y()).fore));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(AlignmentOf(grid_->Cell(cell.x(), cell.y())));
        default:
            return {};
    }
}

QString GridModel::JoinedTexts(int firstColumn, int firstRow, int lastColumn, int lastRow) const {
    QStringList texts;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QString text = Text(column, row).trimmed();
            if (!text.isEmpty()) texts << text;
        }
    }
    return texts.join(QLatin1Char(' '));
}

// A grid without frozen rows (columns) has no column (row) headings.
QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!grid_ || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columns_ || FrozenRows() == 0) return {};
        return JoinedTexts(section + 1, 1, section + 1, FrozenRows());
    }
    if (section < 0 || section >= rows_ || FrozenColumns() == 0) return {};
    return JoinedTexts(1, section + 1, FrozenColumns(), section + 1);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
