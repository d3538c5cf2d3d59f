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
        case kPlainTextRole:
            return PlainText(cell.x(), cell.y());
        case Qt::AccessibleDescriptionRole: {
            const CellMeaning* meaning = MeaningOf(cell.x(), cell.y());
            return meaning ? meaning->meaning : QString();
        }
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

const CellMeaning* GridModel::MeaningOf(int column, int row) const {
    if (!grid_ || meanings_.empty() || !grid_->Contains(column, row)) return nullptr;
    const ResultGrid::CellView cell = grid_->Cell(column, row);
    for (const CellMeaning& meaning : meanings_) {
        if (meaning.background ? cell.back == meaning.colour
                               : cell.fore == meaning.colour && !cell.text.empty()) {
            return &meaning;
        }
    }
    return nullptr;
}

QString GridModel::PlainText(int column, int row) const {
    const QString text = Text(column, row).trimmed();
    const CellMeaning* meaning = MeaningOf(column, row);
    if (meaning && !meaning->copiedMark.isEmpty() && text == meaning->mark) {
        return meaning->copiedMark;
    }
    return text;
}

// Two cells side by side in the row look like one: the same background and
// no line between them (the left one's right side and the right one's left
// side both undrawn).
bool GridModel::JoinedToNext(int column, int row) const {
    return grid_->BackColorOf(column, row) == grid_->BackColorOf(column + 1, row) &&
           grid_->BorderOf(column, row, static_cast<int>(ResultGrid::Side::Right)).style == 0 &&
           grid_->BorderOf(column + 1, row, static_cast<int>(ResultGrid::Side::Left)).style == 0;
}

QString GridModel::HeadingText(int column, int row) const {
    if (!grid_ || !grid_->Contains(column, row)) return {};
    QString text = Text(column, row).trimmed();
    if (!text.isEmpty()) return text;
    // The nearest text of the band, the right one first at equal distance (a
    // band's text is centred in it, a heading to its left has its own line).
    // A row's label stays within the frozen columns.
    const int last = row <= FrozenRows() ? columns_ : FrozenColumns();
    bool leftOpen = true;
    bool rightOpen = true;
    for (int step = 1; leftOpen || rightOpen; ++step) {
        const int right = column + step;
        rightOpen = rightOpen && right <= last && JoinedToNext(right - 1, row);
        if (rightOpen && !(text = Text(right, row).trimmed()).isEmpty()) return text;
        const int left = column - step;
        leftOpen = leftOpen && left >= 1 && JoinedToNext(left, row);
        if (leftOpen && !(text = Text(left, row).trimmed()).isEmpty()) return text;
    }
    return {};
}

QString GridModel::JoinedTexts(int firstColumn, int firstRow, int lastColumn, int lastRow) const {
    QStringList texts;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QString text = HeadingText(column, row);
            if (!text.isEmpty() && !texts.contains(text)) texts << text;
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
