#include "app/commands/WindowGrids.h"

#include <array>

#include "analysis/AnalysisCatalog.h"
#include "app/commands/CommandTable.h"
#include "core/PrintableText.h"
#include "data/DrawStoreLoader.h"
#include "grid/GridGeometry.h"
#include "grid/ProgramLook.h"
#include "ui/WindowDocuments.h"

std::vector<NamedGrid> WindowGrids::Named() const {
    if (analysis) return {{"fpSpread1", &grid}};
    std::vector<NamedGrid> grids;
    for (int index = 0; index < kPredictionGridCount; ++index) {
        grids.push_back({PredictionGridName(index), &prediction.Grid(index)});
    }
    return grids;
}

GridDocument WindowGrids::Document() const {
    const QFont font = ProgramFont();
    const double dpi = ScreenDpi();
    const QString drawRange = DrawRangeText(snapshot.Draws);
    if (analysis) {
        return AnalysisDocument(*analysis, grid, GridGeometry(grid, font, dpi), drawRange);
    }
    std::array<GridGeometry, kPredictionGridCount> geometries;
    for (int index = 0; index < kPredictionGridCount; ++index) {
        geometries[index] = GridGeometry(prediction.Grid(index), font, dpi);
    }
    return PredictionDocument(prediction, geometries, drawRange, font, dpi);
}

int BuildWindow(const std::string& name, const std::string& databasePath, WindowGrids& w,
                std::ostream& err) {
    w.name = name;
    if (name == kPredictionWindowName) {
        w.caption = kPredictionWindowName;
        for (const std::string& note : w.prediction.Options().ReadInitFile()) err << note << "\n";
        OpenDrawStore(w.snapshot, databasePath);
        w.prediction.Load(w.snapshot);
        if (w.prediction.Message().empty()) return kStatusDone;
        err << w.prediction.Message() << "\n";
        return kStatusError;
    }
    w.analysis = FindAnalysis(name);
    if (!w.analysis || !w.analysis->build) {
        err << "ウィンドウ「" << PrintableText(name)
            << "」は出力できません。loto7kazoria list で名前を確かめてください。\n";
        return kStatusUsage;
    }
    w.caption = w.analysis->caption;
    OpenDrawStore(w.snapshot, databasePath);
    try {
        w.analysis->build(w.snapshot, w.grid);
    } catch (const BuildStopped& stopped) {
        err << stopped.what() << "\n";
        return kStatusError;
    }
    return kStatusDone;
}
