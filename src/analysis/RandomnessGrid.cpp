#include "analysis/RandomnessGrid.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/FigureText.h"
#include "core/JsonText.h"

namespace {

using HAlign = ResultGrid::HAlign;
using VAlign = ResultGrid::VAlign;

constexpr Rgb kHeadingBack = MakeRgb(255, 200, 200);
constexpr Rgb kRangeBack = MakeRgb(255, 255, 200);

constexpr int kRangeRow = 1;
constexpr int kHeadingRow = 2;
constexpr int kFirstTestRow = 3;
constexpr int kConclusionRow = kFirstTestRow + kRandomnessTestCount;

constexpr int kNameColumn = 1;
constexpr int kMethodColumn = 2;
constexpr int kStatisticColumn = 3;
constexpr int kPColumn = 4;
constexpr int kHolmColumn = 5;
constexpr int kVerdictColumn = 6;

template <typename F>
void Style(ResultGrid& grid, int c1, int r1, int c2, int r2, F&& style) {
    grid.SelectBlock(c1, r1, c2, r2);
    grid.BlockMode(true);
    style(grid);
    grid.BlockMode(false);
}

std::string Fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// "0.012", "< 0.001"
std::string PFigure(double p) {
    const std::string text = PValueText(p, kRandomnessLevel);  // "p = …" or "p < …"
    return text.rfind("p = ", 0) == 0 ? text.substr(4) : text.substr(2);
}

void Shape(ResultGrid& grid) {
    grid.SetColumnCount(kVerdictColumn);
    grid.SetRowCount(kConclusionRow);
    grid.SetVisibleColumns(kVerdictColumn);
    grid.SetVisibleRows(kConclusionRow);
    grid.FreezeRows(kHeadingRow);
    grid.SetScrollBars(1);
    grid.ShowHeadings(false, false);
    grid.SetColumnWidth(kNameColumn, 20);
    grid.SetColumnWidth(kMethodColumn, 44);
    grid.SetColumnWidth(kStatisticColumn, 10);
    grid.SetColumnWidth(kPColumn, 15);  // "0.40（±0.009）"
    grid.SetColumnWidth(kHolmColumn, 18);
    grid.SetColumnWidth(kVerdictColumn, 48);
    Style(grid, -1, -1, -1, -1, [](ResultGrid& g) {
        g.SetCellKind(ResultGrid::CellKind::StaticText);
        g.SetHorizontalAlign(HAlign::Center);
        g.SetVerticalAlign(VAlign::Center);
        g.DrawBorder(ResultGrid::kBorderAll, 1);
    });
    Style(grid, -1, kHeadingRow, -1, kHeadingRow,
          [](ResultGrid& g) { g.SetBackColor(kHeadingBack); });
    for (int row : {kRangeRow, kConclusionRow}) {
        Style(grid, -1, row, -1, row, [](ResultGrid& g) {
            g.DrawBorder(ResultGrid::kBorderAll, 0);
            g.SetHorizontalAlign(HAlign::Left);
            g.SetTextOverflow(true);
            g.SetBackColor(kRangeBack);
        });
    }
    for (int column : {kNameColumn, kMethodColumn, kVerdictColumn}) {
        Style(grid, column, kFirstTestRow, column, kConclusionRow - 1,
              [](ResultGrid& g) { g.SetHorizontalAlign(HAlign::Left); });
    }
    grid.ActivateCell(0, 0);
}

}  // namespace

void WriteRandomnessGrid(const RandomnessResult& result, ResultGrid& grid) {
    grid = ResultGrid();
    Shape(grid);
    grid.WriteCell(kNameColumn, kRangeRow, "検定した回");
    grid.WriteCell(kMethodColumn, kRangeRow,
                   DrawSpanText(result.range.from, result.range.to, result.draws) +
                       "　p値は偶然の抽せん" + std::to_string(result.simulations) +
                       "通りのシミュレーション（" +
                       (result.simulations < result.maxSimulations
                            ? "答えがはっきりした所で終了、最大" +
                                  std::to_string(result.maxSimulations) + "通り、"
                            : std::string()) +
                       "シード " + std::to_string(result.seed) + "）");
    const char* headings[] = {"検定", "統計量の内容",        "統計量",
                              "p値",  "補正後のp値（Holm）", "判定（5%水準）"};
    for (int c = 0; c < kVerdictColumn; ++c) grid.WriteCell(c + 1, kHeadingRow, headings[c]);
    for (int t = 0; t < kRandomnessTestCount; ++t) {
        const RandomnessOutcome& o = result.tests[t];
        const int row = kFirstTestRow + t;
        grid.WriteCell(kNameColumn, row, RandomnessTestName(t));
        grid.WriteCell(kMethodColumn, row, RandomnessTestMethod(t));
        grid.WriteCell(kStatisticColumn, row, Fixed(o.statistic, 2));
        grid.WriteCell(kPColumn, row, PFigure(o.pValue) + SimulationErrorText(o.pError));
        grid.WriteCell(kHolmColumn, row, PFigure(o.holmPValue));
        grid.WriteCell(kVerdictColumn, row, RandomnessVerdict(o));
    }
    grid.WriteCell(kNameColumn, kConclusionRow, "結論");
    grid.WriteCell(kMethodColumn, kConclusionRow, RandomnessConclusion(result));
}

void WriteRandomnessJson(std::ostream& out, const RandomnessResult& result) {
    out << "{\"from\": " << result.range.from << ", \"to\": " << result.range.to
        << ", \"draws\": " << result.draws << ", \"simulations\": " << result.simulations
        << ", \"maxSimulations\": " << result.maxSimulations << ", \"seed\": " << result.seed
        << ", \"familyMethod\": \"Holm\", \"conclusion\": "
        << JsonString(RandomnessConclusion(result)) << ", \"tests\": [";
    for (int t = 0; t < kRandomnessTestCount; ++t) {
        const RandomnessOutcome& o = result.tests[t];
        out << (t > 0 ? ",\n  " : "\n  ") << "{\"name\": " << JsonString(RandomnessTestName(t))
            << ", \"method\": " << JsonString(RandomnessTestMethod(t))
            << ", \"statistic\": " << JsonNumber(o.statistic)
            << ", \"pValue\": " << JsonNumber(o.pValue) << ", \"pError\": " << JsonNumber(o.pError)
            << ", \"holmPValue\": " << JsonNumber(o.holmPValue)
            << ", \"verdict\": " << JsonString(RandomnessVerdict(o)) << ", \"bars\": [";
        for (std::size_t b = 0; b < o.bars.size(); ++b) {
            out << (b > 0 ? ", " : "") << "{\"label\": " << JsonString(o.bars[b].label)
                << ", \"observed\": " << JsonNumber(o.bars[b].observed)
                << ", \"expected\": " << JsonNumber(o.bars[b].expected) << '}';
        }
        out << "]}";
    }
    out << "\n]}\n";
}
