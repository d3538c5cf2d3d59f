#include "backtest/BacktestGrid.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/FigureText.h"
#include "core/GridStyle.h"

namespace {

using HAlign = ResultGrid::HAlign;

constexpr Rgb kChanceBack = MakeRgb(235, 245, 255);

constexpr int kRangeRow = 1;
constexpr int kHeadingRow = 2;
constexpr int kFirstMethodRow = 3;

constexpr int kMethodColumn = 1;
constexpr int kTicketsColumn = 2;
constexpr int kFullTicketsColumn = 3;
// Each figure from here on has chance's figure in the column to its right.
constexpr int kMeanColumn = 4;
constexpr int kFirstMatchColumn = 6;  // two columns per match count 0 … 7
constexpr int kFirstTierColumn = kFirstMatchColumn + 2 * (kTicketSize + 1);  // two per tier
constexpr int kPValueColumn = kFirstTierColumn + 2 * kPrizeTierCount;
constexpr int kZColumn = kPValueColumn + 1;
constexpr int kExactPColumn = kZColumn + 1;
constexpr int kFamilyPColumn = kExactPColumn + 1;
constexpr int kVerdictColumn = kFamilyPColumn + 1;
constexpr int kColumns = kVerdictColumn;
constexpr int kSummaryRow = kFirstMethodRow + kBacktestMethodCount;
constexpr int kRows = kSummaryRow;

std::string Percent(double share) {
    return std::isnan(share) ? FormatFigure(share) : FormatFigure(share * 100) + "%";
}

std::string Decimal(double value, int decimals) {
    if (std::isnan(value)) return FormatFigure(value);
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// How the p-values were adjusted for the seven methods, with the seed.
std::string FamilyNote(const BacktestResult& result) {
    if (result.familySimulations == 0) return "　※7手法の補正はしていません";
    const std::string stopped = result.familySimulations < result.familyMaxSimulations
                                    ? "答えがはっきりした所で終了、最大" +
                                          std::to_string(result.familyMaxSimulations) + "通り、"
                                    : "";
    return "　7手法の補正：偶然の抽せん" + std::to_string(result.familySimulations) +
           "通りのシミュレーション（" + stopped + "シード " + std::to_string(result.familySeed) +
           "）";
}

void WriteHeadings(ResultGrid& grid) {
    const auto pair = [&](int column, const std::string& figure, const char* chance) {
        grid.WriteCell(column, kHeadingRow, figure);
        grid.WriteCell(column + 1, kHeadingRow, chance);
    };
    grid.WriteCell(kMethodColumn, kHeadingRow, "手法");
    grid.WriteCell(kTicketsColumn, kHeadingRow, "予想数");
    grid.WriteCell(kFullTicketsColumn, kHeadingRow, "うち7個");
    pair(kMeanColumn, "平均一致数", "偶然の平均");
    for (int m = 0; m <= kTicketSize; ++m) {
        pair(kFirstMatchColumn + 2 * m, std::to_string(m) + "個一致（割合）", "偶然の割合");
    }
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        pair(kFirstTierColumn + 2 * (t - 1), std::to_string(t) + "等", "偶然");
    }
    grid.WriteCell(kPValueColumn, kHeadingRow, "p値（正規近似）");
    grid.WriteCell(kZColumn, kHeadingRow, "z値");
    grid.WriteCell(kExactPColumn, kHeadingRow, "正確なp値");
    grid.WriteCell(kFamilyPColumn, kHeadingRow, "補正後のp値");
    grid.WriteCell(kVerdictColumn, kHeadingRow, "判定（5%水準）");
}

void WriteMethod(const MethodScore& s, int row, ResultGrid& grid) {
    grid.WriteCell(kTicketsColumn, row, s.tickets);
    grid.WriteCell(kFullTicketsColumn, row, s.fullTickets);
    grid.WriteCell(kMeanColumn, row, Decimal(s.MeanMatches(), 4));
    grid.WriteCell(kMeanColumn + 1, row, Decimal(s.ExpectedMeanMatches(), 4));
    for (int m = 0; m <= kTicketSize; ++m) {
        const double share =
            s.tickets > 0 ? static_cast<double>(s.matchCounts[m]) / s.tickets : std::nan("");
        grid.WriteCell(kFirstMatchColumn + 2 * m, row,
                       std::to_string(s.matchCounts[m]) + "（" + Percent(share) + "）");
        grid.WriteCell(kFirstMatchColumn + 2 * m + 1, row, Percent(s.ExpectedMatchShare(m)));
    }
    for (int t = 1; t <= kPrizeTierCount; ++t) {
        grid.WriteCell(kFirstTierColumn + 2 * (t - 1), row, s.tierCounts[t]);
        grid.WriteCell(kFirstTierColumn + 2 * (t - 1) + 1, row,
                       FormatFigure(s.expectedTierCounts[t]));
    }
    grid.WriteCell(kPValueColumn, row, FormatFigure(s.PValue()));
    grid.WriteCell(kZColumn, row, Decimal(s.ZValue(), 2));
    grid.WriteCell(kExactPColumn, row, FormatFigure(s.ExactPValue()));
    grid.WriteCell(kFamilyPColumn, row,
                   FormatFigure(s.familyPValue) + SimulationErrorText(s.familyPError));
    grid.WriteCell(kVerdictColumn, row, BacktestVerdict(s));
}

void Shape(ResultGrid& grid) {
    ShapeGrid(grid, {.columns = kColumns,
                     .rows = kRows,
                     .visibleColumns = 12,
                     .visibleRows = kRows,
                     .frozenRows = kHeadingRow,
                     .frozenColumns = kMethodColumn,
                     .scrollBars = 1});
    grid.SetColumnWidth(-1, 9);
    grid.SetColumnWidth(kMethodColumn, 11);
    grid.SetColumnWidth(kMeanColumn, 10);
    grid.SetColumnWidth(kMeanColumn + 1, 10);
    for (int m = 0; m <= kTicketSize; ++m) grid.SetColumnWidth(kFirstMatchColumn + 2 * m, 14);
    // Chance's share of seven matches needs ten characters (0.0000092%):
    // room for it in the grid's font, like its neighbours'.
    grid.SetColumnWidth(kFirstMatchColumn + 2 * kTicketSize + 1, 11);
    grid.SetColumnWidth(kPValueColumn, 14);
    grid.SetColumnWidth(kExactPColumn, 10);
    grid.SetColumnWidth(kFamilyPColumn, 16);  // "0.396（±0.009）"
    grid.SetColumnWidth(kVerdictColumn, 130);
    StyleWholeGrid(grid);
    for (int column = kMeanColumn + 1; column < kPValueColumn; column += 2) {
        FillBlock(grid, column, kFirstMethodRow, column, -1,
                  [](ResultGrid& g) { g.SetBackColor(kChanceBack); });
    }
    FillBlock(grid, -1, kHeadingRow, -1, kHeadingRow,
              [](ResultGrid& g) { g.SetBackColor(kHeaderPink); });
    // The range line and the summary run across the cells to their right.
    FillBlock(grid, -1, kSummaryRow, -1, kSummaryRow, [](ResultGrid& g) {
        g.DrawBorder(ResultGrid::kBorderAll, 0);
        g.SetHorizontalAlign(HAlign::Left);
        g.SetTextOverflow(true);
        g.SetBackColor(kLightYellow);
    });
    FillBlock(grid, -1, kRangeRow, -1, kRangeRow, [](ResultGrid& g) {
        g.DrawBorder(ResultGrid::kBorderAll, 0);
        g.SetHorizontalAlign(HAlign::Left);
        g.SetTextOverflow(true);
        g.SetBackColor(kLightYellow);
    });
    FillBlock(grid, kMethodColumn, kFirstMethodRow, kMethodColumn, -1,
              [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Left); });
    FillBlock(grid, kVerdictColumn, kFirstMethodRow, kVerdictColumn, -1,
              [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Left); });
    grid.ActivateCell(0, 0);
}

}  // namespace

