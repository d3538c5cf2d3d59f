#include "entry/DrawEntryModel.h"

#include <algorithm>

#include "core/QtConversions.h"
#include "entry/EntryColumns.h"
#include "entry/EntryQuestions.h"
#include "entry/NumberText.h"

namespace {

QString RefusalText(const QString& text) {
    return QStringLiteral(
               "当選データの数字は1から37までの整数で入力してください。"
               "「%1」は保存されません。")
        .arg(text);
}

QString DuplicateText(int number, std::string_view holder) {
    return QStringLiteral("「%1」は「%2」に既にあります。").arg(number).arg(FromView(holder));
}

// The stored value as a number field holds it: empty, or a whole number.
std::optional<int> AsNumber(const FieldValue& stored) {
    const auto* whole = std::get_if<long long>(&stored);
    return whole ? std::optional<int>(static_cast<int>(*whole)) : std::nullopt;
}

bool SameValue(const FieldValue& stored, std::optional<int> value) {
    if (!value) return std::holds_alternative<std::monostate>(stored);
    const auto* whole = std::get_if<long long>(&stored);
    return whole && *whole == *value;
}

}  // namespace

DrawEntryModel::DrawEntryModel(std::unique_ptr<EditableRecordSet> records, QObject* parent)
    : QAbstractTableModel(parent), records_(std::move(records)) {}

int DrawEntryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(records_->RecordCount());
}

int DrawEntryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kEntryColumnCount;
}

QString DrawEntryModel::CellText(int row, int column) const {
    const EditableRow& stored = records_->Row(static_cast<std::size_t>(row));
    return ::CellText(column == 0 ? stored.drawNumber : stored.numbers.at(column - 1));
}

QVariant DrawEntryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const EntryColumn& column = EntryColumns().at(index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return CellText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::ForegroundRole:
            return column.fore.isValid() ? QVariant(column.fore) : QVariant();
        case Qt::BackgroundRole:
            return column.back.isValid() ? QVariant(column.back) : QVariant();
        default:
            return {};
    }
}

QVariant DrawEntryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return section + 1;
    const std::string_view field = EntryColumns().at(section).field;
    return FromView(field);
}

Qt::ItemFlags DrawEntryModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (EntryColumns().at(index.column()).editable) flags |= Qt::ItemIsEditable;
    return flags;
}

bool DrawEntryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    const QString text = value.toString();
    const EnteredNumber entered = ParseEnteredNumber(text);
    if (!entered.accepted) {
        Report(index, RefusalText(text));
        return false;
    }
    const auto row = static_cast<std::size_t>(index.row());
    const int field = index.column() - 1;
    if (SameValue(records_->Row(row).numbers.at(field), entered.value)) return true;
    // The nine numbers of a draw all differ: the two bonus numbers are drawn
    // from the balls left after the seven.
    if (entered.value) {
        const int holder = FieldHolding(index.row(), *entered.value, field);
        if (holder >= 0) {
            Report(index, DuplicateText(*entered.value, kNumberFields[holder]));
            return false;
        }
    }
    const FieldValue draw = records_->Row(row).drawNumber;
    if (ask_ && IsComplete(index.row())) {
        const std::optional<int> newValue = entered.value;
        ask_(ChangeQuestion(records_->Row(row), field, newValue),
             [this, draw, field, newValue] { StoreNumber(draw, field, newValue); });
        return false;
    }
    return StoreNumber(draw, field, entered.value).isValid();
}

QModelIndex DrawEntryModel::StoreNumber(const FieldValue& draw, int field, std::optional<int> value,
                                        bool record) {
    const int row = RowOf(draw);
    if (row < 0) return {};
    const FieldValue before = records_->Row(static_cast<std::size_t>(row)).numbers.at(field);
    const QModelIndex cell = index(row, field + 1);
    try {
        records_->SetNumber(static_cast<std::size_t>(row), field, value);
    } catch (const UserError& e) {
        Report(cell, QString::fromStdString(e.what()));
        return {};
    }
    written_ = true;
    // A value no number field can hold (stored by another program) cannot be
    // written back; the change is kept out of the history.
    if (record && (std::holds_alternative<std::monostate>(before) || AsNumber(before))) {
        history_.Record({draw, field, AsNumber(before), value});
    }
    emit dataChanged(index(row, 0), index(row, kEntryColumnCount - 1));
    return cell;
}

QModelIndex DrawEntryModel::Undo() {
    const NumberChange* change = history_.NextUndo();
    if (!change) return {};
    const QModelIndex cell = StoreNumber(change->draw, change->field, change->before, false);
    if (cell.isValid()) history_.Undone();
    return cell;
}

QModelIndex DrawEntryModel::Redo() {
    const NumberChange* change = history_.NextRedo();
    if (!change) return {};
    const QModelIndex cell = StoreNumber(change->draw, change->field, change->after, false);
    if (cell.isValid()) history_.Redone();
    return cell;
}

int DrawEntryModel::RowOf(const FieldValue& draw) const {
    for (int r = 0; r < rowCount(); ++r) {
        if (records_->Row(static_cast<std::size_t>(r)).drawNumber == draw) return r;
    }
    return -1;
}

bool DrawEntryModel::IsEmpty(int row) const {
    const EditableRow& stored = records_->Row(static_cast<std::size_t>(row));
    return std::all_of(stored.numbers.begin(), stored.numbers.end(), [](const FieldValue& v) {
        return std::holds_alternative<std::monostate>(v);
    });
}

bool DrawEntryModel::IsComplete(int row) const {
    const EditableRow& stored = records_->Row(static_cast<std::size_t>(row));
    return std::none_of(stored.numbers.begin(), stored.numbers.end(), [](const FieldValue& v) {
        return std::holds_alternative<std::monostate>(v);
    });
}

int DrawEntryModel::InsertRowAfter(int row) {
    const int position = std::clamp(row + 1, 0, rowCount());
    try {
        records_->InsertAt(
            static_cast<std::size_t>(position),
            {[&] { beginInsertRows({}, position, position); }, [&] { endInsertRows(); }});
    } catch (const UserError& e) {
        Report(index(std::min(row, rowCount() - 1), 0), QString::fromStdString(e.what()));
        return -1;
    }
    written_ = true;
    return position;
}

bool DrawEntryModel::DeleteRow(int row) {
    if (row < 0 || row >= rowCount()) return false;
    const FieldValue draw = records_->Row(static_cast<std::size_t>(row)).drawNumber;
    try {
        records_->Delete(static_cast<std::size_t>(row),
                         {[&] { beginRemoveRows({}, row, row); }, [&] { endRemoveRows(); }});
    } catch (const UserError& e) {
        Report(index(row, 0), QString::fromStdString(e.what()));
        return false;
    }
    written_ = true;
    history_.Forget(draw);
    return true;
}

int DrawEntryModel::FieldHolding(int row, int number, int except) const {
    const QString text = QString::number(number);
    for (int f = 0; f < kFieldCount; ++f) {
        if (f != except && CellText(row, 1 + f) == text) return f;
    }
    return -1;
}

void DrawEntryModel::Report(const QModelIndex& cell, const QString& message) const {
    if (report_) report_(cell, message);
}
