#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <memory>

#include "data/EditableRecordSet.h"
#include "entry/EditHistory.h"

// The entry grid's table over its updatable record set: column 0 the draw
// number (display-only), columns 1 … 9 the nine number fields.  A committed
// cell, an inserted row and a deleted row reach the database at once.  A value
// other than 1 … 37 or empty, or a number another field of the draw already
// holds, is refused and not written; refusals and database errors go to the
// error reporter, and the row keeps its stored state.
//
// A change to a draw whose nine numbers are all stored is not written at
// once: the change asker gets the question and the write to run on a yes
// (without an asker it is written).  Every stored change can be undone and
// redone, back to when the model was made.
class DrawEntryModel : public QAbstractTableModel {
  public:
    using ErrorReporter = std::function<void(const QModelIndex& cell, const QString& message)>;
    using ChangeAsker = std::function<void(const QString& question, std::function<void()> write)>;

    explicit DrawEntryModel(std::unique_ptr<EditableRecordSet> records, QObject* parent = nullptr);

    void SetErrorReporter(ErrorReporter report) { report_ = std::move(report); }
    void SetChangeAsker(ChangeAsker ask) { ask_ = std::move(ask); }
    const EditableRecordSet& Records() const { return *records_; }
    QString CellText(int row, int column) const;

    // Writes a new, empty draw right after row (-1: at the top); returns the
    // new row, or -1 when the database refused it.
    int InsertRowAfter(int row);
    // Deletes the row's draw; false when the database refused it.
    bool DeleteRow(int row);

    // Writes the last stored change's old value back (Undo) or its new value
    // again (Redo); returns the cell, invalid when there was nothing to do or
    // the database refused it.
    QModelIndex Undo();
    QModelIndex Redo();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // No number of the row's draw is entered yet.
    bool IsEmpty(int row) const;
    // True once anything reached the database through this model.
    bool Written() const { return written_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  private:
    // Stores a number of the draw numbered draw wherever its row now is;
    // the cell, or invalid when the row is gone or the database refused.
    // record: a change of its own (not an undo or redo), kept for undo.
    QModelIndex StoreNumber(const FieldValue& draw, int field, std::optional<int> value,
                            bool record = true);
    int RowOf(const FieldValue& draw) const;
    bool IsComplete(int row) const;
    // The number field (0 … 8) of the row other than except that shows
    // number, or -1.
    int FieldHolding(int row, int number, int except) const;
    void Report(const QModelIndex& cell, const QString& message) const;

    std::unique_ptr<EditableRecordSet> records_;
    ErrorReporter report_;
    ChangeAsker ask_;
    EditHistory history_;
    bool written_ = false;
};