std::string FormatFigure(double value) {
    if (std::isnan(value)) return "－";
    if (value == 0) return "0";
    char text[48];
    // Two significant digits below 1; a value that rounds up to the next
    // power of ten is written as that power is (0.998 as 1.0, like 1.0).
    double shown = value;
    for (int pass = 0; pass < 2; ++pass) {
        if (std::fabs(shown) >= 1) {
            std::snprintf(text, sizeof text, "%.1f", value);
            break;
        }
        const int decimals = 1 - static_cast<int>(std::floor(std::log10(std::fabs(shown))));
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        const double rounded = std::strtod(text, nullptr);
        if (std::fabs(rounded) < std::pow(10.0, 2 - decimals)) break;
        shown = rounded;
    }
    return text;
}

void WriteBacktestGrid(const BacktestResult& result, ResultGrid& grid) {
    grid = ResultGrid();
    Shape(grid);
    grid.WriteCell(kMethodColumn, kRangeRow, "検証した回");
    grid.WriteCell(kTicketsColumn, kRangeRow,
                   DrawSpanText(result.range.from, result.range.to, result.draws) +
                       "を検証（参考にする回のずれ " + std::to_string(result.shift) + "回）" +
                       (result.completed ? "" : "　※途中で中止しました") + FamilyNote(result));
    WriteHeadings(grid);
    for (int m = 0; m < kBacktestMethodCount; ++m) {
        const int row = kFirstMethodRow + m;
        grid.WriteCell(kMethodColumn, row, BacktestMethodName(m));
        WriteMethod(result.methods[m], row, grid);
    }
    grid.WriteCell(kMethodColumn, kSummaryRow, "まとめ");
    grid.WriteCell(kTicketsColumn, kSummaryRow, BacktestSummary(result));
}
