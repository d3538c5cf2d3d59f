#include "analysis/FrequencyAnalysis.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <string_view>

#include "analysis/ChartMarks.h"
#include "core/Errors.h"
#include "core/GridStyle.h"

namespace {

constexpr int kOrdinalRow = 2;
constexpr int kRowCount = kHighestNumber + 2;  // title, ordinals, numbers 1 … 37
constexpr std::string_view kFrequencyTitle = "  出 現 頻 度（回）";

// Number n has its bar in row n + 2.
constexpr int RowOf(int number) { return number + 2; }

// The column nearest to a third of the column count, where the title starts.
constexpr int TitleColumn(int lastColumn) { return (lastColumn + 1) / 3; }

void SizeFrequencyGrid(ResultGrid& grid, int lastColumn) {
    ShapeMarkChart(
        grid,
        {.columns = lastColumn, .rows = kRowCount, .visibleColumns = 51, .visibleRows = kRowCount});
}

void StyleTitleRow(ResultGrid& grid, int lastColumn) {
    FillBlock(grid, 2, 1, lastColumn, 1, [](ResultGrid& gr) {
        gr.SetBackColor(kLightYellow);
        gr.DrawBorder(ResultGrid::kBorderOutline, 1, kLineBlue);
    });
    for (int column : {1, lastColumn - 1}) {
        grid.SelectCell(column, 1);
        grid.DrawBorder(ResultGrid::kBorderRight, 1, kLineBlue);
    }
    const int titleColumn = TitleColumn(lastColumn);
    grid.WriteCell(titleColumn, 1, kFrequencyTitle);
    grid.SelectCell(titleColumn, 1);
    grid.SetForeColor(kRed);
    grid.SetHorizontalAlign(ResultGrid::HAlign::Left);
    grid.SetTextOverflow(true);
}

// The column of each field's dot in this draw, 0 for a number without a row.
// A number repeated within one draw (only a foreign tool can store that)
// takes the next free column for each repetition, so every appearance
// counted at start-up keeps its own dot.
std::array<int, kFieldCount> DotColumns(const DrawRecord& draw,
                                        const std::array<int, kHighestNumber + 1>& seen) {
    std::array<int, kFieldCount> columns{};
    for (int field = 0; field < kFieldCount; ++field) {
        const int n = draw.numbers[field];
        if (!HasChartPlace(n)) continue;
        const int earlier = static_cast<int>(
            std::count(draw.numbers.begin(), draw.numbers.begin() + field, draw.numbers[field]));
        columns[field] = seen[n] + earlier + 2;
    }
    return columns;
}

}  // namespace

int FrequencyLastColumn(const GlobalBas& g) {
    int frequencyMax = 0;
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        frequencyMax = std::max<int>(frequencyMax, g.NumberCount[n]);
    }
    const int lastColumn = frequencyMax + 2;
    if (lastColumn > std::numeric_limits<std::int16_t>::max()) {
        throw BuildStopped("出現回数が" + std::to_string(frequencyMax) +
                           "回の数字があり、表の列数が上限（32767列）を超えるため表示できません。");
    }
    return lastColumn;
}

void SetUpFrequencyGrid(ResultGrid& grid, int lastColumn) {
    SizeFrequencyGrid(grid, lastColumn);
    CentreWholeGrid(grid);
    StyleTitleRow(grid, lastColumn);
    for (int column : {1, lastColumn}) {
        FillBlock(grid, column, 1, column, kRowCount, [](ResultGrid& gr) {
            gr.SetForeColor(kBlue);
            gr.SetBackColor(kChartHeaderBack);
        });
    }
    FillBlock(grid, 1, 2, lastColumn, kRowCount,
              [](ResultGrid& gr) { gr.DrawBorder(ResultGrid::kBorderAll, 1); });
    // With no appearance at all there is no ordinal column to colour.
    if (lastColumn - 1 >= 2) {
        ColourDrawNumbers(grid, 2, kOrdinalRow, lastColumn - 1, kOrdinalRow);
    }
    for (int n = kLowestNumber; n <= kHighestNumber; ++n) {
        grid.WriteCell(1, RowOf(n), n);
        grid.WriteCell(lastColumn, RowOf(n), n);
    }
    grid.ActivateCell(0, 0);
}

void WriteFrequencyHeadings(ResultGrid& grid, int lastColumn) {
    grid.WriteCell(1, kOrdinalRow, "数字");
    grid.WriteCell(lastColumn, kOrdinalRow, "数字");
}

void FillFrequency(const GlobalBas& g, ResultGrid& grid) {
    std::array<int, kHighestNumber + 1> seen{};  // running count per number
    for (const DrawRecord& draw : g.Draws.Rows()) {
        if (!draw.IsComplete()) continue;
        const std::array<int, kFieldCount> columns = DotColumns(draw, seen);
        for (int field = 0; field < kFieldCount; ++field) {
            if (columns[field]) grid.WriteCell(columns[field], kOrdinalRow, columns[field] - 1);
        }
        // Main numbers first, then bonus 1, then bonus 2: the field order.
        for (int field = 0; field < kFieldCount; ++field) {
            if (!columns[field]) continue;
            const int row = RowOf(draw.numbers[field]);
            grid.WriteCell(columns[field], row, kDrawnMark);
            grid.SelectCell(columns[field], row);
            grid.SetForeColor(MarkColor(field));
        }
        for (int field = 0; field < kFieldCount; ++field) {
            if (columns[field]) ++seen[draw.numbers[field]];
        }
    }
}

void BuildFrequency(const GlobalBas& g, ResultGrid& grid) {
    const int lastColumn = FrequencyLastColumn(g);
    SetUpFrequencyGrid(grid, lastColumn);
    WriteFrequencyHeadings(grid, lastColumn);
    FillFrequency(g, grid);
}
