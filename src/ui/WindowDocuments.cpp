#include "ui/WindowDocuments.h"

#include "core/FigureText.h"
#include "core/GridStyle.h"
#include "core/QtConversions.h"
#include "prediction/ReflectionShift.h"

namespace {

constexpr double kOptionColumnWidth = 42;  // characters: the longest caption
constexpr double kSettingColumnWidth = 12;

// The twelve reflect options: a heading row, then each option's caption
// and whether it is reflected.
void WriteOptionsGrid(const ReflectOptions& options, ResultGrid& grid) {
    const int rows = ReflectOptions::kCount + 1;
    ShapeGrid(grid, {.columns = 2,
                     .rows = rows,
                     .visibleColumns = 2,
                     .visibleRows = rows,
                     .frozenRows = 1,
                     .scrollBars = 0});
    grid.SetColumnWidth(1, kOptionColumnWidth);
    grid.SetColumnWidth(2, kSettingColumnWidth);
    StyleWholeGrid(grid);
    FillBlock(grid, 1, 1, 2, 1, [](ResultGrid& g) { g.SetBackColor(kHeaderPink); });
    FillBlock(grid, 1, 2, 1, rows,
              [](ResultGrid& g) { g.SetHorizontalAlign(ResultGrid::HAlign::Left); });
    grid.WriteCell(1, 1, "データ分析");
    grid.WriteCell(2, 1, "当選予想へ");
    for (int i = 0; i < ReflectOptions::kCount; ++i) {
        grid.WriteCell(1, i + 2, kReflectedAnalyses[i].caption);
        grid.WriteCell(2, i + 2, options.Flag(i) ? "反映する" : "反映しない");
    }
}

}  // namespace

QString DrawRangeText(const DrawStore& draws) {
    int first = 0, last = 0;
    for (const DrawRecord& draw : draws.Rows()) {
        if (!draw.IsComplete()) continue;
        if (first == 0) first = draw.drawNumber;
        last = draw.drawNumber;
    }
    if (first == 0) return {};
    return FromView(DrawSpanText(first, last));
}

GridDocument AnalysisDocument(const AnalysisInfo& info, const ResultGrid& grid,
                              const GridGeometry& geometry, const QString& drawRange) {
    GridDocument document;
    document.caption = FromView(info.caption);
    document.drawRange = drawRange;
    document.parts.push_back({{}, &grid, geometry});
    document.csv = {{"fpSpread1", &grid}};
    return document;
}

GridDocument PredictionDocument(const PredictionModel& model,
                                const std::array<GridGeometry, kPredictionGridCount>& geometries,
                                const QString& drawRange, const QFont& font, double dpi) {
    GridDocument document;
    document.caption = QString::fromUtf8(kPredictionWindowName);
    document.drawRange = drawRange;
    for (int i = 0; i < kPredictionGridCount; ++i) {
        document.parts.push_back(
            {FromView(kPredictionGrids[i].label), &model.Grid(i), geometries[i]});
        document.csv.push_back({PredictionGridName(i), &model.Grid(i)});
    }
    auto& options = document.ownGrids.emplace_back(std::make_unique<ResultGrid>());
    WriteOptionsGrid(model.Options(), *options);
    document.parts.push_back({QStringLiteral("●データ分析オプション"), options.get(),
                              GridGeometry(*options, font, dpi), true});
    return document;
}
