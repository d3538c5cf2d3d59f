#include "ui/wheel/PredictionRows.h"

#include "prediction/PredictionModel.h"
#include "wheel/WheelDesign.h"

namespace {

// The numbers of one row of a prediction grid, in its order.
std::vector<int> RowNumbers(const ResultGrid& grid, int row) {
    std::vector<int> numbers;
    for (int column = kFirstNumberColumn; column < kFirstNumberColumn + kWheelTicketSize;
         ++column) {
        bool ok = false;
        const int n = QString::fromStdString(grid.ReadCell(column, row)).trimmed().toInt(&ok);
        if (ok && n >= kLowestNumber && n <= kHighestNumber) numbers.push_back(n);
    }
    return numbers;
}

// The grid's label without its mark and remark: "●消去法による予想(…)" → "消去法による予想".
QString GridName(int index) {
    QString name = QString::fromUtf8(kPredictionGrids[index].label.data(),
                                     static_cast<int>(kPredictionGrids[index].label.size()));
    name.remove(QChar(u'●'));
    return name.section(QChar(u'('), 0, 0);
}

}  // namespace

std::vector<PredictionRow> PredictionRowsOf(const PredictionModel& model) {
    std::vector<PredictionRow> rows;
    for (int index = 0; index < kPredictionGridCount; ++index) {
        const ResultGrid& grid = model.Grid(index);
        QString label = GridName(index);
        for (int row = kFirstNumberRow; row <= grid.RowCount(); ++row) {
            const QString cell = QString::fromStdString(grid.ReadCell(1, row)).trimmed();
            if (!cell.isEmpty()) label = cell;
            const std::vector<int> numbers = RowNumbers(grid, row);
            if (numbers.empty()) continue;
            rows.push_back({label, numbers});
        }
    }
    return rows;
}
