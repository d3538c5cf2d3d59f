#pragma once

#include <QAbstractTableModel>
#include <QModelIndex>
#include <QPoint>
#include <QString>
#include <QVariant>
#include <vector>

#include "core/ResultGrid.h"

// What a colour says in a grid, as its window's legend tells a sighted user:
// a cell whose mark (text) colour, or whose background, is `colour` means
// `meaning`.  Copied as plain text, a cell showing `mark` reads `copiedMark`
// instead, so that marks told apart only by colour stay apart.
struct CellMeaning {
    Rgb colour = kBlack;
    bool background = false;
    QString meaning;
    QString mark = QStringLiteral("●");
    QString copiedMark;
};

// A read-only table model over a ResultGrid: each cell's text, colours and
// alignment under the usual roles, and as header data the texts of the frozen
// panes (a column's frozen rows head it, a row's frozen columns label it).
// Model row r and column c are the grid's row r + 1 and column c + 1.  The
// grid is not owned; Reread tells the model's users that it changed.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // The text of a cell as plain text (the clipboard's tab-separated copy):
    // without the spaces that centre it, a mark in the text its colour means.
    static constexpr int kPlainTextRole = Qt::UserRole + 1;

    explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void SetGrid(const ResultGrid* grid);
    const ResultGrid* Grid() const { return grid_; }
    // After the grid changed: a reset when its size changed, else every cell
    // and heading reported changed (a selection of the same cells stays).
    void Reread();

    int FrozenRows() const;
    int FrozenColumns() const;
    // The meanings of the grid's colours; a cell's description
    // (Qt::AccessibleDescriptionRole) is the first that matches it.
    void SetCellMeanings(std::vector<CellMeaning> meanings) { meanings_ = std::move(meanings); }
    const CellMeaning* MeaningOf(int column, int row) const;
    // What heads a cell of a frozen row or column (1-based), as a reader
    // hears it: its own text without padding, or, for an empty cell inside a
    // band of cells with no line between them, the band's text.
    QString HeadingText(int column, int row) const;

    // The grid's cell (1-based) of an index, and back.
    static QPoint CellOf(const QModelIndex& index) { return {index.column() + 1, index.row() + 1}; }
    QModelIndex IndexOf(int column, int row) const { return index(row - 1, column - 1); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    QString Text(int column, int row) const;
    QString PlainText(int column, int row) const;
    bool JoinedToNext(int column, int row) const;
    // The non-empty texts of the cells, joined by a space.
    QString JoinedTexts(int firstColumn, int firstRow, int lastColumn, int lastRow) const;

    const ResultGrid* grid_ = nullptr;
    std::vector<CellMeaning> meanings_;
    int rows_ = 0;
    int columns_ = 0;
};
