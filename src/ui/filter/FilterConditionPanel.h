#pragma once

#include <QScrollArea>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "filter/CombinationSearch.h"
#include "filter/FilterHistory.h"
#include "filter/NumberFilter.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;

// The filters of 絞り込み, one row each in a scrolled panel: a label, the
// inputs and a line saying what the filter keeps.  It reads what is typed
// into FilterConditions and reports every edit through `edited`.
class FilterConditionPanel : public QScrollArea {
  public:
    FilterConditionPanel(std::function<void()> edited, QWidget* parent);

    // Per filter, its inputs (one, or one per group of a split) and the line
    // saying what it keeps.
    struct FilterRow {
        std::vector<QLineEdit*> inputs;
        QCheckBox* check = nullptr;  // the already-won filter
        QLabel* result = nullptr;
    };
    std::array<FilterRow, kFilterKindCount> Rows;

    // The filters as typed.  Throws a UserError saying why at the first
    // filter that cannot be read.
    FilterConditions Read() const;
    // Each filter's line: off, or what it keeps alone of the past draws and,
    // once counted, of the combinations (counts null while counting).
    void ShowKept(const FilterConditions& conditions, const CombinationCounts* counts,
                  const PastPassCounts& past);
    // The carry-over filter's hint names the draw it compares with.
    void ShowLatestDraw(const FilterHistory& history);

  private:
    void AddRow(QGridLayout* grid, int& line, FilterKind kind);
    QLineEdit* AddEdit(FilterRow& row, const FilterInfo& info, const QString& placeholder,
                       int widthTwips, QWidget* parent, const QString& part = QString());

    std::function<void()> edited_;
};
