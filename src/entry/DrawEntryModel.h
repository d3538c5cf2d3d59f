#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <memory>

#include "data/EditableRecordSet.h"

// The entry grid's table over its updatable record set: column 0 the draw
// number (display-only), columns 1 … 9 the nine number fields.  A committed
// cell, an inserted row and a deleted row reach the database at once.  A value
// other than 1 … 37 or empty, or a number another field of the draw already
// holds, is refused and not written; refusals and database errors go to the
// error reporter, and the row keeps its stored state.
class DrawEntryModel : public QAbstractTableModel {
  public:
    using ErrorReporter = std::function<void(const QModelIndex& cell, const QString& message)>;

    explicit DrawEntryModel(std::unique_ptr<EditableRecordSet> records, QObject* parent = nullptr);

    void SetErrorReporter(ErrorReporter report) { report_ = std::move(report); }
    const EditableRecordSet& Records() const { return *records_; }
    QString CellText(int row, int column) const;

    // Writes a new, empty draw right after row (-1: at the top); returns the
    // new row, or -1 when the database refused it.
    int InsertRowAfter(int row);
    // Deletes the row's draw; false when the database refused it.
    bool DeleteRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  private:
    // The number field (0 … 8) of the row other than except that shows
    // number, or -1.
    int FieldHolding(int row, int number, int except) const;
    void Report(const QModelIndex& cell, const QString& message) const;

    std::unique_ptr<EditableRecordSet> records_;
    ErrorReporter report_;
};
